// What the learner sees: the window grabbed as an image and its widgets'
// geometry, checked against the colours, order and texts the quiz asks for.
#include "learner.h"
#include "platform/exact_text_box.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Rendering : public ::testing::Test {
protected:
    Rendering()
    {
        window.widget().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window.widget()));
    }

    QImage image() { return window.widget().grab().toImage(); }

    // The colour at a point of the window, given in device-independent
    // pixels, so the checks hold at any screen scale.
    static QColor colourAt(const QImage &img, QPoint p)
    {
        const qreal scale = img.devicePixelRatio();
        return img.pixelColor(static_cast<int>((p.x() + 0.5) * scale), static_cast<int>((p.y() + 0.5) * scale));
    }

    // The colour at a point of a control.
    static QColor colourAt(const QImage &img, const QWidget *w, QPoint local)
    {
        return colourAt(img, w->mapTo(w->window(), local));
    }

    template <typename Button>
    std::vector<Button *> column(const std::array<Button *, quiz::kPairCount> &buttons) const
    {
        std::vector<Button *> sorted(buttons.begin(), buttons.end());
        std::ranges::sort(sorted, {}, [](const Button *b) { return b->mapTo(b->window(), QPoint()).y(); });
        return sorted;
    }

    Tarvel_Mondix window;
    const platform::QuizWidgets &controls = window.controls();
};

QString caption(const QAbstractButton *b)
{
    return b->text();
}

} // namespace

TEST_F(Rendering, WindowHasItsSizeTitleAndFont)
{
    const QWidget &w = window.widget();
    EXPECT_EQ(w.size(), QSize(484, 406));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_TRUE(w.windowTitle().endsWith(QString::fromUtf8("  Талвердия")));
    EXPECT_FALSE(w.windowIcon().isNull());

    const QFontInfo font(w.font());
    EXPECT_TRUE(font.family() == "Times New Roman" || font.family() == "Liberation Serif") << font.family().toStdString();
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(QFontMetrics(w.font()).inFont(QChar(0x0416))) << "the face has Cyrillic";
}

TEST_F(Rendering, EveryControlShowsItsColour)
{
    const QImage img = image();
    const QColor lavender(192, 192, 255);
    EXPECT_EQ(colourAt(img, {2, 2}), lavender) << "window";
    EXPECT_EQ(colourAt(img, {300, 260}), lavender) << "window below the frames";
    const auto *events = window.widget().control("Frame1");
    EXPECT_EQ(colourAt(img, events, {5, events->height() / 2}), lavender) << "event frame";

    for (std::size_t i = 0; i < controls.events.size(); ++i) {
        const QRadioButton *b = controls.events[i];
        EXPECT_EQ(colourAt(img, b, {b->width() - 2, b->height() / 2}), QColor(255, 128, 255)) << i;
        const QCheckBox *d = controls.dates[i];
        EXPECT_EQ(colourAt(img, d, {d->width() - 2, d->height() / 2}), QColor(128, 255, 255)) << i;
    }

    const QWidget *heading = window.widget().control("Label1", 0);
    EXPECT_EQ(colourAt(img, heading, {3, 3}), QColor(255, 192, 128));
    const QWidget *clear = window.widget().control(window::kClearButton);
    EXPECT_EQ(colourAt(img, clear, {6, clear->height() / 2}), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(img, clear, {clear->width() - 7, clear->height() - 7}), QColor(255, 0, 0)) << "solid, no gradient";
}

TEST_F(Rendering, ExplanationListIsNeverShown)
{
    const auto *list = window.widget().control<QListWidget>(window::kExplanationList);
    auto learner = makeBoardLearner();
    EXPECT_FALSE(list->isVisible());
    // The place it would take shows the window behind it.
    const QRect place = list->geometry();
    EXPECT_EQ(colourAt(image(), place.center()), QColor(192, 192, 255));

    controls.events[5]->click();
    controls.dates[5]->click();
    window.widget().control<QPushButton>(window::kClearButton)->click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(list->count(), quiz::kPairCount);
}

// The order comes from where the widgets are drawn, not from a table.
TEST_F(Rendering, ColumnsAreSortedByCaptionAndDoNotLineUp)
{
    const auto events = column(controls.events);
    const auto dates = column(controls.dates);
    EXPECT_TRUE(std::ranges::is_sorted(events, {}, [](auto *b) { return caption(b).toStdU32String(); }));
    EXPECT_TRUE(std::ranges::is_sorted(dates, {}, [](auto *b) { return caption(b).toStdU32String(); }));
    for (std::size_t row = 0; row < events.size(); ++row) {
        const auto pairOf = [](const auto &col, const auto *b) { return std::ranges::find(col, b) - col.begin(); };
        EXPECT_NE(pairOf(controls.events, events[row]), pairOf(controls.dates, dates[row])) << "row " << row + 1;
        // Rows are 20 pixels apart, one under the other.
        EXPECT_EQ(events[row]->y(), 20 * static_cast<int>(row + 1));
        EXPECT_EQ(dates[row]->y(), 20 * static_cast<int>(row + 1));
    }
    EXPECT_EQ(events.front()->text(), QString::fromUtf8(quiz::pair(7).event.data()));
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
    for (std::size_t i = 0; i < controls.events.size(); ++i) {
        EXPECT_TRUE(fits(controls.events[i], QStyle::SE_RadioButtonContents)) << caption(controls.events[i]).toStdString();
        EXPECT_TRUE(fits(controls.dates[i], QStyle::SE_CheckBoxContents)) << caption(controls.dates[i]).toStdString();
        EXPECT_GE(controls.events[i]->height(), controls.events[i]->fontMetrics().height());
    }
    for (const char *name : {"Frame1", "Frame2"}) {
        const auto *frame = window.widget().control<QGroupBox>(name);
        EXPECT_LT(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width()) << name;
    }
    const auto *heading = window.widget().control<QLabel>("Label1", 0);
    EXPECT_LE(heading->fontMetrics().horizontalAdvance(heading->text()), heading->width());
    EXPECT_LE(heading->fontMetrics().height(), heading->height());
    const auto *clear = window.widget().control<QPushButton>(window::kClearButton);
    EXPECT_LT(clear->fontMetrics().horizontalAdvance(clear->text()) + 8, clear->width());
}

TEST_F(Rendering, ResultBoxShowsTheTaskTextLineByLine)
{
    const platform::ExactTextBox *box = controls.result;
    EXPECT_EQ(box->exactText(), quiz::texts().taskText);
    EXPECT_EQ(box->document()->blockCount(), 12) << "eleven lines and the empty one after the last break";
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(box->isReadOnly());

    // Saved for the README when asked for.
    if (const QByteArray path = qgetenv("ZORELMINA_SCREENSHOT"); !path.isEmpty()) {
        EXPECT_TRUE(image().save(QString::fromLocal8Bit(path)));
    }
}

// The icon is drawn once and kept three ways; all must show the same image.
TEST(Icon, IsOneSmallImageKeptAlikeInEveryForm)
{
    const QString icons = QStringLiteral(ZORELMINA_SOURCE_DIR "/window/icons/");
    const QImage builtIn(QStringLiteral(":/zorelmina/zorelmina.xpm"));
    const QImage themed(icons + "zorelmina.png");
    ASSERT_FALSE(builtIn.isNull());
    ASSERT_FALSE(themed.isNull());
    EXPECT_EQ(builtIn.size(), QSize(32, 32));
    EXPECT_EQ(themed.format(), QImage::Format_Indexed8);
    EXPECT_LE(themed.colorCount(), 256);
    EXPECT_EQ(builtIn.convertToFormat(QImage::Format_RGB32), themed.convertToFormat(QImage::Format_RGB32));

    // The Windows icon holds the PNG itself, after its 22-byte header.
    QFile png(icons + "zorelmina.png");
    QFile ico(icons + "zorelmina.ico");
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    EXPECT_EQ(ico.readAll().mid(22), png.readAll());
}
