#include "exact_text_box.h"

#include "focus_frame.h"
#include "platform/layout_policy.h"
#include "qt_text.h"

namespace platform {

ExactTextBox::ExactTextBox(QWidget *parent)
    : QPlainTextEdit(parent), focusFrame_(new FocusFrame(kFocusFrameWidth, this))
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void ExactTextBox::setExactText(std::string_view text)
{
    text_ = text;
    // The document turns each CR LF into one line break.
    setPlainText(toQString(text));
}

void ExactTextBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    focusFrame_->update();
}

void ExactTextBox::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    focusFrame_->update();
}

void ExactTextBox::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    focusFrame_->fit();
}

} // namespace platform
