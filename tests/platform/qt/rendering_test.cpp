// The Qt window as a learner sees it on a real desktop: its size at the
// screen's resolution, captions that fit, text that stays readable on a dark
// theme, plain focus marks, and the result box in the desktop's own look.
#include "platform/qt/flat_frame.h"
#include "qt_quiz.h"
#include "verdicts.h"

#include <QApplication>
#include <QFile>
#include <QtEndian>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// WCAG's contrast ratio of two colours.
double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How many pixels of an area of the window stand out from the background
// by at least 4.5 : 1, the least that text must.
int readablePixels(const QImage &image, const QRect &area, const QColor &background)
{
    const qreal scale = image.devicePixelRatio();
    const QRect device(QPoint(static_cast<int>(area.left() * scale), static_cast<int>(area.top() * scale)),
                       QPoint(static_cast<int>(area.right() * scale), static_cast<int>(area.bottom() * scale)));
    int count = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (contrast(image.pixelColor(x, y), background) >= 4.5)
                ++count;
    return count;
}

QRect onWindow(const QWidget *w)
{
    return {w->mapTo(w->window(), QPoint(0, 0)), w->size()};
}

class Rendering : public ::testing::Test {
protected:
    Rendering()
    {
        window.widget().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window.widget()));
    }

    [[nodiscard]] double naturalPixelsPerTwip() const
    {
        return window.widget().screen()->logicalDotsPerInchY() / 1440.0;
    }

    QtQuiz window;
};

} // namespace

TEST_F(Rendering, WindowTakesItsSizeAndFontFromTheScreensResolution)
{
    const platform::QtFormWidget &w = window.widget();
    const double ppt = window.widget().pixelsPerTwip();
    EXPECT_EQ(w.size(), QSize(static_cast<int>(std::lround(7260 * ppt)), static_cast<int>(std::lround(6090 * ppt))));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w.windowTitle().endsWith(QString::fromUtf8("  Талвердия")));
    EXPECT_FALSE(w.windowIcon().isNull());

    const QFontInfo font(w.font());
    EXPECT_TRUE(font.family() == "Times New Roman" || font.family() == "Liberation Serif") << font.family().toStdString();
    // 12 points, unless the window had to shrink to fit the screen; then
    // smaller, and a little more where a caption would not fit.
    if (ppt == naturalPixelsPerTwip()) {
        EXPECT_EQ(font.pointSizeF(), 12);
    } else {
        EXPECT_LE(font.pointSizeF(), 12 * ppt / naturalPixelsPerTwip());
        EXPECT_GE(font.pointSizeF(), 0.8 * 12 * ppt / naturalPixelsPerTwip());
    }
    // Every control writes in the window's font.
    w.forEachControl([&](platform::ControlId id, const QWidget *c) {
        if (c->parent() == nullptr)
            return; // never shown
        EXPECT_EQ(c->font().family(), w.font().family()) << platform::displayName(id);
        EXPECT_EQ(c->font().pointSizeF(), w.font().pointSizeF()) << platform::displayName(id);
    });
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(QFontMetrics(w.font()).inFont(QChar(0x0416))) << "the face has Cyrillic";
}

TEST_F(Rendering, WholeWindowIsOnTheScreenTitleBarIncluded)
{
    const platform::QtFormWidget &w = window.widget();
    const QRect room = w.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(w.frameGeometry())) << "the window stands off the screen";
    // Room for a title bar and borders, whatever the desktop draws.
    EXPECT_LE(w.width() + 8, room.width());
    EXPECT_LE(w.height() + 32, room.height());
    // Where it fits with room to spare it keeps its size; where it cannot
    // fit even with the thinnest frame, it shrinks.
    const QSize natural(static_cast<int>(7260 * naturalPixelsPerTwip()), static_cast<int>(6090 * naturalPixelsPerTwip()));
    if (natural.width() + 100 < room.width() && natural.height() + 100 < room.height()) {
        EXPECT_DOUBLE_EQ(w.pixelsPerTwip(), naturalPixelsPerTwip()) << "it fits as it is";
    }
    if (natural.width() + 8 > room.width() || natural.height() + 32 > room.height()) {
        EXPECT_LT(w.pixelsPerTwip(), naturalPixelsPerTwip()) << "smaller, to fit";
    }
}

TEST_F(Rendering, CaptionsFitTheirControls)
{
    const auto fits = [](const QAbstractButton *b, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect room = b->style()->subElementRect(contents, &option, b);
        return b->fontMetrics().horizontalAdvance(b->text()) <= room.width();
    };
    for (int i = 0; i < quiz::kPairCount; ++i) {
        EXPECT_TRUE(fits(window.event(i), QStyle::SE_RadioButtonContents)) << window.event(i)->text().toStdString();
        EXPECT_TRUE(fits(window.date(i), QStyle::SE_CheckBoxContents)) << window.date(i)->text().toStdString();
        EXPECT_GE(window.event(i)->height(), window.event(i)->fontMetrics().height());
        EXPECT_GE(window.date(i)->height(), window.date(i)->fontMetrics().height());
    }
    for (const std::string_view name : {window::kEventFrame, window::kDateFrame}) {
        const auto *frame = window.widget().control<platform::FlatFrame>({name});
        EXPECT_LT(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width()) << name;
    }
    const auto *heading = window.widget().control<QLabel>({window::kHeading, 0});
    EXPECT_LE(heading->fontMetrics().horizontalAdvance(heading->text()), heading->width());
    EXPECT_LE(heading->fontMetrics().height(), heading->height());
    EXPECT_LT(window.clear()->fontMetrics().horizontalAdvance(window.clear()->text()) + 8, window.clear()->width());
}

TEST_F(Rendering, ResultBoxShowsTheTaskTextInTheDesktopsOwnLook)
{
    const platform::ExactTextBox *box = window.result();
    EXPECT_EQ(box->exactText(), quiz::texts().taskText);
    EXPECT_EQ(box->document()->blockCount(), 12) << "eleven lines and the empty one after the last break";
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(box->isReadOnly());
    // Not tinted by the window's colour.
    const QPalette desktop = QApplication::palette(box);
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::Text})
        EXPECT_EQ(box->palette().color(role), desktop.color(role)) << role;

    // Saved for the README when asked for.
    if (const QByteArray path = qgetenv("ZORELMINA_SCREENSHOT"); !path.isEmpty()) {
        EXPECT_TRUE(window.widget().grab().save(QString::fromLocal8Bit(path)));
    }
}

// A dark desktop theme must not put its light text on the window's fixed
// light colours.
TEST(DarkDesktop, TextOnFixedColoursStaysReadable)
{
    const QPalette before = QApplication::palette();
    const QPalette dark(QColor(230, 230, 230), QColor(45, 45, 45), QColor(70, 70, 70), QColor(20, 20, 20),
                  QColor(35, 35, 35), QColor(235, 235, 235), QColor(255, 255, 255), QColor(25, 25, 25),
                  QColor(40, 40, 40));
    QApplication::setPalette(dark);
    {
        const QtQuiz window;
        window.widget().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.widget()));
        window.event(5)->click();
        const QImage image = window.widget().grab().toImage();

        const QColor pink(255, 128, 255);
        const QColor cyan(128, 255, 255);
        const QColor lavender(192, 192, 255);
        for (int i = 0; i < quiz::kPairCount; ++i) {
            EXPECT_GT(readablePixels(image, onWindow(window.event(i)), pink), 20) << "event " << i;
            EXPECT_GT(readablePixels(image, onWindow(window.date(i)), cyan), 20) << "date " << i;
        }
        // The selected event's mark: its indicator, left of the caption.
        const QRect indicator = onWindow(window.event(5)).adjusted(0, 0, -window.event(5)->width() + 18, 0);
        EXPECT_GT(readablePixels(image, indicator, pink), 8) << "the selected event's dot";
        for (const std::string_view name : {window::kEventFrame, window::kDateFrame}) {
            const QWidget *frame = window.control({name});
            const QRect caption = onWindow(frame).adjusted(0, 0, 0, -frame->height() + frame->fontMetrics().height());
            EXPECT_GT(readablePixels(image, caption, lavender), 20) << name;
        }
        EXPECT_GT(readablePixels(image, onWindow(window.control({window::kHeading, 0})), QColor(255, 192, 128)), 20);
        EXPECT_GT(readablePixels(image, onWindow(window.clear()).adjusted(3, 3, -3, -3), QColor(255, 0, 0)), 20);
    }
    QApplication::setPalette(before);
}

// The focus mark is a solid dark frame that stands out on every colour.
TEST_F(Rendering, FocusIsDrawnPlainlyOnColouredControls)
{
    window.widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    const QColor mark(0, 0, 96);
    const auto marked = [&](QWidget *w) {
        const QImage img = w->grab().toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == mark)
                    return true;
        return false;
    };
    for (QWidget *w : std::initializer_list<QWidget *>{window.event(4), window.date(8), window.clear()}) {
        EXPECT_FALSE(marked(w)) << nameOf(window.widget(), w);
        w->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(marked(w)) << nameOf(window.widget(), w);
    }
}

TEST_F(Rendering, ExplanationListIsNeverShown)
{
    EXPECT_EQ(window.control({window::kExplanationList}), nullptr) << "no widget to show";
    EXPECT_TRUE(window.widget().findChildren<QListWidget *>().isEmpty());
    window.event(5)->click();
    window.date(5)->click();
    EXPECT_EQ(window.result()->exactText(), rightVerdict(5)) << "yet its items serve";
}

// The icon is drawn once and kept three ways; all must show the same image.
TEST(Icon, IsOneSmallImageKeptAlikeInEveryForm)
{
    const QString icons = QStringLiteral(ZORELMINA_SOURCE_DIR "/window/icons/");
    const QImage builtIn(QStringLiteral(":/icons/zorelmina.xpm"));
    const QImage themed(icons + "zorelmina.png");
    ASSERT_FALSE(builtIn.isNull());
    ASSERT_FALSE(themed.isNull());
    EXPECT_EQ(builtIn.size(), QSize(32, 32));
    EXPECT_EQ(themed.format(), QImage::Format_Indexed8);
    EXPECT_LE(themed.colorCount(), 256);
    EXPECT_EQ(builtIn.convertToFormat(QImage::Format_RGB32), themed.convertToFormat(QImage::Format_RGB32));

    // The Windows icon: one 32 x 32 entry, a classic 256-colour bitmap that
    // any Windows reads, with the same pixels.
    QFile ico(icons + "zorelmina.ico");
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    const QByteArray data = ico.readAll();
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(data.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(data.constData() + at); };
    ASSERT_GE(data.size(), 22 + 40 + 1024 + 32 * 32);
    EXPECT_EQ(u16(2), 1) << "an icon";
    ASSERT_EQ(u16(4), 1) << "one image";
    EXPECT_EQ(static_cast<unsigned char>(data[6]), 32);
    EXPECT_EQ(static_cast<unsigned char>(data[7]), 32);
    EXPECT_EQ(u16(6 + 6), 8) << "8 bits a pixel";
    const qsizetype image = u32(6 + 12);
    EXPECT_EQ(u32(image), 40U) << "a bitmap, not PNG";
    EXPECT_EQ(u32(image + 4), 32U);
    EXPECT_EQ(u32(image + 8), 64U) << "colours and mask";
    EXPECT_EQ(u16(image + 14), 8);
    const qsizetype palette = image + 40;
    const qsizetype pixels = palette + qsizetype{4} * 256;
    const QImage expected = themed.convertToFormat(QImage::Format_RGB32);
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(data[at]); };
    for (qsizetype y = 0; y < 32; ++y) {
        for (qsizetype x = 0; x < 32; ++x) {
            // Bottom row first.
            const qsizetype colour = palette + qsizetype{4} * byte(pixels + (31 - y) * 32 + x);
            const QColor shown(byte(colour + 2), byte(colour + 1), byte(colour));
            ASSERT_EQ(shown, expected.pixelColor(static_cast<int>(x), static_cast<int>(y))) << x << "," << y;
        }
    }
}
