#pragma once

// The toolkit's own texts (file and print dialogs, the fields' context
// menus) in French, like the rest of the program.

#include <QCoreApplication>
#include <QLocale>

class QTranslator;

// Installs the toolkit's French translation when `langue` is French; the
// translation belongs to the application. Null when none was installed (the
// translation is a Debian package of its own).
QTranslator* Traduire_Toolkit(QCoreApplication& application, const QLocale& langue);
