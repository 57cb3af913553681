#include "app/principale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <utility>

#include "app/a_propos.h"
#include "app/aide.h"
#include "app/calcul_fond.h"
#include "app/commandes.h"
#include "app/dialogue_ajustement.h"
#include "app/dialogue_catalogues.h"
#include "app/dialogue_ce_soir.h"
#include "app/dialogue_lieu.h"
#include "app/fenetre_nuit.h"
#include "app/fiche_qt.h"
#include "app/monture_fenetre.h"
#include "app/widgets_fiche.h"
#include "app/zone_client.h"
#include "catalogues/copies_locales.h"
#include "document/commandes_document.h"
#include "document/commandes_lois.h"
#include "document/lieu.h"
#include "document/modele_calcul.h"
#include "form/disposition_fiche.h"
#include "form/presse_papiers.h"
#include "page/legendes.h"

namespace {

// Pixels: the window's height as created (the width is start-up's to set).
constexpr int Largeur_Creation = 700;
constexpr int Hauteur_Creation = 830;
constexpr int Aide_Sommaire = 1000;
constexpr int Marge_Legende = 6;  // pixels left and right of the line under the tool bar

// The line under the tool bar's buttons, within the bar, which grows by its
// height: the frame and the view place themselves under the bar as before.
// It shows what fits of its text, which is its tool tip: a long text never
// widens the window.
class Legende_Coupee : public QWidget {
public:
    explicit Legende_Coupee(QToolBar* barre) : QWidget(barre) {
        const QMargins m = barre->contentsMargins();
        barre->setContentsMargins(m.left(), m.top(), m.right(), m.bottom() + Hauteur());
        barre->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (objet == parentWidget() && e->type() == QEvent::Resize) Placer();
        return QWidget::eventFilter(objet, e);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        peintre.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(toolTip(), Qt::ElideRight, width()));
    }

private:
    int Hauteur() const { return fontMetrics().height() + 2; }
    void Placer() {
        const QWidget* barre = parentWidget();
        setGeometry(Marge_Legende, barre->height() - Hauteur() - 1, barre->width() - 2 * Marge_Legende,
                    Hauteur());
    }
};
const char* const Article_Ce_Soir = "Ce soir…";
const char* const Indice_Ce_Soir =
    "Ce soir|Les comètes et petites planètes d'un catalogue observables la nuit venue depuis le lieu";
const char* const Texte_Sans_Lieu_Ce_Soir =
    "La liste de ce soir demande un lieu d'observation (Edition, Lieu d'observation…).";
const QString Elements_Incomplets = QStringLiteral(
    "Les éléments de l'astre sont incomplets : complétez-les avant d'ajuster la loi aux estimations.");

// The recent-file items follow each other in the enum.
int Rang_Historique(Controle c) { return static_cast<int>(c) - static_cast<int>(Controle::Historique1) + 1; }
bool Est_Historique(Controle c) { return Rang_Historique(c) >= 1 && Rang_Historique(c) <= Taille_Historique; }

// The first local file of a drag, "" when it brings none.
QString Fichier_Depose(const QMimeData* donnees) {
    if (!donnees || !donnees->hasUrls()) return {};
    for (const QUrl& url : donnees->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

}  // namespace

Principale::Principale(const Demarrage& demarrage, bool retenir_messages)
    : programme_(boite_, Trouver_Notation(), QStringLiteral(TRAJECTEL_VERSION)), aiguillage_(programme_) {
    boite_.Retenir_Messages(retenir_messages);
    Construire();
    FormCreate(programme_, application_, demarrage, [this](const QString& texte) { boite_.Message(texte); });
    a_propos_ = new AboutBox(this);
}

// The widgets report to the program object and its platform: they go first,
// while both are still there to hear the focus leaving them.
Principale::~Principale() {
    boite_.Sur_Page_Construite = nullptr;
    delete monture_;
    delete nuit_;
    delete aide_;
    delete a_propos_;
    // Forgotten first: a status tip raised while its children go must not reach it.
    delete std::exchange(client_, nullptr);
}

void Principale::Construire() {
    setWindowIcon(Icone_Programme());
    client_ = new Zone_Client(this);
    setCentralWidget(client_);
    boite_.Lier(Controle::Principale, this);
    boite_.Lier(Controle::ToolBar1, client_->Barre_Outils());
    boite_.Lier(Controle::Fiche, client_->Fiche());
    boite_.Lier(Controle::VerticalBar, client_->Verticale());
    boite_.Lier(Controle::HorizontalBar, client_->Horizontale());
    boite_.Lier(Controle::StatusBar, client_->Etat());
    Creer_Commandes(*this, *client_->Barre_Outils(), boite_, [this](Controle c) { Executer(c); });
    // Before anything is placed under the tool bar: the line makes it taller.
    Creer_Legende_Calcul();
    for (QAction* menu : menuBar()->actions())
        if (menu->menu() && menu->text() == QStringLiteral("&Dates")) {
            QAction* ce_soir = menu->menu()->addAction(QString::fromUtf8(Article_Ce_Soir));
            ce_soir->setObjectName(QStringLiteral("CeSoir1"));
            ce_soir->setStatusTip(QString::fromUtf8(Indice_Ce_Soir));
            connect(ce_soir, &QAction::triggered, this, [this] { Ouvrir_Ce_Soir(); });
        }

    QFont police(QString::fromUtf8(Face_Fiche));
    police.setPixelSize(Taille_Police_Fiche);
    client_->Fiche()->setFont(police);
    new Fiche_Qt(client_->Fiche(), boite_,
                 [this](const Evenement_Fiche& e) { return aiguillage_.Traiter(e); });

    boite_.Changement_Barre = [this](Controle barre) {
        if (barre == Controle::VerticalBar) VerticalBarChange(boite_);
        if (barre == Controle::HorizontalBar) HorizontalBarChange(boite_);
    };
    client_->Redimensionnement = [this] { FormResize(boite_, programme_.vue); };
    client_->Disposer();

    aide_ = new Fenetre_Aide(this);
    nuit_ = new Fenetre_Nuit([this] { return programme_.Calcul(); }, boite_, this);
    monture_ = new Monture_Fenetre(programme_, boite_, application_.configuration.Dossier_Configuration,
                                   *client_->Etat(), this);
    monture_->Actualiser_Commandes();
    calcul_fond_ = new Calcul_Fond(
        programme_, *client_->Etat(), [this] { Rafraichir(programme_.Page()); }, this);
    boite_.Sur_Page_Construite = [this] {
        calcul_fond_->Page_Construite();  // first: the night's own build sets the page state again
        Actualiser_Legende_Calcul();
        nuit_->Redessiner();
        monture_->Actualiser_Commandes();
    };
    boite_.Aide_Dialogue = [this](QDialog& dialogue, int contexte) {
        return std::make_unique<Aide_Dans_Dialogue>(dialogue, *aide_, application_.Fichier_Aide, contexte);
    };
    auto* aide_contextuelle = new QShortcut(QKeySequence::HelpContents, this);
    connect(aide_contextuelle, &QShortcut::activated, this, [this] { Aide_Contextuelle(); });
    // The import offers the local catalogues, each with its date and count.
    import_.Catalogues = [] {
        std::vector<Catalogue_Propose> proposes;
        const QDateTime maintenant = QDateTime::currentDateTimeUtc();
        for (const Copie_Locale& c : Lister_Copies())
            proposes.push_back({Texte_Copie(c, maintenant), c.chemin});
        return proposes;
    };
    resize(Largeur_Creation, Hauteur_Creation);
    // A file dropped anywhere on the window is for the window; the fields
    // would take it as text past their key filters.
    setAcceptDrops(true);
    for (QLineEdit* champ : findChildren<QLineEdit*>()) champ->setAcceptDrops(false);
}

// Under the title and the buttons, as the printed page says it under its table.
void Principale::Creer_Legende_Calcul() {
    legende_calcul_ = new Legende_Coupee(client_->Barre_Outils());
    legende_calcul_->setObjectName(QStringLiteral("Legende_Calcul"));
}

void Principale::Actualiser_Legende_Calcul() {
    const QString texte = Texte_Calcul_Fenetre(programme_.Calcul());
    if (texte == legende_calcul_->toolTip()) return;
    legende_calcul_->setToolTip(texte);
    legende_calcul_->update();
}

void Principale::Executer(Controle commande) {
    if (Est_Historique(commande)) {
        Choisir_Historique(programme_, Rang_Historique(commande));
        return;
    }
    switch (commande) {
        case Controle::FileNew1:
            FileNew1Execute(programme_);
            break;
        case Controle::FileOpen1:
            FileOpen1Execute(programme_, application_.ouverture);
            break;
        case Controle::FileSave1:
            FileSave1Execute(programme_);
            break;
        case Controle::FileImport1:
            Importer_Elements(programme_, import_);
            break;
        case Controle::FileCatalogues1:
            Mettre_A_Jour_Catalogues();
            break;
        case Controle::EditPasteElements1:
            Coller_Elements(programme_);
            break;
        case Controle::EditSite1:
            Choisir_Lieu();
            break;
        case Controle::EditLaws1:
            Modifier_Lois(programme_);
            break;
        case Controle::EditFitLaw1:
            Ajuster_Loi_Estimations();
            break;
        case Controle::MontureConnexion:
            monture_->Ouvrir_Connexion();
            break;
        case Controle::MonturePointer:
            monture_->Pointer_Et_Suivre();
            break;
        case Controle::MontureArreter:
            monture_->Arreter();
            break;
        case Controle::MontureDeconnecter:
            monture_->Deconnecter();
            break;
        case Controle::DatesNight1:
            nuit_->show();
            nuit_->raise();
            break;
        case Controle::FileSaveAs1:
            FileSaveAs1Execute(programme_);
            break;
        case Controle::EditCut1:
            CouperClick(boite_);
            break;
        case Controle::EditCopy1:
            CopierClick(boite_);
            break;
        case Controle::EditPaste1:
            CollerClick(boite_, programme_.notation.Separateur_Decimal);
            break;
        case Controle::FileExit1:
            FileExit1Execute();
            break;
        case Controle::HelpAbout1:
            HelpAbout1Execute();
            break;
        case Controle::AfficheAide:
            AfficheAideExecute();
            break;
        case Controle::Imprimer:
            ImprimerExecute(programme_.Page());
            break;
        case Controle::CalculClassique:
            Choisir_Modele(boite_.Coche(commande));
            break;
        case Controle::PerturbationsPlanetaires:
            Choisir_Perturbations(boite_.Coche(commande));
            break;
        case Controle::PositionTopocentrique:
            programme_.modele.topocentrique = boite_.Coche(commande);
            Enregistrer_Modele();
            Rafraichir(programme_.Page());
            break;
        case Controle::Julienne:
        case Controle::Julienne_éléments:
        case Controle::Julienne_éphéméride:
            // Qt inverts a check item when it is chosen; the item's own handler does that.
            boite_.Cocher(commande, !boite_.Coche(commande));
            aiguillage_.Basculer_Date(commande);
            break;
        default:
            break;
    }
}

// The site chosen is kept at once in Lieu.ini; the page shows it.
void Principale::Choisir_Lieu() {
    Dialogue_Lieu dialogue(programme_.site, programme_.notation, application_.Raison_Lieu, this);
    {
        const auto aide = boite_.Aide_Dialogue(dialogue, Aide_Lieu);
        if (dialogue.exec() != QDialog::Accepted || !dialogue.Site()) return;
    }
    application_.Raison_Lieu.clear();
    programme_.site = dialogue.Site();
    Enregistrer_Lieu(application_.configuration.Dossier_Configuration, *programme_.site, boite_);
    Activer_Topocentrique(programme_);
    Rafraichir(programme_.Page());
}

void Principale::Mettre_A_Jour_Catalogues() {
    Dialogue_Catalogues dialogue(Environnement_Utilisateur(), this);
    const auto aide = boite_.Aide_Dialogue(dialogue, Aide_Catalogues);
    dialogue.exec();
}

// Tonight's list needs a site: without one, the site's dialog first.
void Principale::Ouvrir_Ce_Soir() {
    if (!programme_.site) Choisir_Lieu();
    if (!programme_.site) {
        boite_.Avertissement(QString::fromUtf8(Titre_Ce_Soir), QString::fromUtf8(Texte_Sans_Lieu_Ce_Soir));
        return;
    }
    Dialogue_Ce_Soir dialogue(programme_, catalogues_ce_soir_, this);
    dialogue.exec();
    catalogues_ce_soir_.clear();
    for (int k = 0; k < dialogue.Fichiers->count(); ++k)
        catalogues_ce_soir_ << dialogue.Fichiers->item(k)->text();
}

// The estimates are reduced with the body's places: its elements must be complete.
void Principale::Ajuster_Loi_Estimations() {
    if (!Preparer_Page(programme_.Calcul())) {
        boite_.Message_Erreur(Elements_Incomplets);
        return;
    }
    Dialogue_Ajustement dialogue(programme_.el, boite_.Texte(Controle::Commentaire),
                                 programme_.notation.Separateur_Decimal, boite_, this);
    {
        const auto aide = boite_.Aide_Dialogue(dialogue, Aide_Ajustement);
        if (dialogue.exec() != QDialog::Accepted || !dialogue.Loi()) return;
    }
    Appliquer_Loi_Ajustee(programme_, *dialogue.Loi());
}

// The model chosen is kept at once in Calcul.ini, as are the planets' pull and
// the topocentric place; the page shows it.
void Principale::Choisir_Modele(bool classique) {
    programme_.modele.modele = classique ? Modele_Calcul::Classique : Modele_Calcul::Precis;
    Enregistrer_Modele();
    Activer_Topocentrique(programme_);
    Rafraichir(programme_.Page());
}

// The planets' pull chosen is kept at once in Calcul.ini; the page shows it.
void Principale::Choisir_Perturbations(bool perturbations) {
    programme_.modele.perturbations = perturbations;
    Enregistrer_Modele();
    Rafraichir(programme_.Page());
}

void Principale::Enregistrer_Modele() {
    const Reglages_Calcul reglages{programme_.modele.modele == Modele_Calcul::Classique,
                                   programme_.modele.perturbations, programme_.modele.topocentrique};
    Enregistrer_Calcul(application_.configuration.Dossier_Configuration, reglages, boite_);
}

void Principale::Preparer_A_Propos() {
    a_propos_->ProductName->setText(QStringLiteral("Trajectel - Version ") + programme_.Version_Programme);
}

void Principale::HelpAbout1Execute() {
    Preparer_A_Propos();
    a_propos_->Montrer_Modal();
}

void Principale::AfficheAideExecute() { aide_->Ouvrir(application_.Fichier_Aide); }

// F1 opens the help at the topic of the control being edited.
void Principale::Aide_Contextuelle() {
    int contexte = 0;
    for (const QWidget* w = QApplication::focusWidget(); w && contexte == 0; w = w->parentWidget())
        contexte = Contexte_Aide(w);
    aide_->Ouvrir(application_.Fichier_Aide, contexte > 0 ? contexte : Aide_Sommaire);
}

void Principale::FileExit1Execute() {
    if (Quitter_Application(programme_, application_)) close();
}

// FormCloseQuery: the window closes when the quit procedure allows it; a
// quit already allowed from the menu asks nothing more.
void Principale::closeEvent(QCloseEvent* e) {
    if (!application_.Fermeture_Permise) Quitter_Application(programme_, application_);
    e->setAccepted(application_.Fermeture_Permise);
    if (!application_.Fermeture_Permise) return;
    // The mount does not go on at the body's rates once the program is gone.
    monture_->Quitter();
    aide_->close();
    QApplication::quit();
}

// The long part of the hint under the mouse goes to the status bar.
bool Principale::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip && client_) {
        client_->Etat()->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

namespace {
// A dropped file is only read: taken as a copy, never as a move that would
// let the source delete it.
bool Accepter_Copie(QDropEvent* e) {
    if (!(e->possibleActions() & Qt::CopyAction)) return false;
    e->setDropAction(Qt::CopyAction);
    e->accept();
    return true;
}
}  // namespace

void Principale::dragEnterEvent(QDragEnterEvent* e) {
    if (!Fichier_Depose(e->mimeData()).isEmpty()) Accepter_Copie(e);
}

void Principale::dragMoveEvent(QDragMoveEvent* e) {
    if (!Fichier_Depose(e->mimeData()).isEmpty()) Accepter_Copie(e);
}

void Principale::dropEvent(QDropEvent* e) {
    if (!(e->possibleActions() & Qt::CopyAction)) return;
    if (Deposer(e->mimeData())) Accepter_Copie(e);
}

bool Principale::Deposer(const QMimeData* donnees) {
    const QString chemin = Fichier_Depose(donnees);
    if (chemin.isEmpty()) return false;
    // Its questions and dialogs come once the drag is over.
    QMetaObject::invokeMethod(
        this, [this, chemin] { Deposer_Fichier(programme_, chemin); }, Qt::QueuedConnection);
    return true;
}
