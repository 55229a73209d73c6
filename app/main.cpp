#include "window/tarvel_mondix.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts with a backtrace when it finds no display; say it plainly.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("zorelmina: no display to open the quiz window on (DISPLAY is not set)\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zorelmina"));

    Tarvel_Mondix window;
    window.widget().show();
    return QApplication::exec();
}
