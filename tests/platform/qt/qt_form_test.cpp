// The Qt form on a small window of its own: what any description gets.
#include "platform/qt/exact_text_box.h"
#include "platform/qt/flat_frame.h"
#include "platform/qt/qt_form_widget.h"
#include "qt_quiz.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

using platform::ControlDescription;
using platform::ControlKind;

namespace {

platform::WindowDescription smallWindow()
{
    return {
        .name = "Small",
        .title = "Заглавие",
        .clientWidth = 3000,
        .clientHeight = 1500,
        .background = {10, 20, 30},
        .font = {.family = "Times New Roman", .pointSize = 12},
        .minimiseButton = false,
        .maximiseButton = false,
        .controls = {
            {.name = "Box", .kind = ControlKind::Frame, .caption = "Рамка", .left = 150, .top = 300,
             .width = 1500, .height = 900, .tabIndex = 9},
            {.name = "Tick", .index = 1, .container = "Box", .kind = ControlKind::CheckBox, .caption = "б",
             .left = 150, .top = 500, .width = 1200, .height = 300, .tabIndex = 2},
            {.name = "Tick", .index = 0, .container = "Box", .kind = ControlKind::CheckBox, .caption = "а",
             .left = 150, .top = 200, .width = 1200, .height = 300, .background = platform::Rgb{1, 2, 3},
             .tabIndex = 4},
            {.name = "Go", .kind = ControlKind::PushButton, .caption = "Хайде", .left = 1800, .top = 300,
             .width = 900, .height = 400, .tabIndex = 3},
            {.name = "Store", .kind = ControlKind::ListBox, .items = {"едно", "две"}, .left = 1800,
             .top = 800, .width = 900, .height = 400, .tabIndex = 0, .visible = false},
            {.name = "Note", .index = 0, .kind = ControlKind::Label, .caption = "Бележка", .left = 0,
             .top = 0, .width = 3000, .height = 300, .tabIndex = 1},
        },
    };
}

} // namespace

// Fifteen twips to a pixel at the usual 96 dots per inch, ten at 144.
TEST(QtForm, PlacesControlsInTheirContainersAtTheScreensResolution)
{
    const platform::QtFormWidget form(smallWindow());
    const double perTwip = form.screen()->logicalDotsPerInchY() / 1440;
    const auto px = [perTwip](int twips) { return static_cast<int>(std::lround(twips * perTwip)); };
    EXPECT_EQ(form.size(), QSize(px(3000), px(1500)));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed size";
    EXPECT_FALSE(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Заглавие"));

    auto *box = form.control<platform::FlatFrame>({"Box"});
    auto *tick = form.control<QCheckBox>({"Tick", 0});
    ASSERT_NE(box, nullptr);
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->parentWidget(), box);
    EXPECT_EQ(tick->geometry(), QRect(px(150), px(200), px(1200), px(300))) << "200/15 rounds to 13";
    EXPECT_EQ(box->geometry(), QRect(px(150), px(300), px(1500), px(900)));
    EXPECT_EQ(tick->palette().color(QPalette::Window), QColor(1, 2, 3));
    EXPECT_TRUE(tick->autoFillBackground());
    EXPECT_EQ(form.control({"Tick", 7}), nullptr);
    EXPECT_EQ(form.control<QLabel>({"Note", 0})->text(), QString::fromUtf8("Бележка"));
}

TEST(QtForm, HiddenListIsNoWidgetYetServesItsItems)
{
    platform::QtFormWidget form(smallWindow());
    form.show();
    EXPECT_EQ(form.control({"Store"}), nullptr) << "nothing to show, nothing to reach";
    EXPECT_TRUE(form.findChildren<QListWidget *>().isEmpty());
    const std::vector<std::string> *items = form.storedItems({"Store"});
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(*items, (std::vector<std::string>{"едно", "две"}));
    EXPECT_EQ(form.storedItems({"Tick", 0}), nullptr);
}

TEST(QtForm, TabChainFollowsTabPositionsAndStartsTheFocus)
{
    platform::QtFormWidget form(smallWindow());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // The list is hidden and the label and frame take no focus, so the chain
    // is Tick(1) at 2, Go at 3, Tick(0) at 4.
    std::vector<QString> visited;
    for (int i = 0; i < 4; ++i) {
        visited.push_back(QString::fromStdString(nameOf(form, QApplication::focusWidget())));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (std::vector<QString>{"Tick(1)", "Go", "Tick(0)", "Tick(1)"}));
}

// A window keeps to itself: the application's font is the program's to set,
// and only the screen the window is on moves it.
TEST(QtForm, LeavesTheApplicationAloneAndFollowsOnlyItsScreen)
{
    const QFont applicationFont = QApplication::font();
    platform::WindowDescription d = smallWindow();
    d.font.pointSize = 31;
    platform::QtFormWidget form(d);
    EXPECT_EQ(QApplication::font(), applicationFont);

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QScreen *screen = form.screen();
    const QRect room = screen->availableGeometry();
    const auto shoveAwayAndChange = [&] {
        form.move(room.right() + 500, room.bottom() + 500);
        emit screen->availableGeometryChanged(room);
        return room.contains(form.frameGeometry().topLeft());
    };
    EXPECT_TRUE(shoveAwayAndChange()) << "back on the screen it was shown on";
    emit form.windowHandle()->screenChanged(nullptr);
    EXPECT_FALSE(shoveAwayAndChange()) << "a screen it has left does not move it";
}

TEST(QtForm, ContainerMustComeBeforeItsControls)
{
    platform::WindowDescription d = smallWindow();
    std::swap(d.controls[0], d.controls[1]);
    EXPECT_THROW(platform::QtFormWidget{d}, std::invalid_argument);
}

TEST(ExactTextBox, ShowsEachCrLfAsOneLineBreak)
{
    platform::ExactTextBox box;
    box.setExactText("едно\r\nдве\r\n");
    EXPECT_EQ(box.exactText(), "едно\r\nдве\r\n");
    EXPECT_EQ(box.document()->blockCount(), 3);
    EXPECT_EQ(box.toPlainText(), QString::fromUtf8("едно\nдве\n"));
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_TRUE(box.textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST(ExactTextBox, ShowsAFrameWhileItHasTheFocus)
{
    QWidget window;
    auto *box = new platform::ExactTextBox(&window);
    auto *other = new QCheckBox(QStringLiteral("x"), &window);
    box->setGeometry(0, 0, 120, 60);
    other->setGeometry(0, 70, 60, 20);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const QColor mark = box->palette().color(QPalette::Text);
    // The top edge, away from the scroll bar.
    const auto framed = [&] {
        const QImage image = window.grab(box->geometry()).toImage();
        const qreal scale = image.devicePixelRatio();
        for (int x = 10; x < 60; ++x)
            if (image.pixelColor(static_cast<int>(x * scale), 0) != mark)
                return false;
        return true;
    };
    other->setFocus();
    EXPECT_FALSE(framed());
    box->setFocus();
    EXPECT_TRUE(framed());
}
