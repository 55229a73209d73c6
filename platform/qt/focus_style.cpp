#include "focus_style.h"

#include "platform/layout_policy.h"
#include "qt_text.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

namespace platform {

ClearFocusStyle::ClearFocusStyle() : QProxyStyle(QApplication::style()->name()) {}

void ClearFocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setPen(QPen(toQColor(kFocusColour), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QStyle *ClearFocusStyle::instance()
{
    // Owned by the application, so it outlives every widget using it.
    static QPointer<ClearFocusStyle> style;
    if (style.isNull()) {
        style = new ClearFocusStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace platform
