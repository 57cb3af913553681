#include <QApplication>
#include <QDate>

#include "app/principale.h"
#include "app/traduction.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(Titre_Programme);
    // The desktop matches the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("trajectel"));
    Traduire_Toolkit(application, QLocale());
    const QStringList arguments = QApplication::arguments();
    Principale fenetre(
        Demarrage{QApplication::applicationDirPath(), arguments.value(1), QDate::currentDate()});
    fenetre.show();
    return QApplication::exec();
}
