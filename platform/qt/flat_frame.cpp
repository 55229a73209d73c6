#include "flat_frame.h"

#include <QPainter>
#include <qdrawutil.h>

namespace platform {

namespace {

constexpr int kCaptionLeft = 6;
constexpr int kCaptionPad = 2;

} // namespace

FlatFrame::FlatFrame(const QString &title, QWidget *parent) : QWidget(parent), title_(title)
{
    setAccessibleName(title);
}

void FlatFrame::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    qDrawShadeRect(&painter, QRect(0, lineY, width(), height() - lineY), palette(), true, 1);
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title_) + 2 * kCaptionPad, metrics.height());
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title_);
}

} // namespace platform
