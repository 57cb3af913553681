#pragma once

// SIGINT and SIGTERM turned into calls on the event loop: the handler only
// writes a byte into a pipe, which the loop reads.

#include <QSocketNotifier>
#include <functional>
#include <memory>

class Signaux_Arret {
public:
    // `recu` runs on the event loop once per signal received.
    explicit Signaux_Arret(std::function<void()> recu);
    // The default handlers again.
    ~Signaux_Arret();
    Signaux_Arret(const Signaux_Arret&) = delete;
    Signaux_Arret& operator=(const Signaux_Arret&) = delete;

private:
    void Lire();
    std::function<void()> recu_;
    std::unique_ptr<QSocketNotifier> lecture_;
};
