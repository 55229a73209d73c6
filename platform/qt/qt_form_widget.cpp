#include "qt_form_widget.h"

#include "platform/form_policy.h"
#include "platform/layout_policy.h"

#include "accessibility.h"
#include "exact_text_box.h"
#include "flat_frame.h"
#include "focus_style.h"
#include "qt_text.h"
#include "solid_button.h"

#include <QApplication>
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
#include <tuple>

namespace platform {

namespace {

// Room left round the window for the desktop's frame and title bar, until
// the window system says how much it takes.
const QMargins kFrameAllowance(8, 40, 8, 8);

QFont::StyleHint styleHintOf(GenericFamily family)
{
    switch (family) {
    case GenericFamily::Serif:
        return QFont::Serif;
    case GenericFamily::SansSerif:
        return QFont::SansSerif;
    case GenericFamily::Monospace:
        return QFont::Monospace;
    case GenericFamily::Any:
        break;
    }
    return QFont::AnyStyle;
}

QFont toQFont(const FontDescription &font, double points)
{
    // Qt picks glyphs by writing system, so the character set needs no
    // setting of its own: Cyrillic text finds a face that has it. Where the
    // face is missing, one of the same family stands in.
    QFont qfont(toQString(font.family));
    qfont.setStyleHint(styleHintOf(font.generic));
    qfont.setPointSizeF(points);
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

// The icon also at twice its size for high-density screens,
// with square pixels rather than smoothed ones.
QIcon crispIcon(const std::string &name)
{
    // Named as what it is: left to guess, the reader would load every image
    // plugin to ask whether it reads XPM, which costs the start-up time and
    // memory for nothing.
    QImageReader reader(QStringLiteral(":/icons/%1.xpm").arg(toQString(name)), "xpm");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    QIcon icon;
    for (int scale = 1; scale <= 2; ++scale)
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

double dotsPerInch(const QScreen *screen)
{
    return screen == nullptr ? kReferenceDpi : screen->logicalDotsPerInchY();
}

Box boxOf(const QRect &r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

IsSelected checkedOn(const QtFormWidget &form)
{
    return [&form](const ControlDescription &option) {
        return form.control<QRadioButton>(controlId(option))->isChecked();
    };
}

} // namespace

QtFormWidget::QtFormWidget(const WindowDescription &description, QWidget *parent)
    : QWidget(parent, flagsFor(description)), description_(validated(description))
{
    // Before any control exists: Qt keeps the first accessible face it
    // makes for each.
    installAccessibility();
    setObjectName(toQString(description_.name));
    setWindowTitle(toQString(description_.title));
    if (!description_.icon.empty())
        setWindowIcon(crispIcon(description_.icon));

    setFont(toQFont(description_.font, description_.font.pointSize));
    for (const ControlDescription &c : description_.controls)
        if (QWidget *w = create(c))
            controls_.add(c, w);
    layOut();
    chainTabOrder();

    // Centred on the screen, frame and title bar included.
    if (const QScreen *s = screen()) {
        const QSize outer = size().grownBy(kFrameAllowance);
        const Point at = centredIn(boxOf(s->availableGeometry()), {outer.width(), outer.height()});
        move(at.x, at.y);
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
    const double natural = naturalPixelsPerTwip(dotsPerInch(s));
    if (s == nullptr)
        return natural;
    QMargins frame = kFrameAllowance;
    if (const QWindow *w = windowHandle(); w != nullptr && !w->frameMargins().isNull())
        frame = w->frameMargins();
    const QRect room = s->availableGeometry().marginsRemoved(frame);
    return fittingPixelsPerTwip(natural, description_, {room.width(), room.height()});
}

void QtFormWidget::layOut()
{
    pixelsPerTwip_ = fittingScale();
    for (const ControlDescription &c : description_.controls)
        if (QWidget *w = control({c.name, c.index}))
            w->setGeometry(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
    setFixedSize(toPixels(description_.clientWidth), toPixels(description_.clientHeight));

    // The font shrinks with the layout, and a little more where a caption
    // would be cut off.
    const double shrink = pixelsPerTwip_ / naturalPixelsPerTwip(dotsPerInch(screen()));
    const double points = fittingPointSize(description_.font.pointSize, shrink, [this](double candidate) {
        setFont(toQFont(description_.font, candidate));
        return captionsFit();
    });
    if (font().pointSizeF() != points)
        setFont(toQFont(description_.font, points));
}

bool QtFormWidget::captionsFit() const
{
    const double dpi = dotsPerInch(screen());
    // The room a button's style gives its box or circle, beside the caption.
    const auto indicator = [](const QAbstractButton *b, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        return b->width() - b->style()->subElementRect(contents, &option, b).width();
    };
    for (const auto &[key, w] : controls_) {
        QString caption;
        ControlKind kind = ControlKind::TextBox;
        int room = 0;
        if (const auto *option = qobject_cast<const QRadioButton *>(w)) {
            std::tie(caption, kind, room) = std::tuple(option->text(), ControlKind::OptionButton,
                                                       indicator(option, QStyle::SE_RadioButtonContents));
        } else if (const auto *box = qobject_cast<const QCheckBox *>(w)) {
            std::tie(caption, kind, room) = std::tuple(box->text(), ControlKind::CheckBox,
                                                       indicator(box, QStyle::SE_CheckBoxContents));
        } else if (const auto *button = qobject_cast<const QPushButton *>(w)) {
            std::tie(caption, kind) = std::pair(button->text(), ControlKind::PushButton);
        } else if (const auto *frame = qobject_cast<const FlatFrame *>(w)) {
            std::tie(caption, kind) = std::pair(frame->title(), ControlKind::Frame);
        } else if (const auto *label = qobject_cast<const QLabel *>(w)) {
            std::tie(caption, kind) = std::pair(label->text(), ControlKind::Label);
        }
        const QFontMetrics metrics = w->fontMetrics();
        if (!captionFits(kind, {metrics.horizontalAdvance(caption), metrics.height()}, {w->width(), w->height()},
                         room, dpi))
            return false;
    }
    return true;
}

void QtFormWidget::followScreen()
{
    layOut();
    // Still wholly on the screen it is on now.
    if (const QScreen *s = screen()) {
        const Point at = keptIn(boxOf(s->availableGeometry()), boxOf(frameGeometry()));
        move(at.x, at.y);
    }
}

void QtFormWidget::useFontForApplication(const WindowDescription &description)
{
    QApplication::setFont(toQFont(description.font, description.font.pointSize));
}

void QtFormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!screenChanged_ && windowHandle() != nullptr) {
        screenChanged_ = connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen *s) {
            watchScreen(s);
            followScreen();
        });
        watchScreen(windowHandle()->screen());
    }
}

void QtFormWidget::watchScreen(const QScreen *screen)
{
    // Only the screen the window is on now: one it has left may change as
    // it likes.
    for (const QMetaObject::Connection &c : screenSettings_)
        disconnect(c);
    screenSettings_ = {};
    if (screen == nullptr)
        return;
    screenSettings_ = {connect(screen, &QScreen::logicalDotsPerInchChanged, this, &QtFormWidget::followScreen),
                       connect(screen, &QScreen::availableGeometryChanged, this, &QtFormWidget::followScreen)};
}

void QtFormWidget::paintEvent(QPaintEvent * /*event*/)
{
    // Painted rather than set in the palette, which the controls without a
    // colour of their own would inherit.
    QPainter(this).fillRect(rect(), toQColor(description_.background));
}

// Tab into a group of option buttons lands on the group's stop (its
// selected button, or while none is, its first on screen), as in any radio
// group. Qt would land on the button it last focused, which the arrow keys
// may have moved to without selecting, or miss one a screen reader's action
// selected without focusing it: so the Tab key goes back to the stop alone
// whenever the focus leaves the group, and a Tab landing anywhere but on a
// selected stop moves on to it. The arrow keys move the focus for the same
// reasons as Tab.
bool QtFormWidget::eventFilter(QObject *watched, QEvent *event)
{
    const bool in = event->type() == QEvent::FocusIn;
    if ((!in && event->type() != QEvent::FocusOut) || qobject_cast<QRadioButton *>(watched) == nullptr)
        return QWidget::eventFilter(watched, event);
    const auto described = [this](const QObject *w) {
        return std::ranges::find(description_.controls, w, [this](const ControlDescription &d) {
            return static_cast<const QObject *>(control(controlId(d)));
        });
    };
    const auto button = described(watched);
    if (button == description_.controls.end())
        return QWidget::eventFilter(watched, event);
    if (!in) {
        // The focus has already moved on by now.
        const auto next = described(QApplication::focusWidget());
        if (next == description_.controls.end() || next->kind != ControlKind::OptionButton
            || next->container != button->container)
            updateTabStop(button->container);
        return QWidget::eventFilter(watched, event);
    }
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    const auto checked = checkedOn(*this);
    const ControlDescription &stop = *groupTabStop(description_, button->container, checked);
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && checked(stop)
        && controlId(stop) != controlId(*button)) {
        control(controlId(stop))->setFocus(reason);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

// Every button keeps its place in the chain, but only the group's stop
// takes the Tab key, as Qt itself arranges when a button is checked or
// focused; a button the program clears, or the focus leaves, Qt leaves as
// it was.
void QtFormWidget::updateTabStop(std::string_view container)
{
    const ControlDescription *stop = groupTabStop(description_, container, checkedOn(*this));
    for (const ControlDescription &c : description_.controls)
        if (c.kind == ControlKind::OptionButton && c.container == container)
            control(controlId(c))->setFocusPolicy(controlId(c) == controlId(*stop) ? Qt::StrongFocus
                                                                                     : Qt::ClickFocus);
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
    if (c.visible)
        container = c.container.empty() ? this : control({c.container});
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

    // Named but for the option buttons and check boxes, which the window
    // knows by their widgets alone: Qt may pass a widget's name on to
    // assistive technology, where a name with its pair's index in it would
    // give the answer away.
    if (c.kind != ControlKind::OptionButton && c.kind != ControlKind::CheckBox)
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
    QWidget *previous = nullptr;
    for (const ControlDescription *c : tabOrder(description_)) {
        QWidget *widget = control(controlId(*c));
        if (!c->visible || widget == nullptr || (widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
    for (const ControlDescription &c : description_.controls)
        if (c.kind == ControlKind::OptionButton)
            updateTabStop(c.container);
    if (const ControlDescription *first = firstFocus(description_, checkedOn(*this)))
        control(controlId(*first))->setFocus();
}

} // namespace platform
