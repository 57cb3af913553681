#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

#include "app/commandes.h"
#include "application_essai.h"

namespace {

using C = Controle;

// Every shortcut of the command table reaches its command from a field
// being edited, whatever the field would have done with the key.
TEST(Commandes_Fenetre, RaccourcisDepuisUnChamp) {
    Fenetre_Active w;
    // The commands are only counted here; what each one does is tested on its own.
    for (const Commande& c : Commandes())
        QObject::disconnect(w.b().Action(c.action), nullptr, w.f.get(), nullptr);
    for (C champ : {C::saisie_q, C::Commentaire, C::Liste_Pas}) {
        for (const Commande& c : Commandes()) {
            if (!*c.raccourci) continue;
            QAction* action = w.b().Action(c.action);
            action->setEnabled(true);
            w.Widget(champ)->setFocus(Qt::TabFocusReason);
            const QString texte = w.Texte(champ);
            QSignalSpy declenche(action, &QAction::triggered);
            const QKeyCombination touche = QKeySequence(QString::fromLatin1(c.raccourci))[0];
            w.Touche(champ, touche.key(), touche.keyboardModifiers());
            EXPECT_EQ(declenche.count(), 1) << c.raccourci << " dans " << Nom_Controle(champ);
            EXPECT_EQ(w.Texte(champ), texte) << c.raccourci << " dans " << Nom_Controle(champ);
        }
    }
}

void Presse_Papiers(const char* texte) { QGuiApplication::clipboard()->setText(QString::fromUtf8(texte)); }

// Ctrl+V and the system's own paste key run Coller: a numeric field keeps
// only a number, and Coller keeps its state. The clipboard may change while
// the field is being edited (another program copies); entering a numeric
// field with no number on it leaves Coller, and so these keys, disabled.
TEST(Commandes_Fenetre, CollerAuClavier) {
    struct Cas {
        Controle champ;
        Qt::Key touche;
        Qt::KeyboardModifiers modificateurs;
        const char* en_entrant;  // on the clipboard when the field is entered
        const char* colle;
        const char* texte;  // "," stands for the system's separator; nullptr: unchanged
        bool coller;
    };
    const Cas cas[] = {
        {C::saisie_q, Qt::Key_V, Qt::ControlModifier, "1", "abc", "", true},
        {C::Saisie_MT, Qt::Key_V, Qt::ControlModifier, "1", "-1,5", "", true},
        {C::saisie_e, Qt::Key_V, Qt::ControlModifier, "1", "0.5", "0,5", true},
        {C::saisie_i, Qt::Key_Insert, Qt::ShiftModifier, "1", "1x", "", true},
        {C::Commentaire, Qt::Key_V, Qt::ControlModifier, "1", "abc", "abc", true},
        {C::saisie_q, Qt::Key_V, Qt::ControlModifier, "abc", "abc", nullptr, false},
        {C::saisie_q, Qt::Key_Insert, Qt::ShiftModifier, "abc", "abc", nullptr, false},
    };
    Fenetre_Active w;
    for (const Cas& c : cas) {
        Presse_Papiers(c.en_entrant);
        w.Cliquer(C::Saisie_Pas);
        w.Cliquer(c.champ);
        const QString avant = w.Texte(c.champ);
        Presse_Papiers(c.colle);
        w.Touche(c.champ, c.touche, c.modificateurs);
        const QString attendu = c.texte ? QString::fromUtf8(c.texte).replace(u',', w.Separateur()) : avant;
        EXPECT_EQ(w.Texte(c.champ), attendu) << Nom_Controle(c.champ) << ' ' << c.colle;
        EXPECT_EQ(w.b().Actif(C::Coller), c.coller) << Nom_Controle(c.champ) << ' ' << c.colle;
        w.Touche(c.champ, Qt::Key_Escape);
    }
}

// Ctrl+C and Ctrl+X put the selection on the clipboard and make Coller
// available, which entering a field with a letter on the clipboard had not.
TEST(Commandes_Fenetre, CopierCouperAuClavier) {
    Fenetre_Active w;
    const QString inclinaison = w.Texte(C::saisie_i);
    for (Qt::Key touche : {Qt::Key_C, Qt::Key_X}) {
        Presse_Papiers("abc");
        w.Cliquer(C::saisie_q);
        w.Cliquer(C::saisie_i);
        ASSERT_FALSE(w.b().Actif(C::Coller));
        w.Touche(C::saisie_i, touche, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), inclinaison) << touche;
        EXPECT_EQ(w.Texte(C::saisie_i), touche == Qt::Key_X ? QString() : inclinaison);
        EXPECT_TRUE(w.b().Actif(C::Coller)) << touche;
        w.Touche(C::saisie_i, Qt::Key_Escape);
    }
}

// The shortcut menu of a field is the window's: its Coller cleans as well.
TEST(Commandes_Fenetre, CollerParLeMenuDuChamp) {
    Fenetre_Active w;
    Presse_Papiers("1");
    w.Cliquer(C::saisie_q);
    Presse_Papiers("abc");
    QStringList articles;
    QTimer::singleShot(0, [&] {
        QMenu* menu = nullptr;
        for (QWidget* haut : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(haut); m && m->isVisible()) menu = m;
        if (!menu) return;
        for (QAction* a : menu->actions()) articles << a->text();
        // Chosen as the menu does: closed, then the item triggered.
        menu->hide();
        menu->actions().value(2)->trigger();
    });
    QContextMenuEvent clic(QContextMenuEvent::Mouse, QPoint(5, 5),
                           w.Widget(C::saisie_q)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w.Widget(C::saisie_q), &clic);
    QApplication::processEvents();
    EXPECT_EQ(articles, QStringList({"Cou&per", "&Copier", "Co&ller"}));
    EXPECT_EQ(w.Texte(C::saisie_q), QString());
}

}  // namespace
