#include <QApplication>
#include <QDate>

#include "app/principale.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trajectel"));
    const QStringList arguments = QApplication::arguments();
    Principale fenetre(
        Demarrage{QApplication::applicationDirPath(), arguments.value(1), QDate::currentDate()});
    fenetre.show();
    return QApplication::exec();
}
