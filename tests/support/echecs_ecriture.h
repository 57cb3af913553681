#pragma once

// Write failures for the tests: a full disk, real where the machine lets the
// test mount a small file system, injected under the file layer otherwise.

#include <sys/mount.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>

// Beyond the process's file size limit a write fails once the file is
// created: the injected failure of a write.
class Limite_Taille {
public:
    explicit Limite_Taille(bool active) : active_(active) {
        if (!active_) return;
        getrlimit(RLIMIT_FSIZE, &avant_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = avant_;
        r.rlim_cur = 16;  // bytes
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~Limite_Taille() {
        if (!active_) return;
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }
    Limite_Taille(const Limite_Taille&) = delete;
    Limite_Taille& operator=(const Limite_Taille&) = delete;

private:
    bool active_;
    rlimit avant_{};
    void (*signal_)(int) = nullptr;
};

// A small file system mounted over a folder for the time of a test, which the
// test fills up: a real full disk. Mounting needs the privilege; Monte() says
// whether it was granted.
class Disque_Plein {
public:
    explicit Disque_Plein(const QString& dossier) : dossier_(QFile::encodeName(dossier)) {
        monte_ = mount("tmpfs", dossier_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~Disque_Plein() {
        if (monte_) umount2(dossier_.constData(), MNT_DETACH);
    }
    Disque_Plein(const Disque_Plein&) = delete;
    Disque_Plein& operator=(const Disque_Plein&) = delete;

    bool Monte() const { return monte_; }

    // Takes what is left with a file of its own.
    void Remplir() const {
        QFile remplissage(QFile::decodeName(dossier_) + QStringLiteral("/remplissage"));
        if (!remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray bloc(512, 'x');
        constexpr int Blocs_Au_Plus = 1024;  // twice the room of the file system
        for (int k = 0; k < Blocs_Au_Plus && remplissage.write(bloc) == bloc.size(); ++k) {
        }
    }

private:
    QByteArray dossier_;
    bool monte_ = false;
};
