#include "app/traduction.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace {
const QString Fichier_Toolkit = QStringLiteral("qtbase_fr");
}  // namespace

QTranslator* Traduire_Toolkit(QCoreApplication& application, const QLocale& langue) {
    if (langue.language() != QLocale::French) return nullptr;
    auto* traduction = new QTranslator(&application);
    if (traduction->load(Fichier_Toolkit, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(traduction)) {
        return traduction;
    }
    delete traduction;
    return nullptr;
}
