// What any Qt window with text pays before it shows, over a bare one: the
// bare window of the quiz's size and title with one caption in the quiz's
// font. The benchmark shows it beside the bare window, for what the quiz
// cannot avoid.
#include "bare_window_title.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    QLabel window(QString::fromUtf8("Зорелмина"));
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    window.setFont(font);
    window.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    window.setWindowTitle(QString::fromUtf8(kQuizTitle.data(), static_cast<qsizetype>(kQuizTitle.size())));
    window.setFixedSize(484, 406);
    window.show();
    return QApplication::exec();
}
