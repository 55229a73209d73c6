#include "window/tarvel_mondix.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> &heldMessages()
{
    static std::vector<HeldMessage> messages;
    return messages;
}

// While Qt looks for a display, its messages are held back: when it finds
// none it stops with a page of advice and an abort, and one plain line says
// more to a teacher. When it does find one, the held messages go out as usual.
void holdWhileStarting(QtMsgType type, const QMessageLogContext & /*context*/, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages().push_back({type, message});
        return;
    }
    std::fputs("zorelmina: cannot open the quiz window: no usable display"
               " (is DISPLAY or WAYLAND_DISPLAY set?)\n",
               stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char *argv[])
{
    const QtMessageHandler standard = qInstallMessageHandler(holdWhileStarting);
    QApplication app(argc, argv);
    qInstallMessageHandler(standard);
    for (const HeldMessage &m : heldMessages())
        standard(m.type, QMessageLogContext(), m.text);
    heldMessages().clear();

    QApplication::setApplicationName(QStringLiteral("zorelmina"));
    QApplication::setApplicationVersion(QStringLiteral(ZORELMINA_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORELMINA_APP_ID));
    Tarvel_Mondix window;
    window.widget().show();
    return QApplication::exec();
}
