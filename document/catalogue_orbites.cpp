#include "document/catalogue_orbites.h"

#include <string.h>

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "page/textes_ligne.h"

namespace {

// The offsets of the names are 32-bit.
constexpr std::size_t Taille_Max_Noms = std::numeric_limits<uint32_t>::max();

constexpr int Decimales_Jour = 4;
const char* const Motif_Distance = "#0.######";
const QString Nom_Et_Epoque = QStringLiteral("%1, époque %2");

bool Ascii(const QByteArray& t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Names are compared with their case folded; most are plain ASCII.
std::string Plier(const QString& texte) {
    QByteArray utf8 = texte.toUtf8();
    if (!Ascii(utf8)) return texte.toCaseFolded().toStdString();
    std::string pli(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    for (char& c : pli)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return pli;
}

// A name never holds a line break: it is the separator of the index.
QString Sans_Saut(QString texte) {
    texte.replace(u'\n', u' ');
    return texte;
}

}  // namespace

bool Catalogue_Orbites::Ajouter(const Orbite_Publiee& o) {
    const QString nom = Sans_Saut(o.Designation);
    const QByteArray utf8 = nom.toUtf8();
    const std::string pli = Plier(nom);
    if (noms_.size() + static_cast<std::size_t>(utf8.size()) + 1 > Taille_Max_Noms ||
        plis_.size() + pli.size() + 1 > Taille_Max_Noms)
        return false;
    Orbite_Compacte c{o.e,
                      o.q,
                      o.i,
                      o.Omega,
                      o.gOmega,
                      o.JJ_Perihelie,
                      o.Equinoxe,
                      o.JJ_Epoque,
                      {},
                      {},
                      static_cast<uint32_t>(noms_.size()),
                      {},
                      {}};
    c.forme_totale = Compacter_Loi(o.Loi_Totale, c.totale);
    c.forme_noyau = Compacter_Loi(o.Loi_Noyau, c.noyau);
    if (o.Non_Grav) non_grav_.emplace_back(Nombre(), *o.Non_Grav);
    orbites_.push_back(c);
    noms_.append(utf8.constData(), static_cast<std::size_t>(utf8.size())).push_back('\n');
    debut_plis_.push_back(static_cast<uint32_t>(plis_.size()));
    plis_.append(pli).push_back('\n');
    return true;
}

Catalogue_Orbites::Forme_Compacte Catalogue_Orbites::Compacter_Loi(const std::optional<Loi_Magnitude>& loi,
                                                                   Loi_Compacte& c) {
    if (!loi) return Forme_Compacte::Aucune;
    const bool asteroide = loi->forme == Forme_Loi::Asteroide;
    c = {loi->Zero, asteroide ? loi->G : loi->K, loi->PC};
    return asteroide ? Forme_Compacte::Asteroide : Forme_Compacte::Comete;
}

std::optional<Loi_Magnitude> Catalogue_Orbites::Deployer_Loi(Forme_Compacte forme, const Loi_Compacte& c) {
    switch (forme) {
        case Forme_Compacte::Aucune:
            return std::nullopt;
        case Forme_Compacte::Comete:
            return Loi_Comete(c.Zero, c.Pente, c.PC, Origine_Loi::Importee);
        case Forme_Compacte::Asteroide:
            return Loi_Asteroide(c.Zero, c.Pente, Origine_Loi::Importee);
    }
    return std::nullopt;
}

void Catalogue_Orbites::Compacter() {
    non_grav_.shrink_to_fit();
    orbites_.shrink_to_fit();
    noms_.shrink_to_fit();
    plis_.shrink_to_fit();
    debut_plis_.shrink_to_fit();
}

QString Catalogue_Orbites::Nom(int rang) const {
    const std::size_t debut = orbites_[static_cast<std::size_t>(rang)].nom;
    const std::size_t fin = noms_.find('\n', debut);
    return QString::fromUtf8(noms_.data() + debut, static_cast<qsizetype>(fin - debut));
}

Orbite_Publiee Catalogue_Orbites::Orbite(int rang) const {
    const Orbite_Compacte& c = orbites_[static_cast<std::size_t>(rang)];
    Orbite_Publiee o{Nom(rang),      c.e,        c.q,         c.i, c.Omega, c.gOmega,
                     c.JJ_Perihelie, c.Equinoxe, c.JJ_Epoque, {},  {},      {}};
    o.Loi_Totale = Deployer_Loi(c.forme_totale, c.totale);
    o.Loi_Noyau = Deployer_Loi(c.forme_noyau, c.noyau);
    const auto ng = std::lower_bound(non_grav_.begin(), non_grav_.end(), rang,
                                     [](const auto& paire, int r) { return paire.first < r; });
    if (ng != non_grav_.end() && ng->first == rang) o.Non_Grav = ng->second;
    return o;
}

// The sets of one body follow each other in the files that give several.
bool Catalogue_Orbites::Plusieurs_Jeux(int rang) const {
    const QString nom = Nom(rang);
    return (rang > 0 && Nom(rang - 1) == nom) || (rang + 1 < Nombre() && Nom(rang + 1) == nom);
}

Ligne_Objet Catalogue_Orbites::Ligne(int rang) const {
    const Orbite_Compacte& c = orbites_[static_cast<std::size_t>(rang)];
    const QString nom = std::isfinite(c.JJ_Epoque) && Plusieurs_Jeux(rang)
                            ? Nom_Et_Epoque.arg(Nom(rang), Texte_Date_JJ(c.JJ_Epoque, notation_))
                            : Nom(rang);
    return Colonnes(c, nom);
}

Ligne_Objet Catalogue_Orbites::Colonnes(const Orbite_Compacte& c, const QString& nom) const {
    return {nom, Texte_Date_Perihelie(c.JJ_Perihelie, notation_), Texte_Motif(c.q, Motif_Distance, notation_),
            Texte_Motif(c.e, Motif_Distance, notation_)};
}

namespace {

Ligne_Objet Ligne_Valeurs(const QString& nom, double JJ_Epoque, double JJ_Perihelie, double q, double e,
                          const Notation& notation) {
    const QString texte =
        std::isfinite(JJ_Epoque) ? Nom_Et_Epoque.arg(nom, Texte_Date_Perihelie(JJ_Epoque, notation)) : nom;
    return {texte, Texte_Date_Perihelie(JJ_Perihelie, notation), Texte_Motif(q, Motif_Distance, notation),
            Texte_Motif(e, Motif_Distance, notation)};
}

}  // namespace

Ligne_Objet Ligne_Orbite(const Orbite_Publiee& o, const Notation& notation) {
    return Ligne_Valeurs(Sans_Saut(o.Designation), o.JJ_Epoque, o.JJ_Perihelie, o.q, o.e, notation);
}

Recherche_Nom::Recherche_Nom(const QString& texte) : cherche_(Plier(Sans_Saut(texte.trimmed()))) {}

namespace {

char Minuscule(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether an ASCII name holds the folded text, compared in place: a whole
// catalogue's names pass through here.
// Each place where the first character stands is compared further: most
// names hold it once, at most.
bool Contient_Ascii(std::string_view nom, std::string_view cherche) {
    if (cherche.size() > nom.size()) return false;
    const std::size_t derniere = nom.size() - cherche.size();
    for (std::size_t k = 0; k <= derniere; ++k) {
        if (Minuscule(nom[k]) != cherche[0]) continue;
        std::size_t j = 1;
        while (j < cherche.size() && Minuscule(nom[k + j]) == cherche[j]) ++j;
        if (j == cherche.size()) return true;
    }
    return false;
}

// Eight bytes at a time: a whole catalogue's names pass through here.
bool Ascii(std::string_view t) {
    uint64_t hauts = 0;
    std::size_t k = 0;
    for (; k + 8 <= t.size(); k += 8) {
        uint64_t mot = 0;
        std::memcpy(&mot, t.data() + k, 8);
        hauts |= mot;
    }
    for (; k < t.size(); ++k) hauts |= static_cast<unsigned char>(t[k]);
    return (hauts & 0x8080808080808080ULL) == 0;
}

}  // namespace

bool Recherche_Nom::Contient(std::string_view nom) const {
    if (cherche_.empty()) return true;
    if (!Ascii(nom)) return Plier(Sans_Saut(Nom_Source(nom))).find(cherche_) != std::string::npos;
    return Contient_Ascii(nom, cherche_);
}

std::vector<int> Catalogue_Orbites::Chercher(const QString& texte) const {
    std::vector<int> rangs;
    const std::string cherche = Plier(Sans_Saut(texte.trimmed()));
    if (cherche.empty()) {
        rangs.resize(orbites_.size());
        for (std::size_t k = 0; k < rangs.size(); ++k) rangs[k] = static_cast<int>(k);
        return rangs;
    }
    // The names only move forward, so finding the name of each hit costs
    // one pass in all; the search goes on from the next name.
    const char* const debut = plis_.data();
    const char* const fin = debut + plis_.size();
    const char* position = debut;
    std::size_t rang = 0;
    for (;;) {
        const auto* trouve = static_cast<const char*>(
            memmem(position, static_cast<std::size_t>(fin - position), cherche.data(), cherche.size()));
        if (!trouve) return rangs;
        const auto decalage = static_cast<uint32_t>(trouve - debut);
        while (rang + 1 < debut_plis_.size() && debut_plis_[rang + 1] <= decalage) ++rang;
        rangs.push_back(static_cast<int>(rang));
        if (rang + 1 == debut_plis_.size()) return rangs;
        position = debut + debut_plis_[++rang];
    }
}

std::size_t Catalogue_Orbites::Taille_Memoire() const {
    return orbites_.capacity() * sizeof(Orbite_Compacte) + noms_.capacity() + plis_.capacity() +
           debut_plis_.capacity() * sizeof(uint32_t) + non_grav_.capacity() * sizeof(non_grav_[0]);
}

namespace {

constexpr int Unites_Jour = 10'000;  // 10^Decimales_Jour

// The day already rounded to Decimales_Jour decimals, as the pattern
// "#0.####" writes it, from its whole units: a list of a whole catalogue
// writes two dates a line.
QString Texte_Jour_Arrondi(double jour, const Notation& notation) {
    const double entier = std::floor(jour);
    auto unites = static_cast<int>(std::lround((jour - entier) * Unites_Jour));
    QString texte = QString::number(static_cast<long long>(entier));
    if (unites == 0) return texte;
    int chiffres = Decimales_Jour;
    for (int k = 0; k < Decimales_Jour && unites % 10 == 0; ++k) {
        unites /= 10;
        --chiffres;
    }
    return texte + QChar::fromLatin1(notation.Separateur_Decimal) +
           QStringLiteral("%1").arg(unites, chiffres, 10, QChar(u'0'));
}

}  // namespace

QString Texte_Date_Perihelie(double jj, const Notation& notation) {
    const std::optional<Date_Perihelie> date = Date_Arrondie(jj, Decimales_Jour);
    if (!date) return {};
    QString texte = Texte_Jour_Arrondi(date->Jour, notation);
    texte += u'/';
    if (date->Mois < 10) texte += u'0';
    texte += QString::number(date->Mois);
    texte += u'/';
    texte += QString::number(date->An);
    return texte;
}

namespace {

const QString Parametre_Egal = QStringLiteral("%1 = %2");
const QString Entre_Parametres = QStringLiteral(" ; ");

// "M1 = 5,5", … for the column whose comet symbols are `zero` and `K`.
void Ajouter_Loi(QStringList& textes, const std::optional<Loi_Magnitude>& loi, const QString& zero,
                 const QString& K, bool phase, char separateur) {
    if (!loi) return;
    const auto texte = [&](const QString& nom, double x) {
        textes << Parametre_Egal.arg(nom, Texte_General(x, separateur));
    };
    if (loi->forme == Forme_Loi::Asteroide) {
        texte(QStringLiteral("H"), loi->Zero);
        texte(QStringLiteral("G"), loi->G);
        return;
    }
    texte(zero, loi->Zero);
    texte(K, loi->K);
    if (phase || loi->PC != 0) texte(QStringLiteral("PC"), loi->PC);
}

}  // namespace

QString Texte_Lois(const Orbite_Publiee& o, const Notation& notation) {
    QStringList textes;
    const char sep = notation.Separateur_Decimal;
    Ajouter_Loi(textes, o.Loi_Totale, QStringLiteral("M1"), QStringLiteral("K1"), false, sep);
    Ajouter_Loi(textes, o.Loi_Noyau, QStringLiteral("M2"), QStringLiteral("K2"), true, sep);
    return textes.join(Entre_Parametres);
}
