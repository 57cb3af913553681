#pragma once

// The integration a page could not finish at once, finished on a thread of
// its own so that the window stays responsive: the thread works on copies of
// the program's state, and the integration it advanced is handed back on
// the window's thread, where the page is built again from it.

#include <QObject>
#include <cstdint>
#include <functional>

class QStatusBar;
struct Programme;

// The integration's work a build on the window's thread may do before it
// leaves the rest to the thread: some 0.13 s here.
constexpr long Evaluations_Sans_Attente = 40000;

class Calcul_Fond : public QObject {
public:
    // `reconstruire` builds the page again once the integration is back.
    // The status bar says « calcul en cours… » while the thread works.
    Calcul_Fond(Programme& programme, QStatusBar& etat, std::function<void()> reconstruire, QObject* parent);
    // Waits for a thread still running: the bound on its work bounds the wait.
    ~Calcul_Fond() override;

    // After each build of the page on screen: starts the thread when the
    // build left work undone, and forgets any older one.
    void Page_Construite();
    bool En_Cours() const { return en_cours_; }

private:
    struct Travail;
    void Lancer();
    void Recevoir(Travail& travail, uint64_t generation);

    Programme& programme_;
    QStatusBar& etat_;
    std::function<void()> reconstruire_;
    uint64_t generation_ = 0;  // of the latest build; a thread's result for an older one is dropped
    bool en_cours_ = false;
    bool reconstruction_ = false;  // the build from the thread's result, which starts nothing
};
