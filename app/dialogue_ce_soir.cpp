#include "app/dialogue_ce_soir.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "astro/calendrier.h"
#include "document/commandes_import.h"

namespace {

const QString Texte_Calculer = QStringLiteral("Calculer la liste");
const QString Texte_Annuler = QStringLiteral("Annuler");
const QString Texte_Ephemeride = QStringLiteral("Calculer l'éphéméride");
const QString Texte_Exporter = QStringLiteral("Exporter…");
const QString Texte_Ajouter = QStringLiteral("Un fichier…");
const QString Texte_Retirer = QStringLiteral("Retirer");
const QString Texte_Fermer = QStringLiteral("Fermer");
const QString Texte_Nuit_Du = QStringLiteral("Nuit du");
const QString Texte_Hauteur = QStringLiteral("Hauteur minimale");
const QString Texte_Limite = QStringLiteral("Magnitude limite");
const QString Texte_Elongation = QStringLiteral("Élongation minimale");
const QString Texte_Lune = QStringLiteral("Distance minimale à la Lune");
const QString Texte_Genre = QStringLiteral("Objets");
const QString Texte_Fichiers = QStringLiteral("Catalogues");
const QString Texte_Separateur = QStringLiteral("Séparateur décimal");
const QStringList Genres = {QStringLiteral("Comètes et petites planètes"), QStringLiteral("Comètes seules"),
                            QStringLiteral("Petites planètes seules")};
const QString Aucun_Fichier =
    QStringLiteral("Cochez au moins un catalogue, ou choisissez un fichier (Un fichier…).");
const QString Texte_Sans_Copie = QStringLiteral(
    "Aucune copie locale des catalogues : Fichier, « Mettre à jour les catalogues… » les télécharge.");
const QString Filtre_Catalogues = QStringLiteral("Éléments publiés (*.txt *.dat *.edb);;Tous fichiers (*)");
const QString Titre_Ajouter = QStringLiteral("Trajectel - Catalogues");
const QString Titre_Exporter = QStringLiteral("Trajectel - Exporter la liste");
const QString Filtre_Tsv = QStringLiteral("Valeurs séparées par des tabulations (*.tsv);;Tous fichiers (*)");
const QString Question_Sombre = QStringLiteral(
    "Le Soleil ne descend pas sous −18° cette nuit (au plus bas %1°).\nCalculer la liste sur la période la "
    "plus sombre, de %2 à %3 TU ?");
const QString Texte_Inaccessible = QStringLiteral("Impossible de lire %1.");
const QString Texte_Interrompue = QStringLiteral("Calcul interrompu.");
const QString Suffixe_Degres = QStringLiteral("°");

constexpr int Rafraichissement = 100;  // milliseconds between two looks at the thread
constexpr int Graduations = 1000;      // steps of the progress bar
constexpr int Lignes_Fichiers = 3;     // rows of the file list shown
constexpr int Marge_Fichiers = 6;      // pixels around them
constexpr int Largeur_Dialogue = 980;
constexpr int Hauteur_Dialogue = 720;
// The numeric value each cell sorts by; the row's rank in the list.
constexpr int Role_Tri = Qt::UserRole;
constexpr int Role_Rang = Qt::UserRole + 1;

QDoubleSpinBox* Champ_Degres(double minimum, double maximum, double valeur, QWidget* parent) {
    auto* champ = new QDoubleSpinBox(parent);
    champ->setRange(minimum, maximum);
    champ->setDecimals(1);
    champ->setValue(valeur);
    champ->setSuffix(Suffixe_Degres);
    return champ;
}

QDate Date_JJ(double jj_0h) {
    Elements d;
    d.JJ_Perihelie = jj_0h;
    if (!JJ_Vers_Date_Perihelie(d)) return QDate::currentDate();
    return QDate(d.An_Perihelie, d.Mois_Perihelie, static_cast<int>(d.Jour_Perihelie));
}

// What each column sorts by: the name, then numbers; no magnitude goes last.
QVariant Valeur_Tri(const Ligne_Ce_Soir& l, int colonne) {
    switch (colonne) {
        case 0:
            return l.Objet;
        case 1:
            return l.Magnitude.value_or(1e9);
        case 2:
            return l.Hauteur;
        case 3:
            return l.JJ;
        case 4:
            return l.Alpha;
        case 5:
            return l.Delta;
        case 6:
            return l.Elongation;
        case 7:
            return l.Distance_Lune;
        case 8:
            return l.Distance_Terre;
        default:
            return l.Mouvement;
    }
}

}  // namespace

Dialogue_Ce_Soir::Dialogue_Ce_Soir(Programme& p, const QStringList& fichiers, QWidget* parent,
                                   const Catalogues_Ce_Soir& catalogues)
    : QDialog(parent), p_(p), copies_(catalogues.copies) {
    setWindowTitle(QString::fromUtf8(Titre_Ce_Soir));
    Construire(fichiers, catalogues);
    resize(Largeur_Dialogue, Hauteur_Dialogue);
}

Dialogue_Ce_Soir::~Dialogue_Ce_Soir() { Interrompre(); }

// Each local copy with its box, its date and count, or why there is none;
// then the files chosen one by one.
QLayout* Dialogue_Ce_Soir::Construire_Sources(const QStringList& fichiers,
                                              const Catalogues_Ce_Soir& catalogues) {
    auto* sources = new QVBoxLayout;
    for (const Copie_Locale& c : catalogues.copies) {
        auto* case_ = new QCheckBox(Texte_Copie(c, catalogues.maintenant), this);
        case_->setChecked(catalogues.cochees.contains(c.source->Nom));
        Copies.push_back(case_);
        sources->addWidget(case_);
    }
    if (catalogues.copies.empty()) {
        Sans_Copie = new QLabel(Texte_Sans_Copie, this);
        Sans_Copie->setWordWrap(true);
        sources->addWidget(Sans_Copie);
    }
    Fichiers = new QListWidget(this);
    Fichiers->addItems(fichiers);
    // Room for a few files, even while the list is empty and has no row to measure.
    Fichiers->setFixedHeight(Fichiers->fontMetrics().lineSpacing() * Lignes_Fichiers +
                             2 * Fichiers->frameWidth() + Marge_Fichiers);
    Ajouter = new QPushButton(Texte_Ajouter, this);
    Retirer = new QPushButton(Texte_Retirer, this);
    connect(Ajouter, &QPushButton::clicked, this, [this] { Choisir_Fichiers(); });
    connect(Retirer, &QPushButton::clicked, this, [this] { qDeleteAll(Fichiers->selectedItems()); });
    auto* boutons_fichiers = new QVBoxLayout;
    boutons_fichiers->addWidget(Ajouter);
    boutons_fichiers->addWidget(Retirer);
    boutons_fichiers->addStretch();
    auto* ligne_fichiers = new QHBoxLayout;
    ligne_fichiers->addWidget(Fichiers, 1);
    ligne_fichiers->addLayout(boutons_fichiers);
    sources->addLayout(ligne_fichiers);
    return sources;
}

void Dialogue_Ce_Soir::Construire(const QStringList& fichiers, const Catalogues_Ce_Soir& catalogues) {
    auto* formulaire = new QFormLayout;
    Date = new QDateEdit(this);
    Date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    Date->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    Date->setCalendarPopup(true);
    Date->setDate(Date_JJ(JJ_Ce_Soir(JJ_Instant_Utc(QDateTime::currentDateTimeUtc()), p_.site->lieu)));
    formulaire->addRow(Texte_Nuit_Du, Date);
    Hauteur = Champ_Degres(Hauteur_Minimale_Basse, Hauteur_Minimale_Haute, Hauteur_Minimale_Defaut, this);
    formulaire->addRow(Texte_Hauteur, Hauteur);
    const auto optionnel = [&](QCheckBox*& case_, QDoubleSpinBox* champ, const QString& texte, bool coche) {
        case_ = new QCheckBox(texte, this);
        case_->setChecked(coche);
        champ->setEnabled(coche);
        connect(case_, &QCheckBox::toggled, champ, &QWidget::setEnabled);
        formulaire->addRow(case_, champ);
    };
    Limite = new QDoubleSpinBox(this);
    Limite->setRange(Magnitude_Limite_Basse, Magnitude_Limite_Haute);
    Limite->setDecimals(1);
    Limite->setValue(Magnitude_Limite_Defaut);
    optionnel(Limite_Active, Limite, Texte_Limite, true);
    Elongation = Champ_Degres(0, 180, 0, this);
    optionnel(Elongation_Active, Elongation, Texte_Elongation, false);
    Lune = Champ_Degres(0, 180, 0, this);
    optionnel(Lune_Active, Lune, Texte_Lune, false);
    Genre = new QComboBox(this);
    Genre->addItems(Genres);
    formulaire->addRow(Texte_Genre, Genre);

    formulaire->addRow(Texte_Fichiers, Construire_Sources(fichiers, catalogues));

    Calculer = new QPushButton(Texte_Calculer, this);
    Calculer->setDefault(true);
    Annuler = new QPushButton(Texte_Annuler, this);
    Annuler->setEnabled(false);
    Progression = new QProgressBar(this);
    Progression->setRange(0, Graduations);
    Progression->setValue(0);
    connect(Calculer, &QPushButton::clicked, this, [this] { Lancer(); });
    connect(Annuler, &QPushButton::clicked, this, [this] { annule_ = true; });
    auto* ligne_calcul = new QHBoxLayout;
    ligne_calcul->addWidget(Calculer);
    ligne_calcul->addWidget(Progression, 1);
    ligne_calcul->addWidget(Annuler);

    Remarques = new QLabel(this);
    Remarques->setWordWrap(true);
    Modele = new QStandardItemModel(0, static_cast<int>(Entete_Ce_Soir().size()), this);
    Modele->setHorizontalHeaderLabels(Entete_Ce_Soir());
    Tri = new QSortFilterProxyModel(this);
    Tri->setSourceModel(Modele);
    Tri->setSortRole(Role_Tri);
    Table = new QTableView(this);
    Table->setModel(Tri);
    Table->setSortingEnabled(true);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    connect(Table, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { Charger(i.row()); });

    Ephemeride = new QPushButton(Texte_Ephemeride, this);
    Exporter = new QPushButton(Texte_Exporter, this);
    Separateur = new QComboBox(this);
    Separateur->addItems({QStringLiteral(","), QStringLiteral(".")});
    Separateur->setCurrentText(QString(QChar::fromLatin1(p_.notation.Separateur_Decimal)));
    auto* fermer = new QPushButton(Texte_Fermer, this);
    connect(Ephemeride, &QPushButton::clicked, this, [this] {
        const QModelIndexList choix = Table->selectionModel()->selectedRows();
        if (!choix.isEmpty()) Charger(choix.first().row());
    });
    connect(Exporter, &QPushButton::clicked, this, [this] { Exporter_Liste(); });
    connect(fermer, &QPushButton::clicked, this, [this] { reject(); });
    Ephemeride->setEnabled(false);
    Exporter->setEnabled(false);
    auto* ligne_bas = new QHBoxLayout;
    ligne_bas->addWidget(Ephemeride);
    ligne_bas->addStretch();
    ligne_bas->addWidget(new QLabel(Texte_Separateur, this));
    ligne_bas->addWidget(Separateur);
    ligne_bas->addWidget(Exporter);
    ligne_bas->addWidget(fermer);

    auto* tout = new QVBoxLayout(this);
    tout->addLayout(formulaire);
    tout->addLayout(ligne_calcul);
    tout->addWidget(Remarques);
    tout->addWidget(Table, 1);
    tout->addLayout(ligne_bas);

    minuterie_ = new QTimer(this);
    minuterie_->setInterval(Rafraichissement);
    connect(minuterie_, &QTimer::timeout, this, [this] { Suivre(); });
}

Demande_Ce_Soir Dialogue_Ce_Soir::Demande() const {
    Demande_Ce_Soir d;
    d.lieu = p_.site->lieu;
    const QDate date = Date->date();
    d.JJ_0h = Date_Vers_JJ(date.month(), static_cast<float>(date.year()), date.day());
    d.Hauteur_Minimale = Hauteur->value();
    if (Limite_Active->isChecked()) {
        d.Magnitude_Limite = Limite->value();
    } else {
        d.Magnitude_Limite.reset();
    }
    if (Elongation_Active->isChecked()) d.Elongation_Minimale = Elongation->value();
    if (Lune_Active->isChecked()) d.Distance_Lune_Minimale = Lune->value();
    d.genre = static_cast<Filtre_Genre>(Genre->currentIndex());
    d.modele = p_.modele;
    return d;
}

QStringList Dialogue_Ce_Soir::Copies_Cochees() const {
    QStringList noms;
    for (std::size_t k = 0; k < Copies.size(); ++k)
        if (Copies[k]->isChecked()) noms << copies_[k].source->Nom;
    return noms;
}

// The copies ticked, then the files of the list.
QStringList Dialogue_Ce_Soir::Fichiers_Choisis() const {
    QStringList fichiers;
    for (std::size_t k = 0; k < Copies.size(); ++k)
        if (Copies[k]->isChecked()) fichiers << copies_[k].chemin;
    for (int k = 0; k < Fichiers->count(); ++k) fichiers << Fichiers->item(k)->text();
    return fichiers;
}

void Dialogue_Ce_Soir::Lancer() {
    if (fil_) return;
    fichiers_ = Fichiers_Choisis();
    if (fichiers_.isEmpty()) {
        Remarques->setText(Aucun_Fichier);
        return;
    }
    demande_ = Demande();
    demande_.Periode_La_Plus_Sombre = std::exchange(sombre_accepte_, false);
    const QString refus = Verifier_Demande(demande_);
    if (!refus.isEmpty()) {
        Remarques->setText(refus);
        return;
    }
    fait_ = 0;
    annule_ = false;
    Calculer->setEnabled(false);
    Annuler->setEnabled(true);
    Progression->setValue(0);
    Remarques->clear();
    const Demande_Ce_Soir demande = demande_;
    const QStringList fichiers = fichiers_;
    fil_ = QThread::create([this, demande, fichiers] {
        resultat_ =
            std::make_unique<Liste_Ce_Soir>(Calculer_Liste_Ce_Soir(demande, fichiers, [this](double f) {
                fait_ = f;
                return !annule_.load();
            }));
    });
    fil_->start();
    minuterie_->start();
}

void Dialogue_Ce_Soir::Suivre() {
    Progression->setValue(static_cast<int>(fait_.load() * Graduations));
    if (fil_ && fil_->isFinished()) Terminer();
}

void Dialogue_Ce_Soir::Terminer() {
    minuterie_->stop();
    fil_->wait();
    delete std::exchange(fil_, nullptr);
    liste_ = std::move(resultat_);
    Calculer->setEnabled(true);
    Annuler->setEnabled(false);
    Progression->setValue(liste_->issue == Liste_Ce_Soir::Issue::Calculee ? Graduations : 0);
    using I = Liste_Ce_Soir::Issue;
    if (liste_->issue == I::Jamais_Noire) {
        const Nuit_Noire& n = liste_->nuit;
        const QStringList r = Remarques_Liste(*liste_, demande_);
        const QString question = Question_Sombre.arg(QString::number(n.Soleil_Minimal, 'f', 1),
                                                     Heure_TU(n.sombre.debut), Heure_TU(n.sombre.fin));
        Remarques->setText(r.value(0));
        if (p_.boite.Confirmer(question, Reponse::Oui) == Reponse::Oui) {
            sombre_accepte_ = true;
            Lancer();
        }
        return;
    }
    if (liste_->issue == I::Inaccessible || liste_->issue == I::Echec_Lecture) {
        Remarques->setText(Texte_Inaccessible.arg(liste_->Fichier_Fautif));
        return;
    }
    if (liste_->issue == I::Interrompue) {
        Remarques->setText(Texte_Interrompue);
        return;
    }
    Montrer_Liste();
}

void Dialogue_Ce_Soir::Montrer_Liste() {
    QStringList r = Remarques_Liste(*liste_, demande_) + Textes_Refus(liste_->Refus);
    r << Texte_Lus_Retenus(*liste_) + u'.';
    Remarques->setText(r.join(u'\n'));
    Table->setSortingEnabled(false);
    Modele->removeRows(0, Modele->rowCount());
    const char separateur = p_.notation.Separateur_Decimal;
    for (std::size_t k = 0; k < liste_->lignes.size(); ++k) {
        const Ligne_Ce_Soir& l = liste_->lignes[k];
        const QStringList cellules = Cellules_Ce_Soir(l, separateur);
        QList<QStandardItem*> rangee;
        for (int c = 0; c < cellules.size(); ++c) {
            auto* item = new QStandardItem(cellules[c]);
            item->setData(Valeur_Tri(l, c), Role_Tri);
            item->setData(static_cast<int>(k), Role_Rang);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            rangee << item;
        }
        Modele->appendRow(rangee);
    }
    Table->setSortingEnabled(true);
    Table->sortByColumn(1, Qt::AscendingOrder);
    Table->resizeColumnsToContents();
    Ephemeride->setEnabled(!liste_->lignes.empty());
    Exporter->setEnabled(!liste_->lignes.empty());
    if (!liste_->lignes.empty()) Table->selectRow(0);
}

bool Dialogue_Ce_Soir::Charger(int rang) {
    if (!liste_ || rang < 0 || rang >= Tri->rowCount()) return false;
    const int k = Tri->index(rang, 0).data(Role_Rang).toInt();
    if (k < 0 || k >= static_cast<int>(liste_->lignes.size())) return false;
    const Ligne_Ce_Soir& l = liste_->lignes[static_cast<std::size_t>(k)];
    return Charger_Ligne_Ce_Soir(p_, l, liste_->nuit.JJ_0h, QFileInfo(fichiers_.value(l.Fichier)).fileName());
}

QString Dialogue_Ce_Soir::Exporter_Vers(const QString& chemin, char separateur) const {
    QString texte = Entete_Ce_Soir().join(u'\t') + u'\n';
    for (int rang = 0; liste_ && rang < Tri->rowCount(); ++rang) {
        const int k = Tri->index(rang, 0).data(Role_Rang).toInt();
        texte +=
            Cellules_Ce_Soir(liste_->lignes[static_cast<std::size_t>(k)], separateur).join(u'\t') + u'\n';
    }
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) return fichier.errorString();
    fichier.write(texte.toUtf8());
    if (!fichier.commit()) return fichier.errorString();
    return {};
}

void Dialogue_Ce_Soir::Exporter_Liste() {
    const QString chemin = QFileDialog::getSaveFileName(this, Titre_Exporter, QString(), Filtre_Tsv);
    if (chemin.isEmpty()) return;
    const QString erreur = Exporter_Vers(chemin, Separateur->currentText().at(0).toLatin1());
    if (!erreur.isEmpty()) p_.boite.Avertissement(Titre_Exporter, erreur);
}

void Dialogue_Ce_Soir::Choisir_Fichiers() {
    const QStringList choix =
        QFileDialog::getOpenFileNames(this, Titre_Ajouter, QString(), Filtre_Catalogues);
    for (const QString& f : choix)
        if (Fichiers->findItems(f, Qt::MatchExactly).isEmpty()) Fichiers->addItem(f);
}

// The thread is told to stop and waited for: it hears it within one lot.
void Dialogue_Ce_Soir::Interrompre() {
    if (!fil_) return;
    annule_ = true;
    minuterie_->stop();
    fil_->wait();
    delete std::exchange(fil_, nullptr);
    resultat_.reset();
}

void Dialogue_Ce_Soir::closeEvent(QCloseEvent* e) {
    Interrompre();
    QDialog::closeEvent(e);
}

void Dialogue_Ce_Soir::reject() {
    Interrompre();
    QDialog::reject();
}
