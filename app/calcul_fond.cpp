#include "app/calcul_fond.h"

#include <QStatusBar>
#include <QThread>
#include <memory>
#include <optional>
#include <utility>

#include "document/programme.h"
#include "page/lignes.h"

// Copies of everything a build reads, the integration among them, so that
// the thread shares nothing with the window.
struct Calcul_Fond::Travail {
    Elements el;
    Etat_Page page;
    Position position;
    Tables_Instruments tables;
    Notation notation;
    Entree_Page entree;
    std::optional<Site_Observation> site;

    explicit Travail(Programme& p)
        : el(p.el),
          page(p.page),
          position(p.position),
          tables(p.tables),
          notation(p.notation),
          entree(p.Calcul().entree),
          site(p.site) {
        page.Mouvement = p.page.Mouvement.Copie_Independante();
        page.Evaluations_Maximum = Evaluations_Maximum_Calcul;
        page.Calcul_Differe = false;
    }

    // The build's computations, whose rows only serve to advance the integration.
    void Calculer() {
        const Calcul_Page c{el, page, position, tables, notation, entree, site ? &*site : nullptr};
        if (Preparer_Page(c)) Generer_Lignes(c, [](const Ligne_Ephemeride&) {});
    }
};

Calcul_Fond::Calcul_Fond(Programme& programme, QStatusBar& etat, std::function<void()> reconstruire,
                         QObject* parent)
    : QObject(parent), programme_(programme), etat_(etat), reconstruire_(std::move(reconstruire)) {
    programme_.page.Evaluations_Maximum = Evaluations_Sans_Attente;
    programme_.page.Calcul_Differe = true;
}

Calcul_Fond::~Calcul_Fond() {
    for (QThread* fil : findChildren<QThread*>()) fil->wait();
}

void Calcul_Fond::Page_Construite() {
    if (reconstruction_) return;
    ++generation_;
    if (programme_.page.Budget_Epuise) {
        Lancer();
    } else if (en_cours_) {
        en_cours_ = false;
        etat_.clearMessage();
    }
}

void Calcul_Fond::Lancer() {
    auto travail = std::make_shared<Travail>(programme_);
    const uint64_t generation = generation_;
    QThread* fil = QThread::create([travail] { travail->Calculer(); });
    fil->setParent(this);
    connect(fil, &QThread::finished, this, [this, fil, travail, generation] {
        fil->deleteLater();
        Recevoir(*travail, generation);
    });
    en_cours_ = true;
    etat_.showMessage(QString::fromUtf8(Texte_Calcul_En_Cours));
    fil->start();
}

// Only the latest build's integration is taken: an older one would bring
// back an element set the user has since changed.
void Calcul_Fond::Recevoir(Travail& travail, uint64_t generation) {
    if (generation != generation_) return;
    en_cours_ = false;
    etat_.clearMessage();
    programme_.page.Mouvement = std::move(travail.page.Mouvement);
    reconstruction_ = true;
    reconstruire_();
    reconstruction_ = false;
}
