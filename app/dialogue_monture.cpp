#include "app/dialogue_monture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "monture/suivi_monture.h"

namespace {
const QString Titre_Dialogue = QStringLiteral("Trajectel - Monture");
const QString Legende_Serveur = QStringLiteral("Serveur INDI (hôte:port) :");
const QString Legende_Appareils = QStringLiteral("Montures offertes par le serveur :");
const QString Texte_Connecter = QStringLiteral("Connecter");
const QString Mot_Connexion = QStringLiteral("Connexion à %1…");
const QString Mot_Connecte = QStringLiteral("Connecté à %1 : choisissez la monture.");
const QString Mot_Aucune_Monture = QStringLiteral("Connecté à %1 : le serveur n'offre aucune monture.");
const QString Texte_Journal = QStringLiteral("Journal des échanges INDI");
const QString Bulle_Journal = QStringLiteral("Chaque message envoyé au serveur et reçu de lui, dans %1");
const QString Mot_Choisir = QStringLiteral("Choisissez une monture dans la liste.");
const QString Mot_Non_Connecte = QStringLiteral("Non connecté : indiquez le serveur, puis « Connecter ».");
const QString Couleur_Erreur = QStringLiteral("color: #b00000");
constexpr int Longueur_Maximale_Serveur = 300;  // characters
constexpr int Largeur_Minimale = 420;           // px: the title whole

}  // namespace

Dialogue_Monture::Dialogue_Monture(const Reglages_Monture& reglages, Suivi_Monture& suivi, bool journal,
                                   const QString& fichier_journal, QWidget* parent)
    : QDialog(parent), suivi_(suivi), choix_(reglages) {
    setWindowTitle(Titre_Dialogue);
    setMinimumWidth(Largeur_Minimale);
    Journal = new QCheckBox(Texte_Journal, this);
    Journal->setChecked(journal);
    Journal->setToolTip(Bulle_Journal.arg(fichier_journal));
    Serveur = new QLineEdit(Texte_Serveur(reglages), this);
    Serveur->setMaxLength(Longueur_Maximale_Serveur);
    Connecter = new QPushButton(Texte_Connecter, this);
    Connecter->setDefault(true);  // Enter in the server's field connects
    Appareils = new QListWidget(this);
    Etat = new QLabel(this);
    Etat->setWordWrap(true);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Ok = boutons->button(QDialogButtonBox::Ok);
    Ok->setAutoDefault(false);
    connect(boutons, &QDialogButtonBox::accepted, this, &Dialogue_Monture::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &Dialogue_Monture::reject);
    connect(Connecter, &QPushButton::clicked, this, [this] { Se_Connecter(); });
    connect(&suivi_, &Suivi_Monture::Telescopes_Changes, this,
            [this](const QStringList& telescopes) { Remplir(telescopes); });

    auto* ligne = new QHBoxLayout;
    ligne->addWidget(Serveur, 1);
    ligne->addWidget(Connecter);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(new QLabel(Legende_Serveur, this));
    colonne->addLayout(ligne);
    colonne->addWidget(new QLabel(Legende_Appareils, this));
    colonne->addWidget(Appareils, 1);
    colonne->addWidget(Etat);
    colonne->addWidget(Journal);
    colonne->addWidget(boutons);
    if (suivi_.Statut().connecte)
        Remplir(suivi_.Telescopes());
    else
        Etat->setText(Mot_Non_Connecte);
}

void Dialogue_Monture::Se_Connecter() {
    const Lecture_Serveur lecture = Lire_Serveur(Serveur->text());
    Etat->setStyleSheet(lecture.valide ? QString() : Couleur_Erreur);
    if (!lecture.valide) return Etat->setText(lecture.erreur);
    choix_.Hote = lecture.hote;
    choix_.Port = lecture.port;
    Appareils->clear();
    Etat->setText(Mot_Connexion.arg(Texte_Serveur(choix_)));
    connexion_faite_ = true;
    suivi_.Connecter(lecture.hote, lecture.port);
}

// The list follows the server; the device chosen before stays chosen.
void Dialogue_Monture::Remplir(const QStringList& telescopes) {
    QStringList montrees;
    for (int k = 0; k < Appareils->count(); ++k) montrees.append(Appareils->item(k)->text());
    if (montrees != telescopes || Appareils->count() == 0) {
        const QListWidgetItem* courant = Appareils->currentItem();
        const QString choisi = courant ? courant->text() : choix_.Appareil;
        Appareils->clear();
        Appareils->addItems(telescopes);
        const auto trouves = Appareils->findItems(choisi, Qt::MatchExactly);
        if (!trouves.isEmpty()) Appareils->setCurrentItem(trouves.first());
    }
    Etat->setStyleSheet({});
    Etat->setText((telescopes.isEmpty() ? Mot_Aucune_Monture : Mot_Connecte).arg(Texte_Serveur(choix_)));
}

void Dialogue_Monture::Montrer_Erreur(const QString& raison) {
    Etat->setStyleSheet(Couleur_Erreur);
    Etat->setText(raison);
}

void Dialogue_Monture::accept() {
    const QListWidgetItem* courant = Appareils->currentItem();
    if (!courant || !suivi_.Statut().connecte) {
        Montrer_Erreur(Mot_Choisir);
        return;
    }
    choix_.Appareil = courant->text();
    QDialog::accept();
}
