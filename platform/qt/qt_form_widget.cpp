#include "qt_form_widget.h"

#include "accessibility.h"
#include "exact_text_box.h"
#include "flat_frame.h"
#include "focus_style.h"
#include "qt_text.h"
#include "solid_button.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace platform {

namespace {

// Room left round the window for the desktop's frame and title bar, until
// the window system says how much it takes.
const QMargins kFrameAllowance(8, 40, 8, 8);

// Room a caption leaves inside a push button's border and beside a frame's
// caption, in pixels.
constexpr int kButtonTextMargin = 8;
constexpr int kFrameTextMargin = 16;

QColor toQColor(const Rgb &rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

QFont toQFont(const FontDescription &font, double shrink)
{
    // Qt picks glyphs by writing system, so the character set needs no
    // setting of its own: Cyrillic text finds a face that has it.
    QFont qfont(toQString(font.family));
    qfont.setPointSizeF(font.pointSize * shrink);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

// Every role a control on a fixed colour is drawn with, fixed too: dark
// text and marks on light faces, whatever the desktop's theme says.
QPalette fixedPalette(const QColor &background)
{
    const QColor text(Qt::black);
    return {text, background, background.lighter(150), background.darker(200), background.darker(150),
            text, QColor(Qt::white), QColor(Qt::white), background};
}

void fillBackground(QWidget *widget, const Rgb &rgb)
{
    // Buttons fill with the Button role by default, which styles also use
    // for other parts; fill with Window instead.
    widget->setBackgroundRole(QPalette::Window);
    widget->setPalette(fixedPalette(toQColor(rgb)));
    widget->setAutoFillBackground(true);
}

// The icon also at twice and three times its size for high-density screens,
// with square pixels rather than smoothed ones.
QIcon crispIcon(const std::string &name)
{
    // Named as what it is: left to guess, the reader would load every image
    // plugin to ask whether it reads XPM, which costs the start-up time and
    // memory for nothing.
    QImageReader reader(QStringLiteral(":/zorelmina/%1.xpm").arg(toQString(name)), "xpm");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    QIcon icon;
    for (int scale = 1; scale <= 3; ++scale)
        icon.addPixmap(QPixmap::fromImage(
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}

Qt::WindowFlags flagsFor(const WindowDescription &description)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (description.minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (description.maximiseButton)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

double naturalPixelsPerTwip(const QScreen *screen)
{
    constexpr double kTwipsPerInch = 1440.0;
    return (screen == nullptr ? 96.0 : screen->logicalDotsPerInchY()) / kTwipsPerInch;
}

} // namespace

QtFormWidget::QtFormWidget(const WindowDescription &description, QWidget *parent)
    : QWidget(parent, flagsFor(description)), description_(description)
{
    // Before any control exists: Qt keeps the first accessible face it
    // makes for each.
    installAccessibility();
    setObjectName(toQString(description_.name));
    setWindowTitle(toQString(description_.title));
    if (!description_.icon.empty())
        setWindowIcon(crispIcon(description_.icon));

    setFont(toQFont(description_.font, 1));
    for (const ControlDescription &c : description_.controls)
        if (QWidget *w = create(c))
            controls_.add(c, w);
    layOut();
    chainTabOrder();

    // Centred on the screen, frame and title bar included.
    if (const QScreen *s = screen()) {
        const QRect room = s->availableGeometry();
        const QSize outer = size().grownBy(kFrameAllowance);
        move(room.left() + std::max(0, (room.width() - outer.width()) / 2),
             room.top() + std::max(0, (room.height() - outer.height()) / 2));
    }
}

QtFormWidget::~QtFormWidget() = default;

QWidget *QtFormWidget::control(ControlId id) const
{
    QWidget *const *found = controls_.find(id);
    return found == nullptr ? nullptr : *found;
}

int QtFormWidget::toPixels(Twips twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

double QtFormWidget::fittingScale() const
{
    const QScreen *s = screen();
    const double natural = naturalPixelsPerTwip(s);
    if (s == nullptr)
        return natural;
    QMargins frame = kFrameAllowance;
    if (const QWindow *w = windowHandle(); w != nullptr && !w->frameMargins().isNull())
        frame = w->frameMargins();
    const QRect room = s->availableGeometry();
    const double wide = (room.width() - frame.left() - frame.right()) / static_cast<double>(description_.clientWidth);
    const double high = (room.height() - frame.top() - frame.bottom()) / static_cast<double>(description_.clientHeight);
    return std::max(std::min({natural, wide, high}), natural / 4);
}

void QtFormWidget::layOut()
{
    pixelsPerTwip_ = fittingScale();
    for (const ControlDescription &c : description_.controls)
        if (QWidget *w = control({c.name, c.index}))
            w->setGeometry(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
    setFixedSize(toPixels(description_.clientWidth), toPixels(description_.clientHeight));

    // The font shrinks with the layout; text does not shrink quite in
    // proportion (glyphs keep whole pixels, indicators keep their size), so
    // it gives a little more where a caption would be cut off.
    constexpr double kStep = 0.25;
    constexpr double kSmallest = 6;
    double shrink = pixelsPerTwip_ / naturalPixelsPerTwip(screen());
    setFont(toQFont(description_.font, shrink));
    // At its full size the window is drawn to hold its captions; asking the
    // font now would only make the window wait for the font system before it
    // shows.
    if (shrink >= 1)
        return;
    while (!captionsFit() && description_.font.pointSize * shrink > kSmallest) {
        shrink -= kStep / description_.font.pointSize;
        setFont(toQFont(description_.font, shrink));
    }
}

bool QtFormWidget::captionsFit() const
{
    const auto fits = [](const QAbstractButton *b, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect room = b->style()->subElementRect(contents, &option, b);
        return b->fontMetrics().horizontalAdvance(b->text()) <= room.width()
               && b->fontMetrics().height() <= b->height();
    };
    for (const auto &[key, w] : controls_) {
        const QFontMetrics metrics = w->fontMetrics();
        bool fit = true;
        if (const auto *option = qobject_cast<const QRadioButton *>(w))
            fit = fits(option, QStyle::SE_RadioButtonContents);
        else if (const auto *box = qobject_cast<const QCheckBox *>(w))
            fit = fits(box, QStyle::SE_CheckBoxContents);
        else if (const auto *button = qobject_cast<const QPushButton *>(w))
            fit = metrics.horizontalAdvance(button->text()) + kButtonTextMargin < button->width();
        else if (const auto *frame = qobject_cast<const FlatFrame *>(w))
            fit = metrics.horizontalAdvance(frame->title()) + kFrameTextMargin < frame->width();
        else if (const auto *label = qobject_cast<const QLabel *>(w))
            fit = metrics.horizontalAdvance(label->text()) <= label->width() && metrics.height() <= label->height();
        if (!fit)
            return false;
    }
    return true;
}

void QtFormWidget::followScreen()
{
    layOut();
    // Still wholly on the screen it is on now.
    if (const QScreen *s = screen()) {
        const QRect room = s->availableGeometry();
        const QRect outer = frameGeometry();
        move(std::clamp(outer.left(), room.left(), std::max(room.left(), room.right() - outer.width() + 1)),
             std::clamp(outer.top(), room.top(), std::max(room.top(), room.bottom() - outer.height() + 1)));
    }
}

void QtFormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!screenChanged_ && windowHandle() != nullptr) {
        screenChanged_ = connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen *s) {
            followScreen();
            if (s != nullptr) {
                connect(s, &QScreen::logicalDotsPerInchChanged, this, &QtFormWidget::followScreen,
                        Qt::UniqueConnection);
                connect(s, &QScreen::availableGeometryChanged, this, &QtFormWidget::followScreen,
                        Qt::UniqueConnection);
            }
        });
    }
}

void QtFormWidget::paintEvent(QPaintEvent * /*event*/)
{
    // Painted rather than set in the palette, which the controls without a
    // colour of their own would inherit.
    QPainter(this).fillRect(rect(), toQColor(description_.background));
}

// Tab into a group of option buttons lands on the selected one, as in any
// radio group; Qt would land on the group's first button in the chain.
bool QtFormWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *button = qobject_cast<QRadioButton *>(watched);
        if (button != nullptr && !button->isChecked()
            && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            for (QRadioButton *sibling :
                 button->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly)) {
                if (sibling->isChecked() && sibling->autoExclusive()) {
                    sibling->setFocus(reason);
                    return false;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

const std::vector<std::string> *QtFormWidget::storedItems(ControlId id) const
{
    return storedLists_.find(id);
}

QWidget *QtFormWidget::create(const ControlDescription &c)
{
    // A list that is never shown needs no widget, only its items: nothing
    // is built that no one will see, and nothing, the accessibility tree
    // included, can reach its items through the window.
    if (c.kind == ControlKind::ListBox && !c.visible) {
        storedLists_.add(c, c.items);
        return nullptr;
    }
    QWidget *container = nullptr;
    if (c.visible) {
        container = c.container.empty() ? this : control({c.container});
        if (container == nullptr)
            throw std::invalid_argument("container listed after its controls: " + c.container);
    }
    const QString caption = toQString(c.caption);
    QWidget *widget = nullptr;
    switch (c.kind) {
    case ControlKind::Frame:
        widget = new FlatFrame(caption, container);
        break;
    case ControlKind::CheckBox:
        widget = new QCheckBox(caption, container);
        widget->setStyle(ClearFocusStyle::instance());
        break;
    case ControlKind::OptionButton:
        // Buttons sharing a container form one exclusive group.
        widget = new QRadioButton(caption, container);
        widget->setStyle(ClearFocusStyle::instance());
        widget->installEventFilter(this);
        break;
    case ControlKind::ListBox: {
        auto *list = new QListWidget(container);
        for (const std::string &item : c.items)
            list->addItem(toQString(item));
        widget = list;
        break;
    }
    case ControlKind::PushButton: {
        QPushButton *button = c.background ? new SolidButton(caption, toQColor(*c.background), container)
                                           : new QPushButton(caption, container);
        // Enter presses it too, as Space does.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case ControlKind::TextBox: {
        auto *box = new ExactTextBox(container);
        box->setExactText(c.caption);
        widget = box;
        break;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(caption, container);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        widget = label;
        break;
    }
    }

    widget->setObjectName(toQString(displayName({c.name, c.index})));
    if (c.background) {
        if (qobject_cast<SolidButton *>(widget) != nullptr)
            widget->setPalette(fixedPalette(toQColor(*c.background)));
        else
            fillBackground(widget, *c.background);
    }
    if (!c.accessibleName.empty())
        widget->setAccessibleName(toQString(c.accessibleName));
    if (container == nullptr)
        neverShown_.emplace_back(widget);
    return widget;
}

void QtFormWidget::chainTabOrder()
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (const ControlDescription &c : description_.controls) {
        QWidget *widget = control({c.name, c.index});
        if (c.visible && (widget->focusPolicy() & Qt::TabFocus) != 0)
            stops.emplace_back(c.tabIndex, widget);
    }
    std::ranges::stable_sort(stops, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1].second, stops[i].second);
    if (!stops.empty())
        stops.front().second->setFocus();
}

} // namespace platform
