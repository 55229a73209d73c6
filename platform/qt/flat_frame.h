#pragma once

#include <QGroupBox>

namespace platform {

// A frame drawn the same on every style: flat in its own colour, an etched
// border, and the caption standing on the border's top edge. Styles would
// shade the panel, and a style sheet would lose the caption's font.
class FlatFrame final : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace platform
