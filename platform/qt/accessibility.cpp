#include "accessibility.h"

#include "announcer.h"
#include "flat_frame.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

QAccessibleInterface *accessibleFor(const QString & /*className*/, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::StatusBar);
    if (auto *notice = qobject_cast<AnnouncerNotice *>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    if (auto *frame = qobject_cast<FlatFrame *>(object))
        return new QAccessibleWidget(frame, QAccessible::Grouping);
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
