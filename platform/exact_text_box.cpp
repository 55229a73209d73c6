#include "exact_text_box.h"

#include "qt_text.h"

namespace platform {

ExactTextBox::ExactTextBox(QWidget *parent) : QPlainTextEdit(parent)
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

} // namespace platform
