#include "announcer.h"

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
    // Named, then shown: the reader hears a new notification even when the
    // text is the same as the last one.
    notice_->setAccessibleName(text);
    show();
    notice_->show();
    notice_->hide();
    hide();
}

} // namespace platform
