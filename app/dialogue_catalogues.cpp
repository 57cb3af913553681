#include "app/dialogue_catalogues.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace {

const QString Titre = QStringLiteral("Trajectel - Mettre à jour les catalogues");
const QString Explication = QStringLiteral(
    "Les catalogues du Minor Planet Center, refaits chaque matin (TU). Seuls les fichiers qui ont "
    "changé sont téléchargés\u00a0; une copie n'est remplacée que par un fichier complet et lisible.");
const QStringList Entetes = {QStringLiteral("Catalogue"), QStringLiteral("Copie du"),
                             QStringLiteral("Objets"), QStringLiteral("État")};
const QString Legende_Mettre_A_Jour = QStringLiteral("&Mettre à jour");
const QString Legende_Annuler = QStringLiteral("Annuler");
const QString Legende_Fermer = QStringLiteral("Fermer");
const QString Etat_Aucune = QStringLiteral("pas de copie locale");
const QString Etat_A_Jour = QStringLiteral("copie de moins d'une semaine");
const QString Etat_Ancienne = QStringLiteral("copie de plus d'une semaine, à mettre à jour");
const QString Etat_Attente = QStringLiteral("en attente…");
const QString Etat_Telechargement = QStringLiteral("téléchargement…");
const QString Texte_Octets = QStringLiteral("%1 : %2 reçus sur %3");
const QString Texte_Octets_Inconnus = QStringLiteral("%1 : %2 reçus");
const QString Texte_Termine = QStringLiteral("Mise à jour terminée.");
const QString Texte_Annulee = QStringLiteral("Mise à jour annulée : les copies en place sont gardées.");

constexpr int Largeur = 860;  // pixels
constexpr int Hauteur = 300;  // pixels
constexpr double Octets_Par_Ko = 1e3;
constexpr double Octets_Par_Mo = 1e6;
// QProgressBar counts in int: a larger file is counted in steps of several bytes.
qint64 Octets_Par_Pas(qint64 total) { return total / std::numeric_limits<int>::max() + 1; }

enum Colonne { Col_Catalogue, Col_Date, Col_Objets, Col_Etat };

// "12,3 Mo", or "340,2 ko" for a small file.
QString Taille(qint64 octets, qint64 total) {
    const bool mo = static_cast<double>(total) >= Octets_Par_Mo;
    const double n = static_cast<double>(octets) / (mo ? Octets_Par_Mo : Octets_Par_Ko);
    return QString::number(n, 'f', 1).replace(u'.', u',') +
           (mo ? QStringLiteral(" Mo") : QStringLiteral(" ko"));
}

QTableWidgetItem* Cellule(const QString& texte) {
    auto* c = new QTableWidgetItem(texte);
    c->setFlags(Qt::ItemIsEnabled);
    return c;
}

}  // namespace

Dialogue_Catalogues::Dialogue_Catalogues(Environnement_Catalogues env, QWidget* parent)
    : QDialog(parent), env_(std::move(env)), reseau_(std::make_unique<QNetworkAccessManager>()) {
    setWindowTitle(Titre);
    resize(Largeur, Hauteur);
    auto* explication = new QLabel(Explication, this);
    explication->setWordWrap(true);
    const auto& sources = Sources_Catalogues();
    Liste = new QTableWidget(static_cast<int>(sources.size()), Entetes.size(), this);
    Liste->setHorizontalHeaderLabels(Entetes);
    Liste->verticalHeader()->hide();
    Liste->setSelectionMode(QAbstractItemView::NoSelection);
    Liste->horizontalHeader()->setStretchLastSection(true);
    Liste->setWordWrap(false);
    Barre = new QProgressBar(this);
    Barre->setRange(0, 1);
    Barre->setValue(0);
    Avancement = new QLabel(this);
    auto* boutons = new QDialogButtonBox(this);
    Mettre_A_Jour = boutons->addButton(Legende_Mettre_A_Jour, QDialogButtonBox::AcceptRole);
    Annuler = boutons->addButton(Legende_Fermer, QDialogButtonBox::RejectRole);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(explication);
    disposition->addWidget(Liste);
    disposition->addWidget(Barre);
    disposition->addWidget(Avancement);
    disposition->addWidget(boutons);
    connect(Mettre_A_Jour, &QPushButton::clicked, this, [this] { Commencer(); });
    connect(Annuler, &QPushButton::clicked, this, [this] { reject(); });
    Montrer_Copies();
    Liste->resizeColumnsToContents();
}

Dialogue_Catalogues::~Dialogue_Catalogues() = default;

// A catalogue with a copy is ticked, and so are the small ones the first time.
void Dialogue_Catalogues::Montrer_Copies() {
    const QDateTime maintenant = env_.horloge();
    const auto& sources = Sources_Catalogues();
    for (int k = 0; k < static_cast<int>(sources.size()); ++k) {
        const Source_Catalogue& s = sources[static_cast<std::size_t>(k)];
        const std::optional<Releve_Copie> r = Lire_Releve(env_.dossier_copies, s);
        auto* nom = new QTableWidgetItem(s.Libelle);
        nom->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        nom->setCheckState(r || !s.Gzip ? Qt::Checked : Qt::Unchecked);
        Liste->setItem(k, Col_Catalogue, nom);
        Liste->setItem(k, Col_Date,
                       Cellule(r ? Texte_Date_Heure(r->Telechargement) + QStringLiteral(" TU") : QString()));
        Liste->setItem(k, Col_Objets, Cellule(r ? Texte_Nombre(r->Objets) : QString()));
        Liste->item(k, Col_Objets)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Liste->setItem(k, Col_Etat,
                       Cellule(!r                               ? Etat_Aucune
                               : Copie_Ancienne(*r, maintenant) ? Etat_Ancienne
                                                                : Etat_A_Jour));
    }
}

void Dialogue_Catalogues::Commencer() {
    if (en_cours_) return;
    a_faire_.clear();
    for (int k = 0; k < Liste->rowCount(); ++k)
        if (Liste->item(k, Col_Catalogue)->checkState() == Qt::Checked) a_faire_.push_back(k);
    if (a_faire_.empty()) return;
    Preparer_Catalogues_Ini(env_.dossier_configuration);
    verrou_ = std::make_unique<Verrou_Catalogues>(Verrouiller_Catalogues(env_.dossier_copies));
    if (!verrou_->verrou) {
        for (int k : a_faire_) {
            const Source_Catalogue& s = Sources_Catalogues()[static_cast<std::size_t>(k)];
            Liste->item(k, Col_Etat)
                ->setText(Etat_Resultat(
                    {Issue_Mise_A_Jour::Echec, verrou_->raison, Lire_Releve(env_.dossier_copies, s)}));
        }
        verrou_.reset();
        return;
    }
    annule_ = false;
    for (int k : a_faire_) Liste->item(k, Col_Etat)->setText(Etat_Attente);
    Mettre_A_Jour->setEnabled(false);
    Liste->setEnabled(false);
    Annuler->setText(Legende_Annuler);
    Suivant();
}

void Dialogue_Catalogues::Suivant() {
    if (a_faire_.empty() || annule_) {
        Finir_Tous();
        return;
    }
    rang_ = a_faire_.front();
    a_faire_.erase(a_faire_.begin());
    const Source_Catalogue& s = Sources_Catalogues()[static_cast<std::size_t>(rang_)];
    Liste->item(rang_, Col_Etat)->setText(Etat_Telechargement);
    Barre->setRange(0, 0);
    Avancement->setText(s.Fichier);
    en_cours_ = std::make_unique<Mise_A_Jour_Catalogue>(*reseau_, Demande_Catalogue(env_, s));
    connect(en_cours_.get(), &Mise_A_Jour_Catalogue::Progression, this, &Dialogue_Catalogues::Progresser);
    connect(en_cours_.get(), &Mise_A_Jour_Catalogue::Terminee, this, &Dialogue_Catalogues::Finir_Un,
            Qt::QueuedConnection);
    en_cours_->Commencer();
}

void Dialogue_Catalogues::Progresser(qint64 recus, qint64 total) {
    const QString fichier = Sources_Catalogues()[static_cast<std::size_t>(rang_)].Fichier;
    if (total > 0) {
        const qint64 pas = Octets_Par_Pas(total);
        Barre->setRange(0, static_cast<int>(total / pas));
        Barre->setValue(static_cast<int>(std::min(recus, total) / pas));
        Avancement->setText(Texte_Octets.arg(fichier, Taille(recus, total), Taille(total, total)));
    } else {
        Barre->setRange(0, 0);
        Avancement->setText(Texte_Octets_Inconnus.arg(fichier, Taille(recus, recus)));
    }
}

void Dialogue_Catalogues::Finir_Un(const Resultat_Mise_A_Jour& resultat) {
    en_cours_.release()->deleteLater();
    Liste->item(rang_, Col_Etat)->setText(Etat_Resultat(resultat));
    Liste->item(rang_, Col_Etat)->setToolTip(Etat_Resultat(resultat));
    if (resultat.releve) {
        Liste->item(rang_, Col_Date)
            ->setText(Texte_Date_Heure(resultat.releve->Telechargement) + QStringLiteral(" TU"));
        Liste->item(rang_, Col_Objets)->setText(Texte_Nombre(resultat.releve->Objets));
        Liste->resizeColumnsToContents();
    }
    Suivant();
}

void Dialogue_Catalogues::Finir_Tous() {
    for (int k : a_faire_)
        Liste->item(k, Col_Etat)
            ->setText(Etat_Resultat(
                {Issue_Mise_A_Jour::Annulee, QStringLiteral("mise à jour annulée"),
                 Lire_Releve(env_.dossier_copies, Sources_Catalogues()[static_cast<std::size_t>(k)])}));
    a_faire_.clear();
    verrou_.reset();
    rang_ = -1;
    Barre->setRange(0, 1);
    Barre->setValue(annule_ ? 0 : 1);
    Avancement->setText(annule_ ? Texte_Annulee : Texte_Termine);
    Mettre_A_Jour->setEnabled(true);
    Liste->setEnabled(true);
    Annuler->setText(Legende_Fermer);
}

// During a download Cancel stops it and keeps the copies; otherwise it closes.
void Dialogue_Catalogues::reject() {
    if (en_cours_) {
        annule_ = true;
        en_cours_->Annuler();
        return;
    }
    QDialog::reject();
}
