// What a screen reader is given: the tree of roles, names and states, the
// events that make it speak, and the actions it can perform.
#include "accessibility_listener.h"
#include "platform/qt/qt_text.h"
#include "qt_quiz.h"
#include "verdicts.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

struct Node {
    QAccessible::Role role;
    QString name;
    QAccessible::State state;
    QObject *object;
};

void collect(QAccessibleInterface *iface, std::vector<Node> &out)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        ASSERT_NE(child, nullptr);
        out.push_back({child->role(), child->text(QAccessible::Name), child->state(), child->object()});
        collect(child, out);
    }
}

class Accessibility : public ::testing::Test {
protected:
    Accessibility()
    {
        window.widget().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window.widget()));
        // The listener is made before the tree is read, since a screen
        // reader is there before the quiz starts.
    }

    std::vector<Node> tree()
    {
        std::vector<Node> nodes;
        collect(QAccessible::queryAccessibleInterface(&window.widget()), nodes);
        return nodes;
    }

    const Node &nodeFor(const std::vector<Node> &nodes, const QObject *object)
    {
        for (const Node &n : nodes)
            if (n.object == object)
                return n;
        throw std::runtime_error("not in the accessibility tree");
    }

    // The notifications that appear while f runs, as a screen reader speaks
    // them: in a status bar, so without their role word; or where Qt has
    // them, its announcements.
    template <typename F>
    std::vector<QString> announcementsDuring(F f)
    {
        const AccessibilityListener listener;
        f();
        resultBoxEvents = std::ranges::count_if(listener.events(), [&](const auto &e) {
            return e.object == static_cast<QObject *>(window.result());
        });
        std::vector<QString> spoken;
        for (const AccessibilityListener::Event &e : listener.events()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            // Qt's own announcements instead, and no notification.
            EXPECT_NE(e.role, QAccessible::Notification);
            if (e.type == QAccessible::Announcement)
                spoken.push_back(e.message);
            continue;
#endif
            if (e.type != QAccessible::ObjectShow || e.role != QAccessible::Notification)
                continue;
            spoken.push_back(e.name);
            QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(e.object)->parent();
            EXPECT_EQ(bar->role(), QAccessible::StatusBar);
            EXPECT_TRUE(bar->state().invisible) << "gone again, with nothing to review";
        }
        return spoken;
    }

    static void act(QObject *control, const QString &action)
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(iface->actionInterface(), nullptr);
        ASSERT_TRUE(iface->actionInterface()->actionNames().contains(action))
            << iface->actionInterface()->actionNames().join(",").toStdString();
        iface->actionInterface()->doAction(action);
    }

    QtQuiz window;
    long resultBoxEvents = 0;
};


} // namespace

TEST_F(Accessibility, EveryControlHasItsRoleAndName)
{
    const auto nodes = tree();
    for (std::size_t i = 0; i < quiz::kPairCount; ++i) {
        const auto pair = quiz::pair(static_cast<quiz::PairIndex>(i));
        const Node &event = nodeFor(nodes, window.event(static_cast<int>(i)));
        EXPECT_EQ(event.role, QAccessible::RadioButton);
        EXPECT_EQ(event.name, platform::toQString(pair.event));
        EXPECT_TRUE(event.state.checkable);
        const Node &date = nodeFor(nodes, window.date(static_cast<int>(i)));
        EXPECT_EQ(date.role, QAccessible::CheckBox);
        // A caption that ends in a blank is read without it.
        EXPECT_EQ(date.name.trimmed(), platform::toQString(pair.date).trimmed());
    }
    EXPECT_EQ(nodeFor(nodes, window.clear()).role, QAccessible::Button);
    EXPECT_EQ(nodeFor(nodes, window.clear()).name, platform::toQString(quiz::texts().clearCaption));
    EXPECT_EQ(nodeFor(nodes, window.control({window::kHeading, 0})).name, platform::toQString(quiz::texts().heading));
    EXPECT_EQ(nodeFor(nodes, window.control({window::kEventFrame})).role, QAccessible::Grouping);
    EXPECT_EQ(nodeFor(nodes, window.control({window::kEventFrame})).name, platform::toQString(quiz::texts().eventFrameCaption));
    EXPECT_EQ(nodeFor(nodes, window.control({window::kDateFrame})).name, platform::toQString(quiz::texts().dateFrameCaption));

    const Node &result = nodeFor(nodes, window.result());
    EXPECT_EQ(result.role, QAccessible::EditableText);
    EXPECT_EQ(result.name, QString::fromUtf8("Резултат"));
    EXPECT_TRUE(result.state.readOnly);
    EXPECT_TRUE(result.state.focused);
}

// A reader that walks the tree would otherwise read out every answer.
TEST_F(Accessibility, HiddenExplanationListIsLeftOut)
{
    const auto nodes = tree();
    for (const Node &n : nodes) {
        EXPECT_NE(n.role, QAccessible::List);
        EXPECT_NE(n.object, window.control({window::kExplanationList}));
        for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
            EXPECT_NE(n.name, platform::toQString(quiz::pair(i).explanation)) << "an explanation is reachable";
    }
    // Nor from the application down.
    std::vector<Node> all;
    collect(QAccessible::queryAccessibleInterface(qApp), all);
    EXPECT_GE(all.size(), nodes.size());
    for (const Node &n : all)
        EXPECT_NE(n.role, QAccessible::List);
}

TEST_F(Accessibility, StatesFollowTheBoard)
{
    window.event(3)->click();
    window.date(6)->click();
    const auto nodes = tree();
    EXPECT_TRUE(nodeFor(nodes, window.event(3)).state.checked);
    EXPECT_FALSE(nodeFor(nodes, window.event(4)).state.checked);
    EXPECT_TRUE(nodeFor(nodes, window.date(6)).state.checked);
    EXPECT_FALSE(nodeFor(nodes, window.date(3)).state.checked);
}

TEST_F(Accessibility, EveryVerdictAndClearingIsAnnouncedLeavingNothingBehind)
{
    const std::vector<QString> right{QString::fromUtf8("Правилно! Кристална нощ - 9 - 10 XI.1938")};
    EXPECT_TRUE(announcementsDuring([&] { window.event(5)->click(); }).empty()) << "nothing judged yet";
    EXPECT_EQ(announcementsDuring([&] { window.date(5)->click(); }), right);
    EXPECT_GT(resultBoxEvents, 0);
    const std::vector<QString> wrong{QString::fromUtf8("Грешка!")};
    EXPECT_EQ(announcementsDuring([&] { window.date(2)->click(); }), wrong);
    EXPECT_EQ(announcementsDuring([&] { window.date(3)->click(); }), wrong) << "the same verdict is spoken again";
    const std::vector<QString> cleared{QString::fromUtf8("Изборът е изчистен.")};
    EXPECT_EQ(announcementsDuring([&] { window.clear()->click(); }), cleared)
        << "one announcement for the clearing, none for the un-ticking inside it";
    EXPECT_GT(resultBoxEvents, 0);
}

TEST_F(Accessibility, AnnouncingLeavesTheFocusAlone)
{
    window.widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    window.date(1)->setFocus();
    window.event(1)->click();
    window.date(1)->click();
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.date(1)));
}

// A screen reader's press or toggle plays exactly as a click does.
TEST_F(Accessibility, ActionsPlayTheQuiz)
{
    act(window.event(7), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(window.event(7)->isChecked());
    EXPECT_EQ(window.quiz().state().EventIndex, 7);
    act(window.date(7), QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(window.date(7)->checkState(), Qt::Checked);
    EXPECT_EQ(window.result()->exactText(), rightVerdict(7));
    act(window.date(7), QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(window.result()->exactText(), kWrongVerdict);
    // Qt animates a pressed button for a moment before it clicks.
    act(window.clear(), QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.result()->exactText().empty(); }));
    EXPECT_FALSE(window.event(7)->isChecked());
}

// Tab or Shift+Tab into the events lands on the selected one also when a
// screen reader selected it and the focus never went there.
TEST_F(Accessibility, TabIntoTheEventsAfterAnActionLandsOnTheSelectedOne)
{
    window.widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    act(window.event(6), QAccessibleActionInterface::toggleAction());
    ASSERT_TRUE(window.event(6)->isChecked());
    window.date(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.date(0), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.event(6))) << "back from the dates";
    window.clear()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.clear(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.event(6))) << "on from the clear button";
    EXPECT_EQ(window.quiz().state().EventIndex, 6);
}

// Down moves through the nights without selecting while none is selected;
// out of the column and back, the learner is on its top row again.
TEST_F(Accessibility, TabBackIntoTheEventsAfterArrowsLandsOnTheTopRow)
{
    window.widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    window.event(7)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.event(7), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.event(2)));
    ASSERT_FALSE(window.event(2)->isChecked());
    QTest::keyClick(window.event(2), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.date(0))) << "out of the column at once";
    QTest::keyClick(window.date(0), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(window.event(7)));
}

// Qt's own texts come from its Bulgarian catalogue, which the test program
// loads as the quiz does.
TEST_F(Accessibility, ResultBoxMenuSpeaksBulgarian)
{
    window.result()->selectAll();
    const std::unique_ptr<QMenu> menu(window.result()->createStandardContextMenu());
    std::vector<QString> labels;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            labels.push_back(action->text().section(u'\t', 0, 0));
    const auto shown = [&](const char *source) {
        const QString text = QCoreApplication::translate("QWidgetTextControl", source);
        return text != QString::fromUtf8(source) && std::ranges::find(labels, text) != labels.end();
    };
    EXPECT_EQ(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QString::fromUtf8("&Копиране"));
    EXPECT_TRUE(shown("&Copy"));
    EXPECT_TRUE(shown("Select All"));
    for (const QString &label : labels)
        for (QChar c : label)
            EXPECT_FALSE(c.isLetter() && c.unicode() < 0x80) << label.toStdString();
}
