#include "batch/signaux_arret.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace {

// One pipe for the process: a signal has nowhere else to go.
int Tube[2] = {-1, -1};

const int Signaux[] = {SIGINT, SIGTERM};
constexpr int Octets_Lus_Max = 64;  // signals read at once; more wait for the next turn

extern "C" void Noter_Signal(int) {
    const int erreur = errno;  // the interrupted code may be reading it
    const char octet = 1;
    [[maybe_unused]] const ssize_t ecrit = write(Tube[1], &octet, 1);
    errno = erreur;
}

void Poser_Gestionnaire(void (*gestionnaire)(int)) {
    struct sigaction action = {};
    action.sa_handler = gestionnaire;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : Signaux) sigaction(s, &action, nullptr);
}

}  // namespace

Signaux_Arret::Signaux_Arret(std::function<void()> recu) : recu_(std::move(recu)) {
    if (pipe2(Tube, O_CLOEXEC | O_NONBLOCK) != 0) return;
    lecture_ = std::make_unique<QSocketNotifier>(Tube[0], QSocketNotifier::Read);
    QObject::connect(lecture_.get(), &QSocketNotifier::activated, [this] { Lire(); });
    Poser_Gestionnaire(Noter_Signal);
}

Signaux_Arret::~Signaux_Arret() {
    if (!lecture_) return;
    Poser_Gestionnaire(SIG_DFL);
    lecture_.reset();
    for (int& bout : Tube) {
        close(bout);
        bout = -1;
    }
}

void Signaux_Arret::Lire() {
    char octets[Octets_Lus_Max];
    const ssize_t lus = read(Tube[0], octets, sizeof octets);
    for (ssize_t k = 0; k < lus; ++k) recu_();
}
