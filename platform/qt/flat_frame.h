#pragma once

#include <QWidget>

namespace platform {

// A frame drawn the same on every style: flat in its own colour, an etched
// border, and the caption standing on the border's top edge. Assistive
// technology sees a group named by the caption.
class FlatFrame final : public QWidget {
    Q_OBJECT

public:
    FlatFrame(const QString &title, QWidget *parent);

    [[nodiscard]] const QString &title() const { return title_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString title_;
};

} // namespace platform
