#pragma once

#include <QProxyStyle>

namespace platform {

// Some styles mark the focus with a faint dotted line or a tint that is lost
// on a coloured control; this one draws a solid dark frame round the
// caption, on top of the style the application runs with.
class ClearFocusStyle final : public QProxyStyle {
    Q_OBJECT

public:
    ClearFocusStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

    // One for the whole application, owned by it.
    static QStyle *instance();
};

} // namespace platform
