#pragma once

// What the window's tests share: one QApplication for the whole run, on the
// offscreen platform unless a display was chosen, with the settings kept in
// a temporary folder; where the examples and the built program lie; and the
// window shown and active, as the user finds it.

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/principale.h"
#include "app/widgets_fiche.h"

inline const QString Dossier_Exemples = QStringLiteral(TRAJECTEL_EXEMPLES);
inline const QString Dossier_Programme = QStringLiteral(TRAJECTEL_DOSSIER_PROGRAMME);

// The window with an element file opened from the command line, shown and
// active; keys and clicks go to its widgets through QTest.
struct Fenetre_Active {
    std::unique_ptr<Principale> f;

    explicit Fenetre_Active(const QString& fichier = Dossier_Exemples + QStringLiteral("/halley.elt"),
                            QDate jour = QDate(1985, 11, 1))
        : f(std::make_unique<Principale>(Demarrage{Dossier_Programme, fichier, jour}, true)) {
        f->show();
        f->activateWindow();
        QApplication::setActiveWindow(f.get());
        QApplication::processEvents();
    }
    Programme& p() { return f->Etat_Programme(); }
    Boite_Qt& b() { return f->Boite(); }
    QWidget* Widget(Controle c) { return f->Boite().Widget(c); }
    QLineEdit* Champ(Controle c) { return qobject_cast<QLineEdit*>(Widget(c)); }
    QString Texte(Controle c) { return f->Boite().Texte(c); }
    QImage Page() { return dynamic_cast<Image_Page*>(Widget(Controle::Fenetre))->Image_Affichee(); }
    QChar Separateur() const { return QLatin1Char(f->Etat_Programme().notation.Separateur_Decimal); }
    // The item of a menu of the menu bar, by their captions, as the user finds it.
    QAction* Article(const QString& menu, const QString& article) {
        for (QAction* m : f->menuBar()->actions())
            if (m->text() == menu && m->menu())
                for (QAction* a : m->menu()->actions())
                    if (a->text() == article) return a;
        return nullptr;
    }

    // The user clicks into a field, as a first click selects its whole text.
    void Cliquer(Controle c) {
        QTest::mouseClick(Widget(c), Qt::LeftButton);
        QApplication::processEvents();
    }
    void Taper(Controle c, const char* touches) { QTest::keyClicks(Widget(c), QString::fromUtf8(touches)); }
    void Touche(Controle c, Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
        QTest::keyClick(Widget(c), touche, modificateurs);
        QApplication::processEvents();
    }
};

// Runs `agir` on the first visible top-level widget of type T, as soon as
// it is shown: a modal dialog is answered from inside its own loop.
template <typename T>
void Quand_Montre(const std::function<void(T&)>& agir) {
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, agir] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialogue = dynamic_cast<T*>(w);
            if (!dialogue || !dialogue->isVisible()) continue;
            minuterie->stop();
            minuterie->deleteLater();
            agir(*dialogue);
            return;
        }
    });
    minuterie->start(10);
}
