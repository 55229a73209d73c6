#pragma once

#include <QPushButton>

namespace platform {

// A push button with a colour of its own, drawn solid on every style (styles
// draw a button's colour as a gradient or ignore it): the face, dark text, a
// raised border that sinks while pressed and turns dark and solid with the
// focus.
class SolidButton final : public QPushButton {
    Q_OBJECT

public:
    SolidButton(const QString &caption, const QColor &face, QWidget *parent);

    static constexpr int kBorder = 2;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor face_;
};

} // namespace platform
