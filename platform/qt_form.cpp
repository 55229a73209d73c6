#include "qt_form.h"

#include "accessibility.h"
#include "exact_text_box.h"
#include "qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QIcon>
#include <qdrawutil.h>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

const QColor kFocusColour(0, 0, 96);

QColor toQColor(const Rgb &rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

QFont toQFont(const FontDescription &font)
{
    // Qt picks glyphs by writing system, so the character set needs no
    // setting of its own: Cyrillic text finds a face that has it.
    QFont qfont(toQString(font.family));
    qfont.setPointSize(font.pointSize);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

void fillBackground(QWidget *widget, const Rgb &rgb)
{
    // Buttons fill with the Button role by default, which styles also use
    // for other parts; fill with Window instead.
    widget->setBackgroundRole(QPalette::Window);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Styles draw a push button's palette colour as a gradient or ignore it; a
// style sheet gives the solid face the description asks for, with a raised
// border that sinks while pressed and turns dark and solid with the focus.
void paintButtonFace(QPushButton *button, const Rgb &rgb)
{
    const QColor face = toQColor(rgb);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset %2; }"
                                         "QPushButton:pressed { border-style: inset; }"
                                         "QPushButton:focus { border: 2px solid %3; }")
                              .arg(face.name(), face.lighter(150).name(), kFocusColour.name()));
}

// Some styles mark the focus with a faint dotted line or a tint that is lost
// on a coloured control; this one draws a solid dark frame round the caption.
class ClearFocusStyle final : public QProxyStyle {
public:
    // On top of the style the application runs with, not just the desktop's.
    ClearFocusStyle() : QProxyStyle(QApplication::style()->name()) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameFocusRect) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setPen(QPen(kFocusColour, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

QStyle *clearFocusStyle()
{
    // Owned by the application, so it outlives every widget using it.
    static QPointer<ClearFocusStyle> style;
    if (style.isNull()) {
        style = new ClearFocusStyle;
        style->setParent(qApp);
    }
    return style;
}

// The icon also at twice and three times its size for high-density screens,
// with square pixels rather than smoothed ones.
QIcon crispIcon(const QString &path)
{
    const QImage image(path);
    QIcon icon;
    for (int scale = 1; scale <= 3; ++scale)
        icon.addPixmap(QPixmap::fromImage(image.scaled(image.size() * scale, Qt::IgnoreAspectRatio,
                                                        Qt::FastTransformation)));
    return icon;
}

// A frame drawn the same on every style: flat in its own colour, an etched
// border, and the caption standing on the border's top edge. Styles would
// shade the panel, and a style sheet would lose the caption's font.
class FlatFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const int lineY = metrics.height() / 2;
        qDrawShadeRect(&painter, QRect(0, lineY, width(), height() - lineY), palette(), true, 1);
        const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPad,
                            metrics.height());
        painter.fillRect(caption, palette().color(backgroundRole()));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }

private:
    static constexpr int kCaptionLeft = 6;
    static constexpr int kCaptionPad = 2;
};

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

} // namespace

int toPixels(Twips twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QtForm::QtForm(const WindowDescription &description, QWidget *parent)
    : QWidget(parent, flagsFor(description))
{
    setObjectName(toQString(description.name));
    setWindowTitle(toQString(description.title));
    if (!description.icon.empty())
        setWindowIcon(crispIcon(toQString(description.icon)));
    setFont(toQFont(description.font));
    fillBackground(this, description.background);
    setFixedSize(toPixels(description.clientWidth), toPixels(description.clientHeight));

    for (const ControlDescription &c : description.controls) {
        QWidget *container = c.container.empty() ? this : control(c.container);
        if (container == nullptr)
            throw std::invalid_argument("container listed after its controls: " + c.container);
        controls_.emplace(std::pair{c.name, c.index}, create(c, container));
    }
    chainTabOrder(description);
    installAccessibility();
}

bool QtForm::isNeverShown(const QWidget *control) const
{
    return std::ranges::find(neverShown_, control) != neverShown_.end();
}

// Tab into a group of option buttons lands on the selected one, as in any
// radio group; Qt would land on the group's first button in the chain.
bool QtForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *button = qobject_cast<QRadioButton *>(watched);
        if (button != nullptr && !button->isChecked()
            && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            for (QRadioButton *sibling : button->parentWidget()->findChildren<QRadioButton *>(
                     Qt::FindDirectChildrenOnly)) {
                if (sibling->isChecked() && sibling->autoExclusive()) {
                    sibling->setFocus(reason);
                    return false;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *QtForm::control(std::string_view name, int index) const
{
    const auto found = controls_.find(std::pair{std::string{name}, index});
    return found == controls_.end() ? nullptr : found->second;
}

QWidget *QtForm::create(const ControlDescription &c, QWidget *container)
{
    const QString caption = toQString(c.caption);
    QWidget *widget = nullptr;
    switch (c.kind) {
    case ControlKind::Frame:
        widget = new FlatFrame(caption, container);
        break;
    case ControlKind::CheckBox:
        widget = new QCheckBox(caption, container);
        widget->setStyle(clearFocusStyle());
        break;
    case ControlKind::OptionButton:
        // Buttons sharing a container form one exclusive group.
        widget = new QRadioButton(caption, container);
        widget->setStyle(clearFocusStyle());
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
        auto *button = new QPushButton(caption, container);
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

    widget->setObjectName(c.index < 0 ? toQString(c.name)
                                      : QStringLiteral("%1(%2)").arg(toQString(c.name)).arg(c.index));
    widget->setGeometry(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
    if (c.background) {
        if (auto *button = qobject_cast<QPushButton *>(widget))
            paintButtonFace(button, *c.background);
        else
            fillBackground(widget, *c.background);
    }
    if (!c.accessibleName.empty())
        widget->setAccessibleName(toQString(c.accessibleName));
    if (!c.visible) {
        widget->hide();
        neverShown_.push_back(widget);
    }
    return widget;
}

void QtForm::chainTabOrder(const WindowDescription &description)
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (const ControlDescription &c : description.controls) {
        QWidget *widget = control(c.name, c.index);
        if (c.visible && (widget->focusPolicy() & Qt::TabFocus) != 0)
            stops.emplace_back(c.tabIndex, widget);
    }
    std::ranges::sort(stops, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1].second, stops[i].second);
    if (!stops.empty())
        stops.front().second->setFocus();
}

} // namespace platform
