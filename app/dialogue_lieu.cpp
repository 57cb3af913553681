#include "app/dialogue_lieu.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "document/lieu.h"

namespace {
const QString Titre_Dialogue = QStringLiteral("Trajectel - Lieu d'observation");
const QString Case_Afficher = QStringLiteral("Afficher la visibilité");
const QString Couleur_Erreur = QStringLiteral("color: #b00000");

QLineEdit* Champ(const QString& texte, QWidget* parent) {
    auto* champ = new QLineEdit(texte, parent);
    champ->setMaxLength(Longueur_Maximale_Nom);
    champ->setCursorPosition(0);  // a long name shows its start
    return champ;
}
}  // namespace

Dialogue_Lieu::Dialogue_Lieu(const std::optional<Site_Observation>& site, const Notation& notation,
                             const QString& raison, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Titre_Dialogue);
    const Site_Observation s = site.value_or(Site_Observation{});
    Nom = Champ(s.Nom, this);
    Latitude = Champ(Texte_Champ_Site(s.lieu.Latitude, notation), this);
    Longitude = Champ(Texte_Champ_Site(s.lieu.Longitude, notation), this);
    Altitude = Champ(Texte_Champ_Site(s.lieu.Altitude, notation), this);
    Hauteur_Minimale = Champ(Texte_Champ_Site(s.Hauteur_Minimale, notation), this);
    Afficher = new QCheckBox(Case_Afficher, this);
    Afficher->setChecked(site ? s.Afficher : true);
    Erreur = new QLabel(site ? QString() : raison, this);
    Erreur->setStyleSheet(Couleur_Erreur);
    Erreur->setWordWrap(true);

    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Nom :"), Nom);
    formulaire->addRow(QStringLiteral("Latitude (°, nord positif) :"), Latitude);
    formulaire->addRow(QStringLiteral("Longitude (°, est positif) :"), Longitude);
    formulaire->addRow(QStringLiteral("Altitude (m) :"), Altitude);
    formulaire->addRow(QStringLiteral("Hauteur minimale du télescope (°) :"), Hauteur_Minimale);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(boutons, &QDialogButtonBox::accepted, this, &Dialogue_Lieu::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &Dialogue_Lieu::reject);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(formulaire);
    colonne->addWidget(Afficher);
    colonne->addWidget(Erreur);
    colonne->addWidget(boutons);
}

void Dialogue_Lieu::accept() {
    const Saisie_Site saisie =
        Lire_Champs_Site(Nom->text(), Latitude->text(), Longitude->text(), Altitude->text(),
                         Hauteur_Minimale->text(), Afficher->isChecked());
    if (!saisie.site) {
        Erreur->setText(saisie.erreur);
        return;
    }
    site_ = saisie.site;
    QDialog::accept();
}
