// The yardstick for start-up: the least a Qt Widgets program does to put one
// labelled window on screen.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.show();
    return QApplication::exec();
}
