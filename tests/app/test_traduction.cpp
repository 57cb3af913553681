#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <memory>

#include "app/traduction.h"

namespace {

QString Premiere_Commande_Du_Menu_D_Un_Champ() {
    QLineEdit champ;
    const std::unique_ptr<QMenu> menu(champ.createStandardContextMenu());
    return menu->actions().value(0) ? menu->actions().value(0)->text() : QString();
}

TEST(Traduire_Toolkit, MenuDesChampsEnFrancaisPourUneLangueFrancaise) {
    struct Cas {
        const char* langue;
        bool traduit;
        const char* annuler;
    };
    const Cas cas[] = {
        {"fr_FR", true, "&Annuler"}, {"fr_CA", true, "&Annuler"}, {"fr_BE", true, "&Annuler"},
        {"en_US", false, "&Undo"},   {"de_DE", false, "&Undo"},   {"C", false, "&Undo"},
    };
    for (const Cas& c : cas) {
        QTranslator* traduction =
            Traduire_Toolkit(*QCoreApplication::instance(), QLocale(QString::fromUtf8(c.langue)));
        EXPECT_EQ(traduction != nullptr, c.traduit) << c.langue;
        EXPECT_TRUE(Premiere_Commande_Du_Menu_D_Un_Champ().startsWith(QString::fromUtf8(c.annuler)))
            << c.langue << ": " << Premiere_Commande_Du_Menu_D_Un_Champ().toStdString();
        if (traduction) QCoreApplication::removeTranslator(traduction);
        delete traduction;
    }
}

}  // namespace
