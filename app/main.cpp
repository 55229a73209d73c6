#include "platform/qt/bulgarian.h"
#include "platform/qt/failure.h"
#include "platform/qt/qt_form.h"
#include "qt_start.h"
#include "window/tarvel_mondix.h"

#include <QApplication>

#include <exception>

int main(int argc, char *argv[])
{
    // The program takes no command line: Qt sees only its name, so options
    // such as -reverse or -style change nothing. The environment still
    // counts.
    int qtArgc = argc > 0 ? 1 : 0;
    const std::unique_ptr<QApplication> app = startQt(qtArgc, argv);

    QApplication::setApplicationName(QStringLiteral("zorelmina"));
    QApplication::setApplicationVersion(QStringLiteral(ZORELMINA_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORELMINA_APP_ID));
    platform::useBulgarian();
    try {
        const platform::WindowDescription description = window::describeTarvelMondix();
        platform::QtFormWidget::useFontForApplication(description);
        Tarvel_Mondix window(std::make_unique<platform::QtForm>(description));
        window.show();
        return QApplication::exec();
    } catch (const std::exception &e) {
        platform::reportFailureAndExit(window::describeTarvelMondix().failure, e.what());
    }
}
