#pragma once

#include <QWidget>

namespace platform {

// Tells assistive technology of a change away from the focus, such as a new
// verdict in the result box, so that a screen reader speaks it while the
// learner stays where they are. Screen readers pass over text changes in a
// widget without focus, but they speak a notification as it appears, so this
// is an invisible one-pixel notification that appears afresh, named by the
// text, for every announcement. Where Qt has announcement events, one is
// sent for the source widget as well.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    Announcer(QWidget *source, QWidget *parent);

    void announce(const QString &text);

private:
    QWidget *source_;
};

} // namespace platform
