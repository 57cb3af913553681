#include "app/fiche_qt.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/commandes.h"
#include "app/widgets_fiche.h"
#include "form/disposition_fiche.h"

namespace {

using Genre = Evenement_Fiche::Genre;

QFont Police_Controle(const Disposition_Controle& d) {
    QFont police(QString::fromUtf8(Face_Fiche));
    police.setPixelSize(d.taille_police);
    police.setBold(d.gras);
    return police;
}

bool Vers_Le_Haut(Controle c) {
    return c == Controle::JourPlus || c == Controle::MoisPlus || c == Controle::AnPlus;
}

// The shortcut menu of an entry control offers the three edit commands.
void Offrir_Edition(QWidget* widget, const Boite_Qt& boite) {
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (Controle c : {Controle::EditCut1, Controle::EditCopy1, Controle::EditPaste1})
        if (QAction* action = boite.Action(c)) widget->addAction(action);
}

QWidget* Creer_Liste(const Disposition_Controle& d, QWidget* fiche, const Boite_Qt& boite) {
    auto* liste = new QComboBox(fiche);
    liste->setEditable(true);
    liste->addItems(Articles_Liste(d.controle));
    // The items stay as they are. A typed prefix is completed by the frame
    // itself, before the list's Change rule sees the text.
    liste->setInsertPolicy(QComboBox::NoInsert);
    liste->setCompleter(nullptr);
    Offrir_Edition(liste->lineEdit(), boite);
    return liste;
}

QWidget* Creer_Etiquette(const Disposition_Controle& d, QWidget* fiche) {
    auto* etiquette = new Etiquette_Fiche(fiche);
    if (d.fond != Sans_Fond) {
        etiquette->setAutoFillBackground(true);
        QPalette palette = etiquette->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(d.fond)));
        etiquette->setPalette(palette);
        etiquette->setCursor(Qt::PointingHandCursor);
    }
    return etiquette;
}

QWidget* Creer_Widget(const Disposition_Controle& d, QWidget* fiche, const Boite_Qt& boite) {
    switch (d.genre) {
        case Genre_Controle::Champ: {
            auto* champ = new QLineEdit(fiche);
            Offrir_Edition(champ, boite);
            return champ;
        }
        case Genre_Controle::Liste:
            return Creer_Liste(d, fiche, boite);
        case Genre_Controle::Etiquette:
            return Creer_Etiquette(d, fiche);
        case Genre_Controle::Bouton_Pas:
            return new Image_Cliquable(fiche, Fleche_Pas(Vers_Le_Haut(d.controle)));
        case Genre_Controle::Image:
            return new Image_Page(fiche);
    }
    return nullptr;
}

// Keys that edit or move without typing a character, though Qt gives some
// of them one: Tab and Shift+Tab move the focus (Qt does, and the frame
// hears it), Delete removes.
bool Sans_Caractere(const QKeyEvent& touche) {
    const int k = touche.key();
    return touche.text().isEmpty() || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete;
}

}  // namespace

Fiche_Qt::Fiche_Qt(QWidget* fiche, Boite_Qt& boite, Rapport rapporter)
    : QObject(fiche), boite_(boite), rapporter_(std::move(rapporter)) {
    Creer_Controles(fiche);
    Creer_Fiche(boite_);
}

void Fiche_Qt::Creer_Controles(QWidget* fiche) {
    QWidget* precedent = nullptr;
    for (const Disposition_Controle& d : Disposition_Fiche()) {
        QWidget* widget = Creer_Widget(d, fiche, boite_);
        widget->setFont(Police_Controle(d));
        Ecrire_Contexte_Aide(widget, d.aide);
        boite_.Lier(d.controle, widget);
        Suivre(widget);
        if (!Est_Controle_Saisie(d.controle)) continue;
        // Tab goes through the entry controls in their order.
        if (precedent) QWidget::setTabOrder(precedent, widget);
        precedent = widget;
    }
}

void Fiche_Qt::Suivre(QWidget* widget) {
    const Controle c = boite_.Controle_De(widget);
    const auto rapporter = [this, c](Genre genre) { rapporter_({genre, c, QChar()}); };
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(widget)) {
        etiquette->Clic = [rapporter] { rapporter(Genre::Clic); };
        etiquette->Survol = [rapporter] { rapporter(Genre::Survol); };
    } else if (auto* bouton = dynamic_cast<Image_Cliquable*>(widget)) {
        bouton->Clic = [rapporter] { rapporter(Genre::Clic); };
    } else if (auto* liste = qobject_cast<QComboBox*>(widget)) {
        // A key typed into the list reports its change once, completed.
        connect(liste, &QComboBox::editTextChanged, this, [this, rapporter] {
            if (!boite_.En_Ecriture() && !transmission_) rapporter(Genre::Changement);
        });
    }
    if (Est_Controle_Saisie(c)) widget->installEventFilter(this);
}

bool Fiche_Qt::eventFilter(QObject* objet, QEvent* evenement) {
    const Controle c = boite_.Controle_De(objet);
    switch (evenement->type()) {
        case QEvent::FocusIn:
            rapporter_({Genre::Focus, c, QChar()});
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton &&
                qobject_cast<QLineEdit*>(objet))
                rapporter_({Genre::Clic, c, QChar()});
            break;
        case QEvent::ShortcutOverride:
            // A key of the window's commands is theirs, not the field's.
            return Commande_De_Touche(*static_cast<QKeyEvent*>(evenement)) != Controle::Nombre_Controles;
        case QEvent::KeyPress:
            return Commander(*static_cast<QKeyEvent*>(evenement)) ||
                   Touche(objet, c, static_cast<QKeyEvent*>(evenement));
        default:
            break;
    }
    return false;
}

// A command's key that reached the field, its shortcut not having run it:
// a system key for the clipboard, or a command that is disabled. The field
// never acts on it by itself. Save is disabled until a change is applied,
// and the change being typed is one: its key applies it first.
bool Fiche_Qt::Commander(const QKeyEvent& touche) {
    const Controle commande = Commande_De_Touche(touche);
    if (commande == Controle::Nombre_Controles) return false;
    QAction* action = boite_.Action(commande);
    if (action && !action->isEnabled() && commande == Controle::FileSave1)
        rapporter_({Genre::Sortie, Controle::Nombre_Controles, QChar()});
    if (action && action->isEnabled()) action->trigger();
    return true;
}

// A typed character goes to the program, which may let it through, replace
// it or swallow it. Keys without a character (arrows, shortcuts) pass.
bool Fiche_Qt::Touche(QObject* objet, Controle c, QKeyEvent* touche) {
    if (transmission_ || Sans_Caractere(*touche)) return false;
    const QString texte = touche->text();
    const QChar tape = texte.front();
    const QChar reponse = rapporter_({Genre::Touche, c, tape});
    if (reponse.isNull()) return true;
    auto* liste = qobject_cast<QComboBox*>(objet);
    if (reponse == tape && liste == nullptr) return false;
    QKeyEvent remplacee(QEvent::KeyPress, reponse == tape ? touche->key() : 0, touche->modifiers(),
                        reponse == tape ? texte : QString(reponse));
    const QString avant = liste ? liste->currentText() : QString();
    Transmettre(objet, &remplacee, liste, reponse.isPrint());
    if (liste && liste->currentText() != avant) rapporter_({Genre::Changement, c, QChar()});
    return true;
}

// The key goes into the control past this filter; a list completes a typed
// prefix from its items, as the system's lists do.
void Fiche_Qt::Transmettre(QObject* objet, QKeyEvent* touche, QComboBox* liste, bool imprimable) {
    transmission_ = true;
    QApplication::sendEvent(objet, touche);
    if (liste && imprimable) Completer_En_Ligne(*liste);
    transmission_ = false;
}

void Fiche_Qt::Completer_En_Ligne(QComboBox& liste) {
    QLineEdit* edition = liste.lineEdit();
    const QString tape = edition->text();
    if (tape.isEmpty() || edition->hasSelectedText() || edition->cursorPosition() != tape.size()) return;
    for (int k = 0; k < liste.count(); ++k) {
        const QString article = liste.itemText(k);
        if (!article.startsWith(tape, Qt::CaseInsensitive)) continue;
        edition->setText(article);
        edition->setSelection(static_cast<int>(tape.size()), static_cast<int>(article.size() - tape.size()));
        return;
    }
}
