#include "focus_frame.h"

#include <QPainter>

namespace platform {

FocusFrame::FocusFrame(int width, QWidget *owner) : QWidget(owner), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    fit();
}

void FocusFrame::fit()
{
    setGeometry(parentWidget()->rect());
    raise();
}

void FocusFrame::paintEvent(QPaintEvent * /*event*/)
{
    if (!parentWidget()->hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(parentWidget()->palette().color(QPalette::Text));
    for (int i = 0; i < width_; ++i)
        painter.drawRect(rect().adjusted(i, i, -i - 1, -i - 1));
}

} // namespace platform
