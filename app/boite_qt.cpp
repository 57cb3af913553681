#include "app/boite_qt.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>

#include "app/aide.h"
#include "app/choix_objet_qt.h"
#include "app/dialogue_lois.h"
#include "app/widgets_fiche.h"

namespace {

const QString Titre_Progression = QStringLiteral("Trajectel - Lecture");
const QString Titre_Impression = QStringLiteral("Trajectel - Imprimer");
constexpr int Position_Maximale = 100;
constexpr int Longueur_Illimitee = 32767;  // QLineEdit's own "no limit"
const QString Legende_Annuler = QStringLiteral("Annuler");
// The progress dialog counts in thousandths, and shows itself only for work
// that lasts longer than this, in milliseconds.
constexpr int Pas_Progression = 1000;
constexpr int Delai_Progression = 500;

// Properties kept on objects that have no Qt counterpart for them.
constexpr char Propriete_Texte[] = "trajectel_texte";
constexpr char Propriete_Indice[] = "trajectel_indice";
constexpr char Propriete_Longueur[] = "trajectel_longueur_max";
constexpr char Propriete_Police[] = "trajectel_police";
constexpr char Propriete_Coche[] = "trajectel_coche";

// "court|long": the tooltip, then the status-bar text; one text serves both.
std::pair<QString, QString> Parties_Indice(const QString& indice) {
    const qsizetype barre = indice.indexOf(u'|');
    if (barre < 0) return {indice, indice};
    return {indice.left(barre), indice.mid(barre + 1)};
}

// Counts the writes in progress, so that the signals they raise are known for an echo.
class Ecriture {
public:
    explicit Ecriture(int& compteur) : compteur_(compteur) { ++compteur_; }
    ~Ecriture() { --compteur_; }
    Ecriture(const Ecriture&) = delete;
    Ecriture& operator=(const Ecriture&) = delete;

private:
    int& compteur_;
};

// A field's maximum length limits typing only. QLineEdit cuts whatever it is
// given to its limit, so the limit it enforces is the field's own or, while
// the program has put a longer text there, that text's length: the text
// stays whole, and the user can type no more than it holds.
void Borner_Saisie(QLineEdit& champ) {
    const int propre = champ.property(Propriete_Longueur).toInt();
    const int longueur = static_cast<int>(std::min<qsizetype>(champ.text().size(), Longueur_Illimitee));
    champ.setMaxLength(propre > 0 ? std::max(propre, longueur) : Longueur_Illimitee);
}

void Ecrire_Champ(QLineEdit& champ, const QString& texte) {
    champ.setMaxLength(Longueur_Illimitee);
    champ.setText(texte);
    Borner_Saisie(champ);
    // A text written by the program, not typed, shows its beginning: a long
    // perihelion day would otherwise show only its last decimals. Last, as
    // a new maximum length writes the text again, the cursor at its end.
    if (!champ.hasFocus()) champ.setCursorPosition(0);
}

}  // namespace

Boite_Qt::Boite_Qt() = default;
Boite_Qt::~Boite_Qt() = default;

void Boite_Qt::Lier(Controle c, QWidget* widget) {
    objets_[static_cast<std::size_t>(c)] = widget;
    if (auto* barre = qobject_cast<QScrollBar*>(widget)) {
        QObject::connect(barre, &QAbstractSlider::valueChanged, barre, [this, c](int) {
            if (Changement_Barre) Changement_Barre(c);
        });
    }
}

void Boite_Qt::Lier(Controle c, QAction* action) { objets_[static_cast<std::size_t>(c)] = action; }

QWidget* Boite_Qt::Widget(Controle c) const { return qobject_cast<QWidget*>(Objet(c)); }
QAction* Boite_Qt::Action(Controle c) const { return qobject_cast<QAction*>(Objet(c)); }

Controle Boite_Qt::Controle_De(const QObject* objet) const {
    const auto it = std::find(objets_.begin(), objets_.end(), objet);
    return it == objets_.end() || !objet ? Controle::Nombre_Controles
                                         : static_cast<Controle>(std::distance(objets_.begin(), it));
}

QString Boite_Qt::Texte(Controle c) const {
    QObject* o = Objet(c);
    if (auto* champ = qobject_cast<QLineEdit*>(o)) return champ->text();
    if (auto* liste = qobject_cast<QComboBox*>(o)) return liste->currentText();
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(o)) return etiquette->Legende();
    if (auto* action = qobject_cast<QAction*>(o)) return action->text();
    if (auto* fenetre = qobject_cast<QMainWindow*>(o)) return fenetre->windowTitle();
    if (auto* etat = qobject_cast<QStatusBar*>(o)) return etat->currentMessage();
    return o ? o->property(Propriete_Texte).toString() : QString();
}

void Boite_Qt::Ecrire_Texte(Controle c, const QString& texte) {
    const Ecriture ecriture(ecriture_);
    QObject* o = Objet(c);
    if (auto* champ = qobject_cast<QLineEdit*>(o))
        Ecrire_Champ(*champ, texte);
    else if (auto* liste = qobject_cast<QComboBox*>(o))
        liste->setEditText(texte);
    else if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(o))
        etiquette->Ecrire_Legende(texte);
    else if (auto* action = qobject_cast<QAction*>(o))
        action->setText(texte);
    else if (auto* fenetre = qobject_cast<QMainWindow*>(o))
        fenetre->setWindowTitle(texte);
    else if (auto* etat = qobject_cast<QStatusBar*>(o))
        etat->showMessage(texte);
    else if (o)
        o->setProperty(Propriete_Texte, texte);
}

bool Boite_Qt::Visible(Controle c) const {
    if (QAction* action = Action(c)) return action->isVisible();
    // Explicitly hidden or not, whether or not the window is on screen yet.
    const QWidget* widget = Widget(c);
    return widget && !widget->isHidden();
}

void Boite_Qt::Montrer(Controle c, bool visible) {
    if (QAction* action = Action(c)) action->setVisible(visible);
    if (QWidget* widget = Widget(c)) widget->setVisible(visible);
}

bool Boite_Qt::Actif(Controle c) const {
    if (QAction* action = Action(c)) return action->isEnabled();
    const QWidget* widget = Widget(c);
    return widget && widget->isEnabled();
}

void Boite_Qt::Activer(Controle c, bool actif) {
    if (QAction* action = Action(c)) action->setEnabled(actif);
    if (QWidget* widget = Widget(c)) widget->setEnabled(actif);
}

bool Boite_Qt::Coche(Controle c) const {
    if (QAction* action = Action(c)) return action->isChecked();
    QObject* o = Objet(c);
    return o && o->property(Propriete_Coche).toBool();
}

void Boite_Qt::Cocher(Controle c, bool coche) {
    const Ecriture ecriture(ecriture_);
    if (QAction* action = Action(c)) {
        action->setChecked(coche);
    } else if (QObject* o = Objet(c)) {
        o->setProperty(Propriete_Coche, coche);
    }
}

QString Boite_Qt::Indice(Controle c) const {
    QObject* o = Objet(c);
    return o ? o->property(Propriete_Indice).toString() : QString();
}

void Boite_Qt::Ecrire_Indice(Controle c, const QString& indice) {
    QObject* o = Objet(c);
    if (!o) return;
    o->setProperty(Propriete_Indice, indice);
    const auto [court, long_] = Parties_Indice(indice);
    if (QAction* action = Action(c)) {
        action->setToolTip(court);
        action->setStatusTip(long_);
    } else if (QWidget* widget = Widget(c)) {
        widget->setToolTip(court);
        widget->setStatusTip(long_);
    }
}

int Boite_Qt::Longueur_Max(Controle c) const {
    QObject* o = Objet(c);
    return o ? o->property(Propriete_Longueur).toInt() : 0;
}

void Boite_Qt::Ecrire_Longueur_Max(Controle c, int longueur) {
    const Ecriture ecriture(ecriture_);
    QObject* o = Objet(c);
    if (!o) return;
    o->setProperty(Propriete_Longueur, std::clamp(longueur, 0, Longueur_Illimitee));
    if (auto* champ = qobject_cast<QLineEdit*>(o)) Borner_Saisie(*champ);
}

QRect Boite_Qt::Geometrie(Controle c) const {
    QWidget* widget = Widget(c);
    if (!widget) return {};
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(widget)) return etiquette->Place();
    // A window's place is its frame's corner, its size the inside's: the
    // frame is not known before the window is shown, so a size read with it
    // and set without it would grow by the frame at every start.
    if (widget->isWindow()) return {widget->frameGeometry().topLeft(), widget->size()};
    return widget->geometry();
}

void Boite_Qt::Placer(Controle c, const QRect& geometrie) {
    QWidget* widget = Widget(c);
    if (!widget) return;
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(widget)) {
        etiquette->Placer(geometrie);
    } else if (widget->isWindow()) {
        widget->move(geometrie.topLeft());  // where the frame goes
        widget->resize(geometrie.size());
    } else {
        if (auto* image = dynamic_cast<Image_Page*>(widget)) image->Agrandir_Memoire(geometrie.size());
        widget->setGeometry(geometrie);
    }
}

QString Boite_Qt::Police(Controle c) const {
    QObject* o = Objet(c);
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(o)) return etiquette->Face();
    return o ? o->property(Propriete_Police).toString() : QString();
}

void Boite_Qt::Ecrire_Police(Controle c, const QString& nom) {
    QObject* o = Objet(c);
    if (auto* etiquette = dynamic_cast<Etiquette_Fiche*>(o))
        etiquette->Ecrire_Face(nom);
    else if (o)
        o->setProperty(Propriete_Police, nom);
}

// A text wider than its field is selected from its end back to its start,
// so that the field shows how it begins (a long imported name).
void Boite_Qt::Selectionner_Tout(Controle c) {
    QObject* o = Objet(c);
    if (auto* champ = qobject_cast<QLineEdit*>(o)) {
        const qsizetype n = champ->text().size();
        if (champ->fontMetrics().horizontalAdvance(champ->text()) > champ->contentsRect().width())
            champ->setSelection(static_cast<int>(n), -static_cast<int>(n));
        else
            champ->selectAll();
    }
    if (auto* liste = qobject_cast<QComboBox*>(o); liste && liste->lineEdit()) liste->lineEdit()->selectAll();
}

void Boite_Qt::Bip() { QApplication::beep(); }

bool Boite_Qt::Retenu(Genre_Message genre, const QString& titre, const QString& texte) {
    if (retenir_messages_) messages_.push_back({genre, titre, texte});
    return retenir_messages_;
}

void Boite_Qt::Message(const QString& texte) {
    if (Retenu(Genre_Message::Simple, Titre_Programme, texte)) return;
    QMessageBox boite(QMessageBox::NoIcon, Titre_Programme, texte, QMessageBox::Ok,
                      Widget(Controle::Principale));
    boite.exec();
}

void Boite_Qt::Avertissement(const QString& titre, const QString& texte) {
    if (Retenu(Genre_Message::Avertissement, titre, texte)) return;
    QMessageBox boite(QMessageBox::Warning, titre, texte, QMessageBox::Ok, Widget(Controle::Principale));
    boite.exec();
}

void Boite_Qt::Message_Erreur(const QString& texte) {
    if (Retenu(Genre_Message::Erreur, Titre_Programme, texte)) return;
    QMessageBox::critical(Widget(Controle::Principale), Titre_Programme, texte);
}

Canevas& Boite_Qt::Canevas_Fenetre() {
    if (auto* image = dynamic_cast<Image_Page*>(Widget(Controle::Fenetre))) return image->Surface();
    // Before the frame is built there is no image: a surface that keeps nothing.
    if (!canevas_vide_) canevas_vide_ = std::make_unique<Canevas_QPainter>(image_vide_);
    return *canevas_vide_;
}

Canevas* Boite_Qt::Dialogue_Impression() {
    canevas_imprimante_.reset();
    QPrinter* imprimante = imprimante_essai_;
    if (!imprimante) {
        if (!imprimante_) imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialogue(imprimante_.get(), Widget(Controle::Principale));
        dialogue.setWindowTitle(Titre_Impression);
        if (dialogue.exec() != QDialog::Accepted) return nullptr;
        imprimante = imprimante_.get();
    }
    canevas_imprimante_ = std::make_unique<Canevas_QPainter>(*imprimante);
    return canevas_imprimante_.get();
}

void Boite_Qt::Regler_Barre(Controle barre, int taille_page, int grand_pas) {
    if (auto* b = dynamic_cast<Barre_Defilement*>(Widget(barre))) b->Regler(taille_page, grand_pas);
}

int Boite_Qt::Position_Barre(Controle barre) const {
    const auto* b = qobject_cast<QScrollBar*>(Widget(barre));
    return b ? b->value() : 0;
}

void Boite_Qt::Ecrire_Position_Barre(Controle barre, int position) {
    // The bar brings a position outside its range to the nearest bound.
    if (auto* b = qobject_cast<QScrollBar*>(Widget(barre)))
        b->setValue(std::clamp(position, 0, Position_Maximale));
}

QSize Boite_Qt::Taille_Client() const {
    const auto* fenetre = qobject_cast<QMainWindow*>(Widget(Controle::Principale));
    return fenetre && fenetre->centralWidget() ? fenetre->centralWidget()->size() : QSize();
}

Etat_Fenetre Boite_Qt::Etat_Principale() const {
    const QWidget* fenetre = Widget(Controle::Principale);
    if (!fenetre) return Etat_Fenetre::Normale;
    if (fenetre->isMinimized()) return Etat_Fenetre::Minimisee;
    return fenetre->isMaximized() ? Etat_Fenetre::Maximisee : Etat_Fenetre::Normale;
}

void Boite_Qt::Ecrire_Etat_Principale(Etat_Fenetre etat) {
    QWidget* fenetre = Widget(Controle::Principale);
    if (!fenetre) return;
    switch (etat) {
        case Etat_Fenetre::Normale:
            fenetre->setWindowState(Qt::WindowNoState);
            break;
        case Etat_Fenetre::Minimisee:
            fenetre->setWindowState(Qt::WindowMinimized);
            break;
        case Etat_Fenetre::Maximisee:
            fenetre->setWindowState(Qt::WindowMaximized);
            break;
    }
}

QSize Boite_Qt::Taille_Ecran() const {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->size() : QSize();
}

Controle Boite_Qt::Controle_Focus() const {
    // The edit part of a list has the focus for its list.
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const Controle c = Controle_De(w);
        if (c != Controle::Nombre_Controles) return c;
        if (w->isWindow()) break;
    }
    return Controle::Nombre_Controles;
}

void Boite_Qt::Montrer_Focus(Controle c) {
    const Ecriture ecriture(ecriture_);
    // As from the keyboard: an edit field entered so shows its whole text selected.
    if (QWidget* widget = Widget(c)) widget->setFocus(Qt::TabFocusReason);
}

bool Boite_Qt::Presse_Papiers_A_Texte() const {
    const QClipboard* presse_papiers = QGuiApplication::clipboard();
    return presse_papiers && !presse_papiers->text().isNull();
}

QString Boite_Qt::Presse_Papiers() const {
    const QClipboard* presse_papiers = QGuiApplication::clipboard();
    return presse_papiers ? presse_papiers->text() : QString();
}

QLineEdit* Boite_Qt::Champ(Controle c) const {
    QObject* o = Objet(c);
    if (auto* champ = qobject_cast<QLineEdit*>(o)) return champ;
    if (auto* liste = qobject_cast<QComboBox*>(o)) return liste->lineEdit();
    return nullptr;
}

QString Boite_Qt::Texte_Selectionne(Controle c) const {
    const QLineEdit* champ = Champ(c);
    return champ ? champ->selectedText() : QString();
}

void Boite_Qt::Couper_Selection(Controle c) {
    if (QLineEdit* champ = Champ(c)) champ->cut();
}

void Boite_Qt::Copier_Selection(Controle c) {
    if (QLineEdit* champ = Champ(c)) champ->copy();
}

void Boite_Qt::Coller_Dans(Controle c) {
    if (QLineEdit* champ = Champ(c)) champ->paste();
}

Reponse Boite_Qt::Confirmer(const QString& question, Reponse par_defaut) {
    return Poser_Question(question, par_defaut, true);
}

Reponse Boite_Qt::Demander(const QString& question, Reponse par_defaut) {
    return Poser_Question(question, par_defaut, false);
}

Reponse Boite_Qt::Poser_Question(const QString& question, Reponse par_defaut, bool annulable) {
    if (Reponse_Essai) return Reponse_Essai(question);
    // The question breaks its line with a carriage return, which a label does not show.
    QString texte = question;
    texte.replace(u'\r', u'\n');
    QMessageBox boite(QMessageBox::Question, Titre_Programme, texte, QMessageBox::NoButton,
                      Widget(Controle::Principale));
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    QPushButton* annuler =
        annulable ? boite.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole) : nullptr;
    boite.setEscapeButton(annulable ? annuler : non);
    boite.setDefaultButton(par_defaut == Reponse::Oui                 ? oui
                           : par_defaut == Reponse::Non || !annulable ? non
                                                                      : annuler);
    boite.exec();
    if (boite.clickedButton() == oui) return Reponse::Oui;
    if (boite.clickedButton() == non || !annulable) return Reponse::Non;
    return Reponse::Annuler;
}

// A box that does not wait: it comes from the mount's events, which keep
// arriving while it is shown. A newer one takes the place of the last.
void Boite_Qt::Avertir_Sans_Attendre(const QString& titre, const QString& texte) {
    if (Retenu(Genre_Message::Avertissement, titre, texte)) return;
    if (avertissement_) avertissement_->close();
    auto* boite =
        new QMessageBox(QMessageBox::Warning, titre, texte, QMessageBox::Ok, Widget(Controle::Principale));
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->setWindowModality(Qt::NonModal);
    avertissement_ = boite;
    boite->show();
}

std::optional<QString> Boite_Qt::Dialogue_Fichier_Qt(const Dialogue_Fichier& dialogue, bool enregistrer) {
    if (Dialogue_Essai) return Dialogue_Essai(dialogue);
    // "description|motif|…" becomes Qt's "description (motif);;…".
    const QStringList parties = dialogue.filtre.split(u'|');
    QStringList filtres;
    for (qsizetype k = 0; k + 1 < parties.size(); k += 2) {
        filtres << QStringLiteral("%1 (%2)").arg(parties[k], parties[k + 1]);
    }
    QFileDialog boite(Widget(Controle::Principale), dialogue.titre, dialogue.nom_initial,
                      filtres.join(u";;"));
    boite.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    boite.setFileMode(enregistrer ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    boite.setDefaultSuffix(dialogue.extension);
    // The program asks itself whether to replace a file.
    boite.setOption(QFileDialog::DontConfirmOverwrite);
    if (boite.exec() != QDialog::Accepted || boite.selectedFiles().isEmpty()) return std::nullopt;
    return boite.selectedFiles().first();
}

std::optional<QString> Boite_Qt::Dialogue_Ouvrir(const Dialogue_Fichier& dialogue) {
    return Dialogue_Fichier_Qt(dialogue, false);
}

std::optional<QString> Boite_Qt::Dialogue_Enregistrer(const Dialogue_Fichier& dialogue) {
    return Dialogue_Fichier_Qt(dialogue, true);
}

std::optional<int> Boite_Qt::Choisir_Objet(const QString& titre, const Source_Objets& source) {
    Dialogue_Choix_Objet dialogue(Widget(Controle::Principale), titre, source);
    const auto aide = Aide_Dialogue ? Aide_Dialogue(dialogue, Aide_Import) : nullptr;
    dialogue.exec();
    return dialogue.Choisi();
}

std::optional<Saisie_Lois> Boite_Qt::Saisir_Lois(const Saisie_Lois& actuelle,
                                                 const Refus_Saisie_Lois& refus) {
    Dialogue_Lois dialogue(actuelle, refus, Widget(Controle::Principale));
    dialogue.exec();
    return dialogue.Saisie();
}

void Boite_Qt::Commencer_Progression(const QString& texte, int64_t total) {
    progression_ = std::make_unique<QProgressDialog>(texte, Legende_Annuler, 0, Pas_Progression,
                                                     Widget(Controle::Principale));
    progression_->setWindowTitle(Titre_Progression);
    progression_->setWindowModality(Qt::WindowModal);
    progression_->setMinimumDuration(Delai_Progression);
    progression_->setAutoReset(false);
    progression_->setValue(0);
    total_progression_ = std::max<int64_t>(total, 1);
}

// A modal progress dialog handles the events as it advances: its button is heard.
bool Boite_Qt::Avancer_Progression(int64_t fait) {
    if (!progression_) return true;
    const int64_t pas = std::clamp<int64_t>(fait * Pas_Progression / total_progression_, 0, Pas_Progression);
    progression_->setValue(static_cast<int>(pas));
    return !progression_->wasCanceled();
}

void Boite_Qt::Terminer_Progression() { progression_.reset(); }
