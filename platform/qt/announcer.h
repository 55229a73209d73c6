#pragma once

#include <QWidget>

namespace platform {

// Tells assistive technology of a change away from the focus, such as a new
// verdict in the result box, so that a screen reader speaks it while the
// learner stays where they are, as words alone. Screen readers pass over
// text changes in a widget without focus, but speak a notification as it
// appears, with its role word unless it appears in a status bar: so this is
// an invisible one-pixel status bar, shown only for the moment a
// notification in it, named by the text, appears afresh, and hidden again
// with it at once, so that nothing is left for a reader's review of the
// window to find. Where Qt has announcement events (6.8 on), it sends one
// instead.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);

private:
    QWidget *notice_;
};

// What an announcer's notice is, for its accessible face.
class AnnouncerNotice final : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

} // namespace platform
