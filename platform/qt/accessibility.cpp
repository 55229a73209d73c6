#include "accessibility.h"

#include "announcer.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

QAccessibleInterface *accessibleFor(const QString & /*className*/, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
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
