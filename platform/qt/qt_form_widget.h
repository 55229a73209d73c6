#pragma once

#include "platform/control_map.h"
#include "platform/form.h"
#include "platform/window_description.h"

#include <QWidget>

class QScreen;

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A top-level window built from its description: every control created in
// the listed order inside its container, placed, coloured and captioned, the
// tab chain following the tab positions, the focus on the first of them.
//
// Lengths in twips become pixels at the screen's logical resolution, so the
// layout grows with the font; where the window would not fit on the screen,
// it lays itself out smaller, in proportion. Controls with a colour of their
// own keep dark text on it whatever the desktop's theme; the rest keep the
// desktop's look.
class QtFormWidget final : public QWidget {
    Q_OBJECT

public:
    explicit QtFormWidget(const WindowDescription &description, QWidget *parent = nullptr);
    ~QtFormWidget() override;
    Q_DISABLE_COPY_MOVE(QtFormWidget)

    // The window's font as the application's, set once before the window is
    // made: a text box lays out its empty document in the application's font
    // the moment it is made, before it takes the window's.
    static void useFontForApplication(const WindowDescription &description);

    // The control, or nullptr if there is none of that name and index.
    [[nodiscard]] QWidget *control(ControlId id) const;
    template <typename Widget>
    [[nodiscard]] Widget *control(ControlId id) const
    {
        return qobject_cast<Widget *>(control(id));
    }

    // The items of a list box that is never shown, which has no widget;
    // nullptr for any other control.
    [[nodiscard]] const std::vector<std::string> *storedItems(ControlId id) const;

    // Every control that has a widget, with the name the description gives
    // it (a list box that is never shown has none).
    template <typename Visit>
    void forEachControl(Visit visit) const
    {
        for (const auto &[key, widget] : controls_)
            visit(ControlId{key.name, key.index}, widget);
    }

    [[nodiscard]] const WindowDescription &description() const { return description_; }

    // Gives the Tab key to the group's stop alone (see groupTabStop), as
    // its buttons stand now.
    void updateTabStop(std::string_view container);

    // Device-independent pixels for one twip, as laid out now.
    [[nodiscard]] double pixelsPerTwip() const { return pixelsPerTwip_; }
    [[nodiscard]] int toPixels(Twips twips) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The control's widget; nullptr for a list box that is never shown.
    QWidget *create(const ControlDescription &c);
    void chainTabOrder();
    // Places everything at the scale the screen calls for.
    void layOut();
    [[nodiscard]] double fittingScale() const;
    // Whether every caption shows whole at the font as set.
    [[nodiscard]] bool captionsFit() const;
    void followScreen();
    void watchScreen(const QScreen *screen);

    WindowDescription description_;
    ControlMap<QWidget *> controls_;
    ControlMap<std::vector<std::string>> storedLists_;
    // Other controls never shown live outside the window, so that nothing,
    // the accessibility tree included, reaches them through it.
    std::vector<std::unique_ptr<QWidget>> neverShown_;
    double pixelsPerTwip_ = 1.0 / kTwipsPerPixel;
    bool placed_ = false;
    QMetaObject::Connection screenChanged_;
    std::array<QMetaObject::Connection, 2> screenSettings_;
};

} // namespace platform
