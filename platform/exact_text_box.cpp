#include "exact_text_box.h"

#include "qt_text.h"

#include <QContextMenuEvent>
#include <QMenu>

#include <map>
#include <memory>

namespace platform {

ExactTextBox::ExactTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

namespace {

// Qt names the actions of a text widget's standard menu after their icons.
const std::map<QString, QString> &bulgarianActionTexts()
{
    static const std::map<QString, QString> texts{
        {QStringLiteral("edit-undo"), QString::fromUtf8("&Отмяна")},
        {QStringLiteral("edit-redo"), QString::fromUtf8("&Възстановяване")},
        {QStringLiteral("edit-cut"), QString::fromUtf8("&Изрязване")},
        {QStringLiteral("edit-copy"), QString::fromUtf8("&Копиране")},
        {QStringLiteral("edit-paste"), QString::fromUtf8("&Поставяне")},
        {QStringLiteral("edit-delete"), QString::fromUtf8("Изтриване")},
        {QStringLiteral("select-all"), QString::fromUtf8("Избиране на &всичко")},
        {QStringLiteral("link-copy"), QString::fromUtf8("Копиране на &адреса на връзката")},
    };
    return texts;
}

} // namespace

QMenu *ExactTextBox::createBulgarianContextMenu()
{
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        const auto found = bulgarianActionTexts().find(action->objectName());
        if (found == bulgarianActionTexts().end())
            continue;
        // Keep the shortcut that Qt shows after a tab.
        QString text = action->text();
        const qsizetype tab = text.indexOf(u'\t');
        action->setText(found->second + (tab < 0 ? QString() : text.mid(tab)));
    }
    return menu;
}

void ExactTextBox::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createBulgarianContextMenu());
    menu->exec(event->globalPos());
}

void ExactTextBox::setExactText(std::string_view text)
{
    text_ = text;
    // The document turns each CR LF into one line break.
    setPlainText(toQString(text));
}

} // namespace platform
