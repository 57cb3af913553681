#include "app/choix_objet_qt.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>
#include <vector>

namespace {

const QString Legende_Recherche = QStringLiteral("&Rechercher (désignation ou nom) :");
const QString Legende_Nombre = QStringLiteral("%1 objet(s) sur %2");
const QString Legende_Annuler = QStringLiteral("Annuler");
const std::array<QString, 4> Entetes = {QStringLiteral("Objet"), QStringLiteral("Périhélie"),
                                        QStringLiteral("q (UA)"), QStringLiteral("e")};

// Pixels.
constexpr int Largeur = 760;
constexpr int Hauteur = 420;
// Room for a comet's long name and the epoch that tells its sets apart.
constexpr int Largeur_Objet = 380;
constexpr int Marge_Colonne = 16;
// The widest texts of the other columns, which set their widths: a whole
// catalogue is never measured.
const std::array<QString, 3> Textes_Larges = {QStringLiteral("29,6333/03/1997"),
                                              QStringLiteral("0000,000000"), QStringLiteral("0,000000")};

}  // namespace

// The rows the search leaves, read from the source only when shown.
class Modele_Objets : public QAbstractTableModel {
public:
    explicit Modele_Objets(const Source_Objets& source, QObject* parent)
        : QAbstractTableModel(parent), source_(source) {}

    void Filtrer(const QString& texte) {
        beginResetModel();
        rangs_ = source_.Chercher(texte);
        endResetModel();
    }
    int Rang(int ligne) const { return rangs_[static_cast<std::size_t>(ligne)]; }
    int Total() const { return source_.Nombre(); }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(rangs_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(Entetes.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) return {};
        if (role == Qt::TextAlignmentRole && index.column() > 0)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        // A name longer than its column is whole in its tip.
        if (role == Qt::ToolTipRole && index.column() == 0)
            return source_.Ligne(Rang(index.row())).Designation;
        if (role != Qt::DisplayRole) return {};
        const Ligne_Objet l = source_.Ligne(Rang(index.row()));
        switch (index.column()) {
            case 0:
                return l.Designation;
            case 1:
                return l.Perihelie;
            case 2:
                return l.q;
            default:
                return l.e;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= static_cast<int>(Entetes.size()))
            return {};
        return Entetes[static_cast<std::size_t>(section)];
    }

private:
    const Source_Objets& source_;
    std::vector<int> rangs_;
};

Dialogue_Choix_Objet::Dialogue_Choix_Objet(QWidget* parent, const QString& titre, const Source_Objets& source)
    : QDialog(parent),
      modele_(new Modele_Objets(source, this)),
      recherche_(new QLineEdit(this)),
      liste_(new QTableView(this)) {
    setWindowTitle(titre);
    resize(Largeur, Hauteur);
    auto* etiquette = new QLabel(Legende_Recherche, this);
    etiquette->setBuddy(recherche_);
    auto* nombre = new QLabel(this);
    liste_->setModel(modele_);
    liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste_->setWordWrap(false);
    liste_->verticalHeader()->hide();
    // A whole catalogue is listed: rows of one height are never measured.
    liste_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    liste_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    liste_->horizontalHeader()->setStretchLastSection(true);
    liste_->setColumnWidth(0, Largeur_Objet);
    for (std::size_t k = 0; k < Textes_Larges.size(); ++k)
        liste_->setColumnWidth(static_cast<int>(k) + 1,
                               fontMetrics().horizontalAdvance(Textes_Larges[k]) + Marge_Colonne);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Cancel)->setText(Legende_Annuler);
    ok_ = boutons->button(QDialogButtonBox::Ok);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(etiquette);
    disposition->addWidget(recherche_);
    disposition->addWidget(liste_);
    disposition->addWidget(nombre);
    disposition->addWidget(boutons);

    connect(recherche_, &QLineEdit::textChanged, this, [this, nombre](const QString& texte) {
        Filtrer(texte);
        nombre->setText(Legende_Nombre.arg(modele_->rowCount({})).arg(modele_->Total()));
    });
    connect(liste_, &QAbstractItemView::activated, this, [this] { accept(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    recherche_->installEventFilter(this);
    Cacher_Colonnes_Vides(source);
    Filtrer({});
    nombre->setText(Legende_Nombre.arg(modele_->rowCount({})).arg(modele_->Total()));
    recherche_->setFocus();
}

// A short list of choices that are not orbits (the local catalogues, "a
// file…") shows only its first column.
void Dialogue_Choix_Objet::Cacher_Colonnes_Vides(const Source_Objets& source) {
    constexpr int Lignes_Examinees = 16;
    if (source.Nombre() > Lignes_Examinees) return;
    for (int k = 0; k < source.Nombre(); ++k) {
        const Ligne_Objet l = source.Ligne(k);
        if (!l.Perihelie.isEmpty() || !l.q.isEmpty() || !l.e.isEmpty()) return;
    }
    for (int colonne = 1; colonne < static_cast<int>(Entetes.size()); ++colonne) liste_->hideColumn(colonne);
}

// With nothing left to choose, OK and Entrée do nothing.
void Dialogue_Choix_Objet::Filtrer(const QString& texte) {
    modele_->Filtrer(texte);
    const bool vide = modele_->rowCount({}) == 0;
    if (!vide) liste_->setCurrentIndex(modele_->index(0, 0));
    if (ok_) ok_->setEnabled(!vide);
}

std::optional<int> Dialogue_Choix_Objet::Choisi() const {
    const QModelIndex courant = liste_->currentIndex();
    if (result() != QDialog::Accepted || !courant.isValid()) return std::nullopt;
    return modele_->Rang(courant.row());
}

// The arrows and page keys move in the list while the search field keeps the keyboard.
bool Dialogue_Choix_Objet::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == recherche_ && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Up || touche == Qt::Key_Down || touche == Qt::Key_PageUp ||
            touche == Qt::Key_PageDown) {
            QApplication::sendEvent(liste_, evenement);
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
