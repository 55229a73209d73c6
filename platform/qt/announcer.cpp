#include "announcer.h"

#include <QAccessible>

namespace platform {

Announcer::Announcer(QWidget *source, QWidget *parent) : QWidget(parent), source_(source)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
}

void Announcer::announce(const QString &text)
{
    // Hidden, renamed, shown: the reader hears a new notification even when
    // the text is the same as the last one.
    hide();
    setAccessibleName(text);
    show();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source_, text);
    QAccessible::updateAccessibility(&event);
#endif
}

} // namespace platform
