#pragma once

#include <QAccessible>

#include <vector>

// Makes Qt's accessibility active, as when a screen reader is attached, and
// records every accessibility event while it lives.
class AccessibilityListener {
public:
    struct Event {
        QAccessible::Event type;
        QObject *object;
        QAccessible::Role role;
        QString name;
        // What an announcement says.
        QString message;
    };

    AccessibilityListener();
    ~AccessibilityListener();
    AccessibilityListener(const AccessibilityListener &) = delete;
    AccessibilityListener &operator=(const AccessibilityListener &) = delete;

    [[nodiscard]] const std::vector<Event> &events() const { return events_; }
    void clear() { events_.clear(); }

private:
    static void record(QAccessibleEvent *event);

    QAccessible::UpdateHandler previous_;
    std::vector<Event> events_;
};
