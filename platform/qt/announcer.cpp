#include "announcer.h"

#include <QAccessible>

namespace platform {

Announcer::Announcer(QWidget *parent) : QWidget(parent), notice_(new AnnouncerNotice(this))
{
    for (QWidget *w : {static_cast<QWidget *>(this), notice_}) {
        w->setFocusPolicy(Qt::NoFocus);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        w->setGeometry(0, 0, 1, 1);
    }
    hide();
}

void Announcer::announce(const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt's own announcement, which a reader speaks as words alone (Orca 48
    // does), where Qt has one; and no notification beside it, which would
    // be spoken twice, or with its role word (Orca 48 gives every
    // notification its role word).
    QAccessibleAnnouncementEvent event(parentWidget(), text);
    QAccessible::updateAccessibility(&event);
#else
    // Named, then shown: the reader hears a new notification even when the
    // text is the same as the last one.
    notice_->setAccessibleName(text);
    show();
    notice_->show();
    notice_->hide();
    hide();
#endif
}

} // namespace platform
