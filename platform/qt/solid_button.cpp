#include "solid_button.h"

#include "platform/layout_policy.h"
#include "qt_text.h"

#include <QPainter>
#include <qdrawutil.h>

namespace platform {

SolidButton::SolidButton(const QString &caption, const QColor &face, QWidget *parent)
    : QPushButton(caption, parent), face_(face)
{
}

void SolidButton::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    QPalette edges = palette();
    edges.setColor(QPalette::Light, face_.lighter(150));
    edges.setColor(QPalette::Dark, face_.darker(200));
    qDrawShadePanel(&painter, rect(), edges, isDown(), kBorder);
    if (hasFocus()) {
        constexpr double kHalf = kFocusFrameWidth / 2.0;
        painter.setPen(QPen(toQColor(kFocusColour), kFocusFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(rect()).adjusted(kHalf, kHalf, -kHalf, -kHalf));
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(isDown() ? rect().translated(1, 1) : rect(), Qt::AlignCenter, text());
}

} // namespace platform
