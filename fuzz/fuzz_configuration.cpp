// The input as the settings file read at start-up, followed by the menu of
// recent files; a file read without fault is written, read again and must
// write the same lines.

#include <QBuffer>
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "document/configuration.h"
#include "document/fichier_elements.h"
#include "document/programme.h"
#include "invariant.h"
#include "plateforme/boite_memoire.h"

namespace {

// What the settings would write after reading `octets`, and whether the
// read found no fault.
struct Configuration_Lue {
    QStringList lignes;
    bool sans_faute = false;
};

Configuration_Lue Lire(QByteArray octets) {
    Boite_Memoire boite;
    Programme p(boite, Notation{',', " "}, QStringLiteral("1.0.0"));
    Configuration configuration;
    Contexte_Configuration ctx{boite, p.historique, p.document, configuration, p.Version_Programme};
    boite.Placer(Controle::Principale, {100, 50, 700, 900});
    QBuffer tampon(&octets);
    tampon.open(QIODevice::ReadOnly);
    Lire_Configuration(ctx, tampon);
    Mettre_A_Jour_Historique(p.historique, p.document, boite);
    return {Lignes_Configuration(ctx), !p.document.Erreur_Fichier};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Configuration_Lue lue =
        Lire(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!lue.sans_faute) return 0;
    // The settings file is encoded as element files are.
    const Configuration_Lue relue = Lire(Encoder_Lignes_Elements(lue.lignes));
    Exiger(relue.sans_faute && relue.lignes == lue.lignes, "configuration écrite puis relue");
    return 0;
}
