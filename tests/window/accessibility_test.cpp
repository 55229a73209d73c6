// What a screen reader is given: the tree of roles, names and states, the
// events that make it speak, and the actions it can perform.
#include "accessibility_listener.h"
#include "platform/exact_text_box.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
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

    // The announcements made while f runs.
    template <typename F>
    std::vector<QString> announcementsDuring(F f)
    {
        const AccessibilityListener listener;
        f();
        resultBoxEvents = std::ranges::count_if(listener.events(), [&](const auto &e) {
            return e.object == static_cast<QObject *>(controls.result);
        });
        std::vector<QString> spoken;
        for (const AccessibilityListener::Event &e : listener.events())
            if (e.type == QAccessible::ObjectShow && e.role == QAccessible::Notification)
                spoken.push_back(e.name);
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

    Tarvel_Mondix window;
    const platform::QuizWidgets &controls = window.controls();
    long resultBoxEvents = 0;
};

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TEST_F(Accessibility, EveryControlHasItsRoleAndName)
{
    const auto nodes = tree();
    for (std::size_t i = 0; i < controls.events.size(); ++i) {
        const auto pair = quiz::pair(static_cast<quiz::PairIndex>(i));
        const Node &event = nodeFor(nodes, controls.events[i]);
        EXPECT_EQ(event.role, QAccessible::RadioButton);
        EXPECT_EQ(event.name, qs(pair.event));
        EXPECT_TRUE(event.state.checkable);
        const Node &date = nodeFor(nodes, controls.dates[i]);
        EXPECT_EQ(date.role, QAccessible::CheckBox);
        // A caption that ends in a blank is read without it.
        EXPECT_EQ(date.name.trimmed(), qs(pair.date).trimmed());
    }
    const platform::QtForm &w = window.widget();
    EXPECT_EQ(nodeFor(nodes, w.control(window::kClearButton)).role, QAccessible::Button);
    EXPECT_EQ(nodeFor(nodes, w.control(window::kClearButton)).name, qs(quiz::texts().clearCaption));
    EXPECT_EQ(nodeFor(nodes, w.control("Label1", 0)).name, qs(quiz::texts().heading));
    EXPECT_EQ(nodeFor(nodes, w.control("Frame1")).role, QAccessible::Grouping);
    EXPECT_EQ(nodeFor(nodes, w.control("Frame1")).name, qs(quiz::texts().eventFrameCaption));
    EXPECT_EQ(nodeFor(nodes, w.control("Frame2")).name, qs(quiz::texts().dateFrameCaption));

    const Node &result = nodeFor(nodes, controls.result);
    EXPECT_EQ(result.role, QAccessible::EditableText);
    EXPECT_EQ(result.name, QString::fromUtf8("Резултат"));
    EXPECT_TRUE(result.state.readOnly);
    EXPECT_TRUE(result.state.focused);
}

TEST_F(Accessibility, HiddenExplanationListIsLeftOut)
{
    for (const Node &n : tree()) {
        EXPECT_NE(n.role, QAccessible::List);
        EXPECT_NE(n.object, window.widget().control(window::kExplanationList));
    }
}

TEST_F(Accessibility, StatesFollowTheBoard)
{
    controls.events[3]->click();
    controls.dates[6]->click();
    const auto nodes = tree();
    EXPECT_TRUE(nodeFor(nodes, controls.events[3]).state.checked);
    EXPECT_FALSE(nodeFor(nodes, controls.events[4]).state.checked);
    EXPECT_TRUE(nodeFor(nodes, controls.dates[6]).state.checked);
    EXPECT_FALSE(nodeFor(nodes, controls.dates[3]).state.checked);
}

TEST_F(Accessibility, EveryVerdictAndClearingIsAnnounced)
{
    const QString right = QString::fromUtf8("Правилно! ") + qs(quiz::pair(5).explanation).trimmed();
    EXPECT_TRUE(announcementsDuring([&] { controls.events[5]->click(); }).empty()) << "nothing judged yet";
    EXPECT_EQ(announcementsDuring([&] { controls.dates[5]->click(); }), std::vector<QString>{right});
    EXPECT_GT(resultBoxEvents, 0);
    const std::vector<QString> wrong{QString::fromUtf8("Грешка!")};
    EXPECT_EQ(announcementsDuring([&] { controls.dates[2]->click(); }), wrong);
    EXPECT_EQ(announcementsDuring([&] { controls.dates[3]->click(); }), wrong) << "the same verdict is spoken again";
    EXPECT_EQ(announcementsDuring([&] { window.widget().control<QPushButton>(window::kClearButton)->click(); }),
              std::vector<QString>{QString::fromUtf8("Изборът е изчистен.")})
        << "one announcement for the clearing, none for the un-ticking inside it";
    EXPECT_GT(resultBoxEvents, 0);
}

TEST_F(Accessibility, AnnouncingLeavesTheFocusAlone)
{
    window.widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    controls.dates[1]->setFocus();
    controls.events[1]->click();
    controls.dates[1]->click();
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(controls.dates[1]));
}

// A screen reader's press or toggle plays exactly as a click does.
TEST_F(Accessibility, ActionsPlayTheQuiz)
{
    act(controls.events[7], QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(controls.events[7]->isChecked());
    EXPECT_EQ(window.quiz().state().EventIndex, 7);
    act(controls.dates[7], QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(controls.dates[7]->checkState(), Qt::Checked);
    EXPECT_EQ(controls.result->exactText(), "Правилно!\r\n" + std::string{quiz::pair(7).explanation} + "\r\n");
    act(controls.dates[7], QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(controls.result->exactText(), "Грешка!");
    // Qt animates a pressed button for a moment before it clicks.
    act(window.widget().control(window::kClearButton), QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return controls.result->exactText().empty(); }));
    EXPECT_FALSE(controls.events[7]->isChecked());
}

TEST_F(Accessibility, ResultBoxMenuSpeaksBulgarian)
{
    controls.result->selectAll();
    const std::unique_ptr<QMenu> menu(controls.result->createBulgarianContextMenu());
    int named = 0;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        ++named;
        const QString label = action->text().section(u'\t', 0, 0).remove(u'&');
        for (QChar c : label)
            EXPECT_FALSE(c.isLetter() && c.unicode() < 0x80) << label.toStdString();
    }
    EXPECT_GE(named, 2) << "copy and select all";
}
