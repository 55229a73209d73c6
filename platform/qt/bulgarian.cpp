#include "bulgarian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace platform {

bool useBulgarian()
{
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    QLocale::setDefault(bulgarian);
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // The application keeps it from here on.
    catalogue->setParent(QCoreApplication::instance());
    return QCoreApplication::installTranslator(catalogue.release());
}

} // namespace platform
