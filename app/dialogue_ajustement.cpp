#include "app/dialogue_ajustement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "document/fichier_elements.h"
#include "form/textes_nombres.h"
#include "peinture/canevas_qpainter.h"
#include "plateforme/boite_outils.h"

namespace {

const QString Texte_Ouvrir = QStringLiteral("Ouvrir un fichier d'estimations…");
const QString Titre_Ouvrir = QStringLiteral("Estimations de magnitude (format ICQ)");
const QString Filtre_Ouvrir =
    QStringLiteral("Estimations ICQ ou COBS (*.txt *.icq *.dat)|*.txt;*.icq;*.dat|Tous les fichiers (*)|*");
const QString Titre_Export = QStringLiteral("Exporter le graphique");
const QString Filtre_Export = QStringLiteral("Image PNG (*.png)|*.png|Dessin SVG (*.svg)|*.svg");
const QString Aucun_Fichier = QStringLiteral("Aucun fichier ouvert.");
const QString Progression = QStringLiteral("Lecture de %1…");
const QString Illisible = QStringLiteral("Impossible de lire %1.");
const QString Interrompue = QStringLiteral("Lecture de %1 interrompue.");
const QString Lues = QStringLiteral("%1 estimations lues dans %2.");
const QString Lignes_Ecartees = QStringLiteral("Lignes écartées : %1.");
const QString Export_Impossible = QStringLiteral("Impossible d'écrire %1.");
const QString K1_Refuse = QStringLiteral("K1 fixé : « %1 » n'est pas un nombre entre %2 et %3.");
const QString Cotes[] = {QStringLiteral("avant et après le périhélie"), QStringLiteral("avant le périhélie"),
                         QStringLiteral("après le périhélie")};
const QString Format_Date = QStringLiteral("dd/MM/yyyy");
constexpr int Largeur_Trace = 760;  // pixels
constexpr int Hauteur_Trace = 320;
// The exported picture, whatever the window's size.
constexpr int Largeur_Export = 1200;
constexpr int Hauteur_Export = 500;
constexpr int Resolution_Svg = 96;
constexpr double Proportion_Papier = 0.45;  // height over width on paper

double JJ_Date(const QDate& d) { return static_cast<double>(d.toJulianDay()) - 0.5; }

}  // namespace

Dialogue_Ajustement::Dialogue_Ajustement(const Elements& el, const QString& nom, char separateur,
                                         Boite_Outils& boite, QWidget* parent)
    : QDialog(parent), el_(el), nom_(nom), separateur_(separateur), boite_(boite) {
    setWindowTitle(QString::fromUtf8(Titre_Ajustement));
    auto* colonne = new QVBoxLayout(this);
    auto* ouvrir = new QPushButton(Texte_Ouvrir, this);
    connect(ouvrir, &QPushButton::clicked, this, [this] { Choisir_Fichier(); });
    Fichier = new QLabel(Aucun_Fichier, this);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(ouvrir);
    ligne->addWidget(Fichier, 1);
    colonne->addLayout(ligne);
    colonne->addWidget(Groupe_Choix());
    Bilan = new QLabel(this);
    Bilan->setWordWrap(true);
    Bilan->setTextInteractionFlags(Qt::TextSelectableByMouse);
    colonne->addWidget(Bilan);
    Trace = new QLabel(this);
    Trace->setMinimumSize(Largeur_Trace, Hauteur_Trace);
    Trace->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    colonne->addWidget(Trace, 1);
    colonne->addWidget(Boutons());
    Montrer();
}

QWidget* Dialogue_Ajustement::Groupe_Choix() {
    auto* groupe = new QWidget(this);
    auto* forme = new QFormLayout(groupe);
    Cote = new QComboBox(groupe);
    for (const QString& c : Cotes) Cote->addItem(c);
    forme->addRow(QStringLiteral("Estimations :"), Cote);
    const auto date = [&](QCheckBox*& case_, QDateEdit*& champ, const QString& mot) {
        case_ = new QCheckBox(mot, groupe);
        champ = new QDateEdit(QDate::currentDate(), groupe);
        champ->setDisplayFormat(Format_Date);
        champ->setCalendarPopup(true);
        champ->setEnabled(false);
        connect(case_, &QCheckBox::toggled, champ, &QWidget::setEnabled);
        connect(case_, &QCheckBox::toggled, this, [this] { Ajuster(); });
        connect(champ, &QDateEdit::dateChanged, this, [this] { Ajuster(); });
    };
    date(Depuis, Debut, QStringLiteral("à partir du"));
    date(Jusqua, Fin, QStringLiteral("jusqu'au"));
    auto* dates = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Depuis), static_cast<QWidget*>(Debut),
                       static_cast<QWidget*>(Jusqua), static_cast<QWidget*>(Fin)})
        dates->addWidget(w);
    dates->addStretch();
    forme->addRow(QStringLiteral("Dates :"), dates);
    Observateur = new QLineEdit(groupe);
    Observateur->setMaxLength(5);
    Observateur->setPlaceholderText(QStringLiteral("tous"));
    forme->addRow(QStringLiteral("Code de l'observateur :"), Observateur);
    K1_Fixe = new QCheckBox(QStringLiteral("K1 fixé à"), groupe);
    K1 = new QLineEdit(Texte_General(el_.Lois.totale.K, separateur_), groupe);
    K1->setEnabled(false);
    connect(K1_Fixe, &QCheckBox::toggled, K1, &QWidget::setEnabled);
    auto* pente = new QHBoxLayout;
    pente->addWidget(K1_Fixe);
    pente->addWidget(K1);
    pente->addStretch();
    forme->addRow(QStringLiteral("Pente :"), pente);
    connect(Cote, &QComboBox::currentIndexChanged, this, [this] { Ajuster(); });
    connect(Observateur, &QLineEdit::editingFinished, this, [this] { Ajuster(); });
    connect(K1_Fixe, &QCheckBox::toggled, this, [this] { Ajuster(); });
    connect(K1, &QLineEdit::editingFinished, this, [this] { Ajuster(); });
    return groupe;
}

QWidget* Dialogue_Ajustement::Boutons() {
    auto* boutons = new QDialogButtonBox(this);
    Imprimer_Bouton = boutons->addButton(QStringLiteral("Imprimer…"), QDialogButtonBox::ActionRole);
    Exporter_Bouton = boutons->addButton(QStringLiteral("Exporter…"), QDialogButtonBox::ActionRole);
    Appliquer = boutons->addButton(QStringLiteral("Appliquer"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(Imprimer_Bouton, &QPushButton::clicked, this, [this] { Imprimer(); });
    connect(Exporter_Bouton, &QPushButton::clicked, this, [this] { Choisir_Export(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return boutons;
}

void Dialogue_Ajustement::Choisir_Fichier() {
    const std::optional<QString> chemin = boite_.Dialogue_Ouvrir({Titre_Ouvrir, chemin_, Filtre_Ouvrir, {}});
    if (chemin) Ouvrir_Fichier(*chemin);
}

void Dialogue_Ajustement::Ouvrir_Fichier(const QString& chemin) {
    const QString nom = QFileInfo(chemin).fileName();
    boite_.Commencer_Progression(Progression.arg(nom), QFileInfo(chemin).size());
    Lecture_Icq lecture =
        Lire_Fichier_Icq(chemin, [this](int64_t lus, int64_t) { return boite_.Avancer_Progression(lus); });
    boite_.Terminer_Progression();
    chemin_ = chemin;
    Fichier->setText(nom);
    if (lecture.issue != Lecture_Icq::Issue::Lu) {
        lecture_.reset();
        ajustement_ = {};
        ajustement_.refus =
            (lecture.issue == Lecture_Icq::Issue::Interrompu ? Interrompue : Illisible).arg(nom);
        Montrer();
        return;
    }
    lecture_ = std::move(lecture);
    Proposer_Dates();
    Ajuster();
}

// The dates offered are those of the file's first and last estimates.
void Dialogue_Ajustement::Proposer_Dates() {
    if (lecture_->estimations.empty()) return;
    const auto [premiere, derniere] =
        std::minmax_element(lecture_->estimations.begin(), lecture_->estimations.end(),
                            [](const Estimation_Icq& a, const Estimation_Icq& b) { return a.JJ < b.JJ; });
    const QSignalBlocker bloque_debut(Debut), bloque_fin(Fin);
    Debut->setDate(QDate::fromJulianDay(static_cast<qint64>(std::floor(premiere->JJ + 0.5))));
    Fin->setDate(QDate::fromJulianDay(static_cast<qint64>(std::floor(derniere->JJ + 0.5))));
}

Choix_Ajustement Dialogue_Ajustement::Choix() const {
    Choix_Ajustement c;
    c.cote = static_cast<Cote_Perihelie>(std::max(0, Cote->currentIndex()));
    if (Depuis->isChecked()) c.JJ_Debut = JJ_Date(Debut->date());
    if (Jusqua->isChecked()) c.JJ_Fin = JJ_Date(Fin->date()) + 1;
    c.observateur = Observateur->text();
    if (K1_Fixe->isChecked()) {
        double K = 0;
        if (Lire_Reel(Normaliser_Separateur(K1->text().trimmed(), separateur_), separateur_, K) &&
            Parametre_Loi_Valide(Parametre_Loi::K, K))
            c.K1_Fixe = K;
        else
            c.K1_Fixe = std::nan("");
    }
    return c;
}

void Dialogue_Ajustement::Ajuster() {
    if (!lecture_) return;
    const Choix_Ajustement c = Choix();
    if (c.K1_Fixe && !std::isfinite(*c.K1_Fixe)) {
        const Limites_Parametre& l = Limites_Loi(Parametre_Loi::K);
        ajustement_ = {};
        ajustement_.refus = K1_Refuse.arg(K1->text(), Texte_General(l.minimum, separateur_),
                                          Texte_General(l.maximum, separateur_));
    } else {
        ajustement_ = Ajuster_Estimations(el_, nom_, *lecture_, c);
    }
    Montrer();
}

// The fit or why there is none, the lines skipped, and the picture.
void Dialogue_Ajustement::Montrer() {
    QStringList lignes;
    if (lecture_) {
        lignes << Lues.arg(lecture_->estimations.size()).arg(Fichier->text());
        const QStringList rejets = Textes_Rejets(*lecture_);
        if (!rejets.isEmpty()) lignes << Lignes_Ecartees.arg(rejets.join(QStringLiteral(", ")));
    }
    if (!ajustement_.remarque.isEmpty()) lignes << ajustement_.remarque;
    if (ajustement_.Reussi() && lecture_)
        lignes << Texte_Loi_Ajustee(ajustement_.resultat, separateur_);
    else if (!ajustement_.refus.isEmpty())
        lignes << ajustement_.refus;
    Bilan->setText(lignes.join(u'\n'));
    const bool reussi = lecture_ && ajustement_.Reussi();
    Appliquer->setEnabled(reussi);
    Imprimer_Bouton->setEnabled(reussi);
    Exporter_Bouton->setEnabled(reussi);
    trace_ = reussi ? Preparer_Trace(ajustement_, el_, el_.Lois.totale) : Trace_Ajustement{};
    Dessiner();
}

void Dialogue_Ajustement::Dessiner() {
    const QSize taille = Trace->size().expandedTo(QSize(1, 1));
    image_ = QImage(taille, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::white);
    {
        Canevas_QPainter canevas(image_);
        Dessiner_Ajustement(canevas, image_.rect(), trace_);
    }
    Trace->setPixmap(QPixmap::fromImage(image_));
}

void Dialogue_Ajustement::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Dessiner();
}

bool Dialogue_Ajustement::Exporter(const QString& chemin) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) return false;
    const QRect cadre(0, 0, Largeur_Export, Hauteur_Export);
    if (chemin.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&fichier);
        svg.setSize(cadre.size());
        svg.setViewBox(cadre);
        svg.setResolution(Resolution_Svg);
        svg.setTitle(QString::fromUtf8(Titre_Ajustement));
        Canevas_QPainter canevas(svg, Qt::white);
        Dessiner_Ajustement(canevas, cadre, trace_);
        canevas.Terminer();
    } else {
        QImage image(cadre.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            Canevas_QPainter canevas(image);
            Dessiner_Ajustement(canevas, cadre, trace_);
        }
        if (!image.save(&fichier, "PNG")) return false;
    }
    return fichier.commit();
}

void Dialogue_Ajustement::Choisir_Export() {
    const QString initial = QFileInfo(chemin_).completeBaseName() + QStringLiteral(".png");
    const std::optional<QString> chemin =
        boite_.Dialogue_Enregistrer({Titre_Export, initial, Filtre_Export, QStringLiteral("png")});
    if (chemin && !Exporter(*chemin)) boite_.Message_Erreur(Export_Impossible.arg(*chemin));
}

void Dialogue_Ajustement::Imprimer() {
    Canevas* imprimante = boite_.Dialogue_Impression();
    if (!imprimante) return;
    imprimante->Mettre_En_Paysage();
    imprimante->Debut_Document();
    const int largeur = imprimante->Largeur_Page();
    Dessiner_Ajustement(*imprimante, QRect(0, 0, largeur, static_cast<int>(largeur * Proportion_Papier)),
                        trace_);
    imprimante->Fin_Document();
}

void Dialogue_Ajustement::accept() {
    if (!lecture_ || !ajustement_.Reussi()) return;
    loi_ = Loi_Ajustee(ajustement_, QFileInfo(chemin_).fileName());
    QDialog::accept();
}
