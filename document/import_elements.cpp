#include "document/import_elements.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/fichier_ordinaire.h"
#include "document/lecture_publiee.h"

using namespace Publie;

namespace {

// What the pieces of a text are cut into: no line is longer than this.
constexpr std::size_t Longueur_Max_Ligne = 4096;
constexpr int64_t Taille_Morceau = int64_t{1} << 20;   // bytes
constexpr int64_t Taille_Max_Flux = int64_t{1} << 30;  // bytes

const Vue Marque_Ordre = "\xEF\xBB\xBF";  // UTF-8 byte-order mark

}  // namespace

namespace {

// A mark of a Horizons listing either holds "=" or begins with one of these.
bool Repere_Possible(Vue t, bool egal) {
    return egal || t.front() == 'J' || t.front() == 'T' || t.front() == '$';
}

}  // namespace

Signes_Ligne Publie::Chercher_Signes(Vue l) { return {l.find('=') != Vue::npos, l.find(',') != Vue::npos}; }

Forme_Ligne Reconnaitre_Ligne(Vue l) { return Reconnaitre_Ligne(l, Chercher_Signes(l)); }

Forme_Ligne Reconnaitre_Ligne(Vue l, const Signes_Ligne& signes) {
    const Vue t = Rogner(l);
    if (t.empty()) return Forme_Ligne::Vide;
    if (t.front() == '#') return Forme_Ligne::Commentaire;
    if (Repere_Possible(t, signes.egal) && Repere_Horizons(l)) return Forme_Ligne::Horizons;
    const bool sans_signes = !signes.egal && !signes.virgule;
    if (sans_signes && Forme_MPCORB(l)) return Forme_Ligne::MPCORB;
    if (sans_signes && Forme_Comete_MPC(l)) return Forme_Ligne::Comete_MPC;
    if (Forme_XEphem(t)) return Forme_Ligne::XEphem;
    if (Paires_Presentes_Horizons(l)) return Forme_Ligne::Horizons;
    return Forme_Ligne::Inconnue;
}

void Refus_Comptes::Compter(Refus_Orbite refus) {
    switch (refus) {
        case Refus_Orbite::Illisible:
            ++Ignorees;
            break;
        case Refus_Orbite::Distance_Nulle:
            ++Distances_Nulles;
            break;
        case Refus_Orbite::Absurde:
            ++Absurdes;
            break;
    }
}

// ---- A whole text ----

namespace {

struct Lecture {
    const std::function<void(Orbite_Publiee&&)>& recevoir;
    const Choix_Orbite& choisir;
    Bilan_Lecture bilan;
    int64_t inconnues_apres = 0;  // unknown lines after the first fixed-column orbit
    bool fixe_vue = false;
    int64_t horizons = 0;
    Lecteur_Horizons lecteur_horizons{[this](Orbite_Publiee&& o) {
        ++horizons;
        if (!choisir || choisir(bilan.Orbites, o.Designation.toUtf8().toStdString()))
            Recevoir(std::move(o));
        else
            ++bilan.Orbites;
    }};
    // The choice asked by the readers of one-line formats, with the rank.
    const Garde_Orbite garder =
        choisir ? Garde_Orbite([this](Vue nom) { return choisir(bilan.Orbites, nom); }) : Garde_Orbite();

    void Recevoir(Orbite_Publiee&& o) {
        ++bilan.Orbites;
        recevoir(std::move(o));
    }
    bool premiere = true;

    // False when the line is to be read whole.
    bool Prendre(Tri_Ligne tri) {
        switch (tri) {
            case Tri_Ligne::A_Lire:
                return false;
            case Tri_Ligne::Ecartee:
                ++bilan.Orbites;
                break;
            case Tri_Ligne::Illisible:
                bilan.Compter(Refus_Orbite::Illisible);
                break;
            case Tri_Ligne::Distance_Nulle:
                bilan.Compter(Refus_Orbite::Distance_Nulle);
                break;
        }
        return true;
    }

    void Prendre(Orbite_Lue&& o) {
        if (o.orbite)
            Recevoir(std::move(*o.orbite));
        else if (o.ecartee)
            ++bilan.Orbites;
        else
            bilan.Compter(o.refus);
    }

    // `signes`, when given, were found while the line's end was looked for.
    void Ligne(Vue l, const Signes_Ligne* signes) {
        if (premiere && Commence_Par(l, Marque_Ordre)) l.remove_prefix(Marque_Ordre.size());
        premiere = false;
        // No format has lines this long: it is no orbit, whatever it begins with.
        if (l.size() >= Longueur_Max_Ligne) {
            ++bilan.Ignorees;
            return;
        }
        const Forme_Ligne forme = Reconnaitre_Ligne(l, signes ? *signes : Chercher_Signes(l));
        if (forme != Forme_Ligne::Horizons) lecteur_horizons.Lire_Autre_Ligne(l);
        switch (forme) {
            case Forme_Ligne::Vide:
            case Forme_Ligne::Commentaire:
                break;
            case Forme_Ligne::Comete_MPC:
                fixe_vue = true;
                Prendre(Lire_Comete_MPC(l, garder));
                break;
            case Forme_Ligne::MPCORB:
                fixe_vue = true;
                if (!garder || !Prendre(Trier_MPCORB(l, garder))) Prendre(Lire_MPCORB(l, garder));
                break;
            case Forme_Ligne::XEphem:
                Prendre(Lire_XEphem(l, garder));
                break;
            case Forme_Ligne::Horizons:
                lecteur_horizons.Lire_Ligne(l);
                break;
            case Forme_Ligne::Inconnue:
                if (fixe_vue) ++inconnues_apres;
                break;
        }
    }

    void Terminer() {
        lecteur_horizons.Terminer();
        const Refus_Comptes& horizons_refus = lecteur_horizons.Refus();
        bilan.Ignorees += horizons_refus.Ignorees;
        bilan.Distances_Nulles += horizons_refus.Distances_Nulles;
        bilan.Absurdes += horizons_refus.Absurdes;
        // The text around a Horizons listing is no damaged line.
        if (horizons == 0) bilan.Ignorees += inconnues_apres;
    }
};

}  // namespace

namespace {

// The end of a line: LF, CR, or the CR of CR LF, whose LF then ends an empty
// line. A piece without CR, as most catalogues are, is searched for LF alone.
const char* Fin_Ligne(const char* debut, const char* fin, bool cr_present) {
    const auto* lf =
        static_cast<const char*>(std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut)));
    if (!cr_present) return lf;
    const char* borne = lf ? lf : fin;
    const auto* cr =
        static_cast<const char*>(std::memchr(debut, '\r', static_cast<std::size_t>(borne - debut)));
    return cr ? cr : lf;
}

// The end of a line of a piece without CR, and its signs, in one pass: the
// bytes of a whole catalogue are looked at once instead of three times.
const char* Fin_Ligne_Signes(const char* debut, const char* fin, Signes_Ligne& signes) {
    signes = {};
    const char* p = debut;
#if defined(__SSE2__)
    constexpr std::ptrdiff_t Largeur = 16;
    const __m128i lf = _mm_set1_epi8('\n'), egal = _mm_set1_epi8('='), virgule = _mm_set1_epi8(',');
    for (; fin - p >= Largeur; p += Largeur) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto sauts = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, lf)));
        const auto egaux = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, egal)));
        const auto virgules = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, virgule)));
        const unsigned avant = sauts ? (sauts & (0U - sauts)) - 1 : ~0U;  // the bytes before the first LF
        signes.egal |= (egaux & avant) != 0;
        signes.virgule |= (virgules & avant) != 0;
        if (sauts) return p + __builtin_ctz(sauts);
    }
#endif
    for (; p < fin; ++p) {
        if (*p == '\n') return p;
        signes.egal |= *p == '=';
        signes.virgule |= *p == ',';
    }
    return nullptr;
}

}  // namespace

Bilan_Lecture Lire_Orbites(const std::function<int64_t(char* tampon, int64_t taille)>& lire,
                           const std::function<void(Orbite_Publiee&&)>& recevoir,
                           const std::function<bool(int64_t lus)>& avancer, const Choix_Orbite& choisir) {
    Lecture lecture{recevoir, choisir, {}};
    std::vector<char> tampon(static_cast<std::size_t>(Taille_Morceau) + Longueur_Max_Ligne);
    // The line being read runs from `debut` to `fin`, searched for its end up
    // to `examine`; it never holds Longueur_Max_Ligne bytes between pieces.
    std::size_t debut = 0;
    std::size_t examine = 0;
    std::size_t fin = 0;
    bool sauter = false;  // the rest of an overlong line
    int64_t lus = 0;
    const auto ligne = [&](std::size_t f, const Signes_Ligne* signes) {
        if (!sauter) lecture.Ligne(Vue(tampon.data() + debut, f - debut), signes);
    };
    for (;;) {
        if (fin + static_cast<std::size_t>(Taille_Morceau) > tampon.size()) {
            std::memmove(tampon.data(), tampon.data() + debut, fin - debut);
            fin -= debut;
            examine -= debut;
            debut = 0;
        }
        const int64_t n = lire(tampon.data() + fin, Taille_Morceau);
        if (n < 0) {
            lecture.bilan.Echec = true;
            return lecture.bilan;
        }
        fin += static_cast<std::size_t>(n);
        const bool cr = std::memchr(tampon.data() + examine, '\r', fin - examine) != nullptr;
        for (;;) {
            Signes_Ligne signes;
            const char* saut = cr ? Fin_Ligne(tampon.data() + examine, tampon.data() + fin, true)
                                  : Fin_Ligne_Signes(tampon.data() + examine, tampon.data() + fin, signes);
            if (!saut) break;
            // The signs found cover the line when its search began at its start.
            ligne(static_cast<std::size_t>(saut - tampon.data()),
                  !cr && examine == debut ? &signes : nullptr);
            sauter = false;
            debut = examine = static_cast<std::size_t>(saut - tampon.data()) + 1;
        }
        examine = fin;
        if (n == 0) {
            if (fin > debut) ligne(fin, nullptr);
            break;
        }
        if (fin - debut >= Longueur_Max_Ligne) {
            ligne(fin, nullptr);
            sauter = true;
            debut = fin;
        }
        lus += n;
        if (!avancer(lus)) {
            lecture.bilan.Interrompue = true;
            return lecture.bilan;
        }
    }
    lecture.Terminer();
    return lecture.bilan;
}

Issue_Flux Lire_Fichier_Orbites_En_Flux(const QString& chemin,
                                        const std::function<void(Orbite_Publiee&&)>& recevoir,
                                        const Choix_Orbite& choisir, Bilan_Lecture& bilan) {
    QFile fichier(chemin);
    if (!Ouvrir_Fichier_Ordinaire(fichier)) return Issue_Flux::Inaccessible;
    // A file that grows while it is read is read up to the size it had.
    int64_t restant = fichier.size();
    if (restant > Taille_Max_Flux) return Issue_Flux::Trop_Grand;
    bilan = Lire_Orbites(
        [&](char* tampon, int64_t taille) {
            const int64_t n = fichier.read(tampon, std::min(taille, restant));
            if (n > 0) restant -= n;
            return n;
        },
        recevoir, [](int64_t) { return true; }, choisir);
    return Issue_Flux::Lu;
}

QString Nom_Source(Vue nom) { return Texte_Source(nom); }
