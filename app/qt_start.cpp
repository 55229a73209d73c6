#include "qt_start.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
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

void holdWhileStarting(QtMsgType type, const QMessageLogContext & /*context*/, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages().push_back({type, message});
        return;
    }
    const bool displaySet = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                            || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!displaySet) {
        std::fputs("zorelmina: cannot open the quiz window: no display is set"
                   " (is DISPLAY or WAYLAND_DISPLAY set?)\n",
                   stderr);
    } else {
        std::fputs("zorelmina: cannot open the quiz window: Qt could not start its display platform;"
                   " check DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM. Qt said:\n",
                   stderr);
        heldMessages().push_back({type, message});
        for (const HeldMessage &m : heldMessages())
            std::fprintf(stderr, "%s\n", qPrintable(m.text));
    }
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::unique_ptr<QApplication> startQt(int &argc, char **argv)
{
    // Fontconfig reads its whole configuration the first time anything asks
    // for a font, which is most of what the window waits for before it can
    // show; it reads it here, beside Qt connecting to the display.
    std::thread fonts([] { FcInit(); });
    const QtMessageHandler standard = qInstallMessageHandler(holdWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(standard);
    fonts.join();
    for (const HeldMessage &m : heldMessages())
        standard(m.type, QMessageLogContext(), m.text);
    heldMessages().clear();
    return app;
}
