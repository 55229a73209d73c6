#include "accessibility_listener.h"

#include <QGuiApplication>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <stdexcept>

namespace {

// The update handler is a plain function; it finds its listener here.
AccessibilityListener *&current()
{
    static AccessibilityListener *listener = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
    return listener;
}

QPlatformAccessibility *platformAccessibility()
{
    QPlatformAccessibility *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (accessibility == nullptr)
        throw std::runtime_error("this Qt platform has no accessibility");
    return accessibility;
}

} // namespace

AccessibilityListener::AccessibilityListener() : previous_(QAccessible::installUpdateHandler(record))
{
    current() = this;
    platformAccessibility()->setActive(true);
}

AccessibilityListener::~AccessibilityListener()
{
    platformAccessibility()->setActive(false);
    QAccessible::installUpdateHandler(previous_);
    current() = nullptr;
}

void AccessibilityListener::record(QAccessibleEvent *event)
{
    if (current() == nullptr)
        return;
    Event e{event->type(), event->object(), QAccessible::NoRole, {}, {}};
    if (QAccessibleInterface *iface = event->accessibleInterface()) {
        e.role = iface->role();
        e.name = iface->text(QAccessible::Name);
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        e.message = static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
    current()->events_.push_back(std::move(e));
}
