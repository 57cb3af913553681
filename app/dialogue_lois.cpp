#include "app/dialogue_lois.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

namespace {
const QString Titre_Dialogue = QStringLiteral("Trajectel - Lois de magnitude");
const QString Titre_Totale = QStringLiteral("Magnitude totale (M1)");
const QString Titre_Noyau = QStringLiteral("Magnitude du noyau (M2)");
const QString Titre_Epoque = QStringLiteral("Epoque d'osculation");
const QString Forme_Comete = QStringLiteral("Comète : M, K, PC");
const QString Forme_Asteroide = QStringLiteral("Astéroïde : H, G");
const QString Couleur_Erreur = QStringLiteral("color: #b00000");
const QString Aucune = QStringLiteral("aucune");

// Longest text a parameter's field takes.
constexpr int Longueur_Champ = 32;

QLineEdit* Champ(const QString& texte, QWidget* parent) {
    auto* champ = new QLineEdit(texte, parent);
    champ->setMaxLength(Longueur_Champ);
    return champ;
}

// The comet's parameters or the asteroid's, as the law's form says.
void Montrer_Forme(const Dialogue_Lois::Champs_Loi& c) {
    const bool asteroide = c.Forme->currentIndex() == 1;
    c.K->setEnabled(!asteroide);
    c.PC->setEnabled(!asteroide);
    c.G->setEnabled(asteroide);
}

QString Ou_Aucune(const QString& texte) { return texte.isEmpty() ? Aucune : texte; }
}  // namespace

Dialogue_Lois::Dialogue_Lois(const Saisie_Lois& actuelle, Refus_Saisie_Lois refus, QWidget* parent)
    : QDialog(parent), montree_(actuelle), refus_(std::move(refus)) {
    setWindowTitle(Titre_Dialogue);
    Erreur = new QLabel(this);
    Erreur->setStyleSheet(Couleur_Erreur);
    Erreur->setWordWrap(true);
    auto* lois = new QHBoxLayout;
    lois->addWidget(Groupe_Loi(Titre_Totale, actuelle.totale, Totale));
    lois->addWidget(Groupe_Loi(Titre_Noyau, actuelle.noyau, Noyau));
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(boutons, &QDialogButtonBox::accepted, this, &Dialogue_Lois::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &Dialogue_Lois::reject);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(lois);
    colonne->addWidget(Groupe_Epoque(actuelle));
    colonne->addWidget(Erreur);
    colonne->addWidget(boutons);
}

QWidget* Dialogue_Lois::Groupe_Loi(const QString& titre, const Saisie_Loi& loi, Champs_Loi& c) {
    auto* groupe = new QGroupBox(titre, this);
    c.Forme = new QComboBox(groupe);
    c.Forme->addItems({Forme_Comete, Forme_Asteroide});
    c.Forme->setCurrentIndex(loi.asteroide ? 1 : 0);
    c.Zero = Champ(loi.Zero, groupe);
    c.K = Champ(loi.K, groupe);
    c.PC = Champ(loi.PC, groupe);
    c.G = Champ(loi.G, groupe);
    auto* formulaire = new QFormLayout(groupe);
    formulaire->addRow(QStringLiteral("Loi :"), c.Forme);
    formulaire->addRow(QStringLiteral("Magnitude absolue (M ou H) :"), c.Zero);
    formulaire->addRow(QStringLiteral("Coefficient de log r (K) :"), c.K);
    formulaire->addRow(QStringLiteral("Coefficient de phase (PC, mag/°) :"), c.PC);
    formulaire->addRow(QStringLiteral("Paramètre de pente G :"), c.G);
    formulaire->addRow(QStringLiteral("Origine :"), new QLabel(loi.Origine, groupe));
    auto* colonne = new QLabel(loi.Colonne, groupe);
    colonne->setWordWrap(true);
    formulaire->addRow(colonne);
    Montrer_Forme(c);
    connect(c.Forme, &QComboBox::currentIndexChanged, this, [c] { Montrer_Forme(c); });
    return groupe;
}

QWidget* Dialogue_Lois::Groupe_Epoque(const Saisie_Lois& s) {
    auto* groupe = new QGroupBox(Titre_Epoque, this);
    Epoque = Champ(s.Epoque, groupe);
    Epoque->setPlaceholderText(Aucune);
    auto* formulaire = new QFormLayout(groupe);
    formulaire->addRow(QStringLiteral("Jour julien ou date J/M/A, en TT (vide : aucune) :"), Epoque);
    formulaire->addRow(
        QStringLiteral("A1, A2, A3 (UA/j²) :"),
        new QLabel(
            s.A1.isEmpty() ? Aucune : s.A1 + QStringLiteral(" ; ") + s.A2 + QStringLiteral(" ; ") + s.A3,
            groupe));
    formulaire->addRow(QStringLiteral("Origine :"), new QLabel(Ou_Aucune(s.Origine_Epoque), groupe));
    return groupe;
}

Saisie_Lois Dialogue_Lois::Lire() const {
    Saisie_Lois s = montree_;
    for (auto [champs, loi] : {std::pair{&Totale, &s.totale}, {&Noyau, &s.noyau}}) {
        loi->asteroide = champs->Forme->currentIndex() == 1;
        loi->Zero = champs->Zero->text();
        loi->K = champs->K->text();
        loi->PC = champs->PC->text();
        loi->G = champs->G->text();
    }
    s.Epoque = Epoque->text();
    return s;
}

void Dialogue_Lois::accept() {
    const Saisie_Lois s = Lire();
    const QString refus = refus_(s);
    if (!refus.isEmpty()) {
        Erreur->setText(refus);
        return;
    }
    saisie_ = s;
    QDialog::accept();
}
