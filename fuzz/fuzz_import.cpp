// The input as a file of published elements, read in pieces of a size the
// first byte chooses: every orbit read is in range, the pieces change
// nothing, the index finds each name, and pasting the text fills the form
// without a fault.

#include <QByteArray>
#include <QString>
#include <QUtf8StringView>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/catalogue_orbites.h"
#include "document/commandes_import.h"
#include "form/disposition_fiche.h"
#include "invariant.h"
#include "plateforme/boite_memoire.h"

namespace {

struct Lu {
    std::vector<Orbite_Publiee> orbites;
    int64_t ignorees = 0;
};

Lu Lire(const std::string& texte, std::size_t morceau) {
    Lu lu;
    std::size_t position = 0;
    const Bilan_Lecture b = Lire_Orbites(
        [&](char* tampon, int64_t taille) {
            const std::size_t n =
                std::min({static_cast<std::size_t>(taille), morceau, texte.size() - position});
            texte.copy(tampon, n, position);
            position += n;
            return static_cast<int64_t>(n);
        },
        [&](Orbite_Publiee&& o) { lu.orbites.push_back(std::move(o)); }, [](int64_t) { return true; });
    Exiger(!b.Echec && !b.Interrompue, "lecture menée au bout");
    Exiger(b.Orbites == static_cast<int64_t>(lu.orbites.size()), "orbites comptées");
    lu.ignorees = b.Ignorees;
    return lu;
}

bool Dans_Les_Limites(const Orbite_Publiee& o) {
    return std::isfinite(o.e) && o.e >= 0 && std::isfinite(o.q) && o.q > 0 && o.i >= 0 && o.i <= 180 &&
           o.Omega >= 0 && o.Omega <= 360 && o.gOmega >= 0 && o.gOmega <= 360 &&
           std::isfinite(o.JJ_Perihelie) && std::isfinite(o.Equinoxe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::size_t morceau = std::size_t{1} + data[0];
    const std::string texte(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Lu entier = Lire(texte, texte.size() + 1);
    const Lu en_morceaux = Lire(texte, morceau);
    Exiger(entier.orbites.size() == en_morceaux.orbites.size() && entier.ignorees == en_morceaux.ignorees,
           "le découpage ne change rien");

    Catalogue_Orbites catalogue(Notation{',', " "});
    for (const Orbite_Publiee& o : entier.orbites) {
        Exiger(Dans_Les_Limites(o), "orbite dans les limites");
        catalogue.Ajouter(o);
    }
    // The chooser's line adds the epoch to the name; the search reads the name.
    for (int k = 0; k < catalogue.Nombre(); ++k) {
        const QString nom = catalogue.Orbite(k).Designation;
        const std::vector<int> trouves = catalogue.Chercher(nom);
        Exiger(nom.trimmed().isEmpty() || std::find(trouves.begin(), trouves.end(), k) != trouves.end(),
               "chaque nom se retrouve");
    }

    Boite_Memoire boite;
    Creer_Fiche(boite);
    Programme p(boite, Notation{',', " "}, QStringLiteral("1.0.0"));
    boite.Fixer_Presse_Papiers(QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())));
    boite.Prevoir_Choix(QString(), 0);
    Coller_Elements(p);
    // The clipboard holds characters: bytes that are no UTF-8 change the columns.
    const bool utf8 = QUtf8StringView(texte.data(), static_cast<qsizetype>(texte.size())).isValidUtf8();
    Exiger(!utf8 || entier.orbites.empty() || p.document.Modifie, "l'orbite collée modifie le document");
    return 0;
}
