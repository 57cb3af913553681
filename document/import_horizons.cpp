// The osculating elements of a Horizons listing, as JPL's Solar System
// Dynamics group describes them in the Horizons System Manual
// (https://ssd.jpl.nasa.gov/horizons/manual.html): the header's set with the
// body's physical parameters, and the table of sets between $$SOE and $$EOE.

#include <algorithm>
#include <array>
#include <string>

#include "document/import_elements.h"
#include "document/lecture_publiee.h"

using namespace Publie;

namespace {

const Vue Entete_Nom_Horizons = "Target body name:";
const Vue Entete_Horizons = "JPL/HORIZONS";
const Vue Debut_Table_Horizons = "$$SOE";
const Vue Fin_Table_Horizons = "$$EOE";
// The titles of the blocks of the header that give the body's physical
// parameters: a comet's magnitude laws, its non-gravitational parameters,
// an asteroid's H and G.
constexpr std::array<Vue, 3> Titres_Physique = {"Comet physical", "Comet non-gravitational",
                                                "Asteroid physical"};

// The six keys of an orbit, the epoch of the header's set, then the body's
// physical parameters: a comet's magnitude laws and non-gravitational
// parameters, an asteroid's H and G.
constexpr std::array<Vue, 17> Cles_Horizons = {"EC", "QR", "TP",    "OM", "W",  "IN", "EPOCH", "M1", "M2",
                                               "K1", "K2", "PHCOF", "A1", "A2", "A3", "H",     "G"};
enum Cle_Orbite { Cle_EC, Cle_QR, Cle_TP, Cle_OM, Cle_W, Cle_IN };
constexpr int Cle_Epoque = 6;
constexpr int Premiere_Physique = 7;
enum class Physique { M1, M2, K1, K2, PHCOF, A1, A2, A3, H, G };
constexpr unsigned Toutes_Cles = (1u << Cle_Epoque) - 1;

struct Paire {
    int cle;  // rank in Cles_Horizons
    Vue valeur;
};

// The pairs KEY= value of a line whose key is one of Cles_Horizons, in order.
std::vector<Paire> Paires_Horizons(Vue ligne) {
    std::vector<Paire> paires;
    for (std::size_t egal = ligne.find('='); egal != Vue::npos; egal = ligne.find('=', egal + 1)) {
        std::size_t fin = egal;
        while (fin > 0 && Blanc(ligne[fin - 1])) --fin;
        std::size_t debut = fin;
        while (debut > 0 && (Lettre(ligne[debut - 1]) || Chiffre(ligne[debut - 1]))) --debut;
        if (debut == fin || !Lettre(ligne[debut]) || (debut > 0 && !Blanc(ligne[debut - 1]))) continue;
        std::string cle(ligne.substr(debut, fin - debut));
        std::transform(cle.begin(), cle.end(), cle.begin(), [](char c) { return Lettre(c) ? c & ~0x20 : c; });
        const auto trouvee = std::find(Cles_Horizons.begin(), Cles_Horizons.end(), cle);
        if (trouvee == Cles_Horizons.end()) continue;
        std::size_t v = egal + 1;
        while (v < ligne.size() && Blanc(ligne[v])) ++v;
        std::size_t w = v;
        while (w < ligne.size() && !Blanc(ligne[w])) ++w;
        paires.push_back({static_cast<int>(trouvee - Cles_Horizons.begin()), ligne.substr(v, w - v)});
    }
    return paires;
}

// The name of a header line, after `entete`; it ends at the source, or at a
// run of blanks before the date of "JPL/HORIZONS   1P/Halley   2024-Jan-01".
std::optional<Vue> Nom_Entete(Vue ligne, Vue entete) {
    const Vue t = Rogner(ligne);
    if (!Commence_Par(t, entete)) return std::nullopt;
    Vue nom = Rogner(t.substr(entete.size()));
    nom = nom.substr(0, std::min(nom.find('{'), nom.find("  ")));
    return Rogner(nom);
}

std::optional<Vue> Nom_Horizons(Vue ligne) { return Nom_Entete(ligne, Entete_Nom_Horizons); }

// "2459000.500000000 = A.D. 2020-May-31 00:00:00.0000 TDB": the epoch of the
// table's next set.
std::optional<double> Epoque_Table(Vue ligne) {
    const Vue t = Rogner(ligne);
    const std::size_t egal = t.find('=');
    if (egal == Vue::npos) return std::nullopt;
    const Vue ere = Rogner(t.substr(egal + 1)).substr(0, 4);
    if (ere != "A.D." && ere != "B.C.") return std::nullopt;
    return Nombre(t.substr(0, egal));
}

// A physical parameter of the listing, when it gave one.
std::optional<double> Parametre(const std::array<double, 10>& physique, Physique p) {
    const double x = physique[static_cast<std::size_t>(p)];
    if (std::isnan(x)) return std::nullopt;
    return x;
}

std::optional<Loi_Magnitude> Loi_Comete_Horizons(std::optional<double> M, std::optional<double> K,
                                                 std::optional<double> PC) {
    if (!M || !K) return std::nullopt;
    return Loi_Acceptee(Loi_Comete(*M, *K, PC.value_or(0), Origine_Loi::Importee));
}

// Any of A1, A2, A3 given makes the comet's forces; the others are nought.
std::optional<Non_Gravitationnel> Non_Grav_Horizons(const std::array<double, 10>& physique) {
    const std::optional<double> A1 = Parametre(physique, Physique::A1);
    const std::optional<double> A2 = Parametre(physique, Physique::A2);
    const std::optional<double> A3 = Parametre(physique, Physique::A3);
    if (!A1 && !A2 && !A3) return std::nullopt;
    return Non_Gravitationnel{A1.value_or(0), A2.value_or(0), A3.value_or(0)};
}

}  // namespace

// The lines that mark a listing's parts.
bool Repere_Horizons(Vue ligne) {
    const Vue t = Rogner(ligne);
    return Commence_Par(t, Entete_Horizons) || Commence_Par(t, Entete_Nom_Horizons) ||
           t == Debut_Table_Horizons || t == Fin_Table_Horizons || Epoque_Table(t);
}

bool Paires_Presentes_Horizons(Vue ligne) { return !Paires_Horizons(ligne).empty(); }

bool Lecteur_Horizons::Lire_Ligne(Vue ligne) {
    if (Lire_Repere(ligne)) {
        dans_physique_ = false;
        return true;
    }
    const std::vector<Paire> paires = Paires_Horizons(ligne);
    for (const Paire& p : paires) {
        if (p.cle >= Premiere_Physique) {
            if (dans_physique_)
                physique_[static_cast<std::size_t>(p.cle - Premiere_Physique)] =
                    Nombre(p.valeur).value_or(NAN);
        } else if (p.cle != Cle_Epoque) {
            Prendre(p.cle, p.valeur);
        } else if (const std::optional<double> jj = Nombre(p.valeur)) {
            epoque_ = *jj;
        }
    }
    return !paires.empty();
}

void Lecteur_Horizons::Lire_Autre_Ligne(Vue ligne) {
    // Outside a block, only its title matters: the lines of a catalogue pass at once.
    if (!dans_physique_) {
        std::size_t premier = 0;
        while (premier < ligne.size() && Blanc(ligne[premier])) ++premier;
        if (premier == ligne.size() || (ligne[premier] != 'C' && ligne[premier] != 'A')) return;
    }
    const Vue t = Rogner(ligne);
    const bool titre = std::any_of(Titres_Physique.begin(), Titres_Physique.end(),
                                   [t](Vue debut) { return Commence_Par(t, debut); });
    if (titre)
        dans_physique_ = true;
    else if (t.find('=') == Vue::npos)
        dans_physique_ = false;
}

// The header's lines, and those that open and close the table. A second
// header line of a kind already read begins the next listing.
bool Lecteur_Horizons::Lire_Repere(Vue ligne) {
    const std::optional<Vue> entete = Nom_Entete(ligne, Entete_Horizons);
    const std::optional<Vue> cible = Nom_Horizons(ligne);
    if (entete || cible) {
        if ((entete && (nomme_ || !entete_.empty() || !table_.empty())) || (cible && cible_)) Finir_Listage();
        if (!nomme_) nom_ = Texte_Source(entete ? *entete : *cible);
        nomme_ = true;
        cible_ = cible_ || cible;
        return true;
    }
    const Vue t = Rogner(ligne);
    if (t == Debut_Table_Horizons || t == Fin_Table_Horizons) {
        Abandonner_Ensemble();
        if (t == Fin_Table_Horizons) Finir_Listage();
        dans_table_ = t == Debut_Table_Horizons;
        return true;
    }
    if (const std::optional<double> jj = Epoque_Table(t)) {
        Abandonner_Ensemble();
        epoque_ = *jj;
        return true;
    }
    return false;
}

// A value that is no number before an orbit has begun is another field of
// the header (the perihelion written as a date); once begun, it spoils it.
void Lecteur_Horizons::Prendre(int cle, Vue valeur) {
    const std::optional<double> x = Nombre(valeur);
    if (!x && lues_ == 0) return;
    const unsigned bit = 1u << cle;
    if (lues_ & bit) Abandonner_Ensemble();
    valeurs_[cle] = x.value_or(NAN);
    lues_ |= bit;
    if (lues_ == Toutes_Cles) Completer();
}

void Lecteur_Horizons::Completer() {
    lues_ = 0;
    Orbite_Lue lue = Examiner({nom_,
                               valeurs_[Cle_EC],
                               valeurs_[Cle_QR],
                               valeurs_[Cle_IN],
                               valeurs_[Cle_W],
                               valeurs_[Cle_OM],
                               valeurs_[Cle_TP],
                               2000,
                               epoque_,
                               {},
                               {},
                               {}});
    epoque_ = NAN;
    if (!lue.orbite) {
        refus_.Compter(lue.refus);
        return;
    }
    if (!dans_table_)
        entete_.push_back(std::move(*lue.orbite));
    else if (nomme_)
        Envoyer(std::move(*lue.orbite));
    else
        table_.push_back(std::move(*lue.orbite));
}

// A set begun and not completed is one skipped.
void Lecteur_Horizons::Abandonner_Ensemble() {
    if (lues_ != 0) ++refus_.Ignorees;
    lues_ = 0;
}

// The sets held back get the listing's name, the table's first.
void Lecteur_Horizons::Finir_Listage() {
    Abandonner_Ensemble();
    for (std::vector<Orbite_Publiee>* attente : {&table_, &entete_}) {
        for (Orbite_Publiee& o : *attente) {
            o.Designation = nom_;
            Envoyer(std::move(o));
        }
        attente->clear();
    }
    physique_.fill(NAN);
    nom_.clear();
    nomme_ = cible_ = dans_table_ = dans_physique_ = false;
    epoque_ = NAN;
}

// Every set of the listing carries the body's laws and forces.
void Lecteur_Horizons::Envoyer(Orbite_Publiee&& o) {
    const auto p = [this](Physique k) { return Parametre(physique_, k); };
    o.Loi_Totale = Loi_Comete_Horizons(p(Physique::M1), p(Physique::K1), std::nullopt);
    o.Loi_Noyau = Loi_Comete_Horizons(p(Physique::M2), p(Physique::K2), p(Physique::PHCOF));
    if (!o.Loi_Noyau) o.Loi_Noyau = Loi_H_G(p(Physique::H), p(Physique::G));
    o.Non_Grav = Non_Grav_Horizons(physique_);
    recepteur_(std::move(o));
}

void Lecteur_Horizons::Terminer() { Finir_Listage(); }
