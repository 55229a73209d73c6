#include "failure.h"

#include "qt_text.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

void reportFailureAndExit(std::string_view what, QWidget *window)
{
    const std::string detail{what};
    std::fprintf(stderr, "zorelmina: %s\n", detail.c_str());
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr) {
        QMessageBox::critical(window, QStringLiteral("Зорелмина"),
                              QStringLiteral("Програмата спира поради грешка:\n%1").arg(toQString(what)));
    }
    // The end, on purpose: no other thread of ours carries on.
    std::exit(EXIT_FAILURE); // NOLINT(concurrency-mt-unsafe)
}

} // namespace platform
