#pragma once

// The dialog "Ce soir…": the night's date, the minimum altitude, the
// magnitude limit, the filters, the local catalogues ticked and other
// catalogue files; the list computed
// on threads of its own, with a progress bar and Cancel, so that the window
// stays responsive; a sortable table whose row, double-clicked or with
// "Calculer l'éphéméride", becomes the document as an import makes it;
// "Exporter…" writes the list as TSV.

#include <QDialog>
#include <QThread>
#include <atomic>
#include <memory>

#include "catalogues/copies_locales.h"
#include "document/liste_ce_soir.h"
#include "document/programme.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTimer;

inline constexpr char Titre_Ce_Soir[] = "Trajectel - Ce soir";

// The local copies offered, those ticked at first, and the time (UTC) that
// says whether a copy is old.
struct Catalogues_Ce_Soir {
    std::vector<Copie_Locale> copies;
    QStringList cochees;  // the catalogues' names
    QDateTime maintenant;
};

class Dialogue_Ce_Soir : public QDialog {
public:
    // `fichiers`: the catalogue files offered at first, below the local copies.
    Dialogue_Ce_Soir(Programme& p, const QStringList& fichiers, QWidget* parent,
                     const Catalogues_Ce_Soir& catalogues = {});
    ~Dialogue_Ce_Soir() override;

    QDateEdit* Date = nullptr;
    QDoubleSpinBox* Hauteur = nullptr;
    QCheckBox* Limite_Active = nullptr;
    QDoubleSpinBox* Limite = nullptr;
    QCheckBox* Elongation_Active = nullptr;
    QDoubleSpinBox* Elongation = nullptr;
    QCheckBox* Lune_Active = nullptr;
    QDoubleSpinBox* Lune = nullptr;
    QComboBox* Genre = nullptr;
    std::vector<QCheckBox*> Copies;  // one per local copy, in the order given
    QLabel* Sans_Copie = nullptr;    // when there is none
    QListWidget* Fichiers = nullptr;
    QPushButton* Ajouter = nullptr;
    QPushButton* Retirer = nullptr;
    QPushButton* Calculer = nullptr;
    QPushButton* Annuler = nullptr;
    QProgressBar* Progression = nullptr;
    QLabel* Remarques = nullptr;
    QTableView* Table = nullptr;
    QStandardItemModel* Modele = nullptr;
    QSortFilterProxyModel* Tri = nullptr;
    QPushButton* Ephemeride = nullptr;
    QPushButton* Exporter = nullptr;
    QComboBox* Separateur = nullptr;

    // The names of the local catalogues ticked.
    QStringList Copies_Cochees() const;
    // Starts the computation of the list with the dialog's values.
    void Lancer();
    bool En_Cours() const { return fil_ != nullptr; }
    // The list shown, once computed.
    const Liste_Ce_Soir* Liste() const { return liste_.get(); }
    // The body of the table's row (as sorted) into the form; false when none was loaded.
    bool Charger(int rang);
    // The list, as sorted, into `chemin`; empty on success, else why not.
    QString Exporter_Vers(const QString& chemin, char separateur) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Construire(const QStringList& fichiers, const Catalogues_Ce_Soir& catalogues);
    QLayout* Construire_Sources(const QStringList& fichiers, const Catalogues_Ce_Soir& catalogues);
    QStringList Fichiers_Choisis() const;
    Demande_Ce_Soir Demande() const;
    void Suivre();
    void Terminer();
    void Montrer_Liste();
    void Interrompre();
    void Choisir_Fichiers();
    void Exporter_Liste();

    Programme& p_;
    Demande_Ce_Soir demande_;
    QStringList fichiers_;
    std::vector<Copie_Locale> copies_;
    QThread* fil_ = nullptr;
    QTimer* minuterie_ = nullptr;
    std::atomic<double> fait_{0};
    std::atomic<bool> annule_{false};
    bool sombre_accepte_ = false;              // the darkest stretch accepted for the next computation
    std::unique_ptr<Liste_Ce_Soir> resultat_;  // written by the thread, taken once it ends
    std::unique_ptr<Liste_Ce_Soir> liste_;
};
