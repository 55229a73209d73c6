#include "accessibility.h"

#include "announcer.h"
#include "qt_form.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace platform {

namespace {

class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(QtForm *form) : QAccessibleWidget(form, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto list = children();
        if (index < 0 || index >= static_cast<int>(list.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(list[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto list = children();
        const auto found = std::ranges::find(list, child == nullptr ? nullptr : child->object());
        return found == list.end() ? -1 : static_cast<int>(found - list.begin());
    }

private:
    // The form's own widgets, less those the learner never sees.
    std::vector<QObject *> children() const
    {
        const auto *form = static_cast<const QtForm *>(widget());
        std::vector<QObject *> list;
        for (QObject *object : form->children()) {
            auto *w = qobject_cast<QWidget *>(object);
            if (w != nullptr && !w->isWindow() && !form->isNeverShown(w))
                list.push_back(w);
        }
        return list;
    }
};

QAccessibleInterface *accessibleFor(const QString & /*className*/, QObject *object)
{
    if (auto *form = dynamic_cast<QtForm *>(object))
        return new FormAccessible(form);
    if (auto *announcer = dynamic_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}

} // namespace platform
