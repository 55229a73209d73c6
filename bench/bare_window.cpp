// The yardstick for start-up: the least a Qt Widgets program does to put
// one window of the quiz's size and title on screen.
#include "bare_window_title.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(kQuizTitle.data(), static_cast<qsizetype>(kQuizTitle.size())));
    // 484 x 406, the quiz's client area at 96 DPI.
    window.setFixedSize(484, 406);
    window.show();
    return QApplication::exec();
}
