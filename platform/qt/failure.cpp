#include "failure.h"

#include "qt_text.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

void reportFailureAndExit(const FailureWords &words, std::string_view what, QWidget *window)
{
    const std::string detail{what};
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), detail.c_str());
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr) {
        QMessageBox::critical(window, toQString(words.caption),
                              QStringLiteral("%1\n%2").arg(toQString(words.preamble), toQString(what)));
    }
    // The end, on purpose: no other thread of ours carries on.
    std::exit(EXIT_FAILURE); // NOLINT(concurrency-mt-unsafe)
}

} // namespace platform
