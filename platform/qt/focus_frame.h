#pragma once

#include <QWidget>

namespace platform {

// A frame drawn over the edge of the widget it belongs to while that widget
// has the focus, in the colour of its text so that it stands out on its
// background, light or dark. It takes no input.
class FocusFrame final : public QWidget {
    Q_OBJECT

public:
    FocusFrame(int width, QWidget *owner);

    // Follows the owner's size; call when it changes.
    void fit();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int width_;
};

} // namespace platform
