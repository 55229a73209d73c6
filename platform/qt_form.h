#pragma once

#include "window_description.h"

#include <QWidget>

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// Device-independent pixels for a length in twips; Qt scales them to the
// screen.
int toPixels(Twips twips);

// A top-level window built from its description: every control created in
// the listed order inside its container, placed, coloured and captioned, the
// tab chain following the tab positions, the focus on the first of them.
class QtForm : public QWidget {
public:
    explicit QtForm(const WindowDescription &description, QWidget *parent = nullptr);

    // The control of that name (and array index); nullptr if there is none.
    [[nodiscard]] QWidget *control(std::string_view name, int index = -1) const;

    // A control described as hidden: it stays out of sight and out of the
    // accessibility tree.
    [[nodiscard]] bool isNeverShown(const QWidget *control) const;

    template <typename Widget>
    [[nodiscard]] Widget *control(std::string_view name, int index = -1) const
    {
        return qobject_cast<Widget *>(control(name, index));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *create(const ControlDescription &c, QWidget *container);
    void chainTabOrder(const WindowDescription &description);

    std::map<std::pair<std::string, int>, QWidget *, std::less<>> controls_;
    std::vector<const QWidget *> neverShown_;
};

} // namespace platform
