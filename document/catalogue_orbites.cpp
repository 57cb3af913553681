#include "document/catalogue_orbites.h"

#include <string.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The offsets of the names are 32-bit.
constexpr std::size_t Taille_Max_Noms = std::numeric_limits<uint32_t>::max();

constexpr int Decimales_Jour = 4;
const char* const Motif_Jour = "#0.####";
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
    orbites_.push_back({o.e, o.q, o.i, o.Omega, o.gOmega, o.JJ_Perihelie, o.Equinoxe, o.JJ_Epoque,
                        static_cast<uint32_t>(noms_.size())});
    noms_.append(utf8.constData(), static_cast<std::size_t>(utf8.size())).push_back('\n');
    debut_plis_.push_back(static_cast<uint32_t>(plis_.size()));
    plis_.append(pli).push_back('\n');
    return true;
}

void Catalogue_Orbites::Compacter() {
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
    return {Nom(rang), c.e, c.q, c.i, c.Omega, c.gOmega, c.JJ_Perihelie, c.Equinoxe, c.JJ_Epoque};
}

Ligne_Objet Catalogue_Orbites::Ligne(int rang) const {
    const Orbite_Compacte& c = orbites_[static_cast<std::size_t>(rang)];
    const QString nom = std::isfinite(c.JJ_Epoque)
                            ? Nom_Et_Epoque.arg(Nom(rang), Texte_Date_Perihelie(c.JJ_Epoque, notation_))
                            : Nom(rang);
    return {nom, Texte_Date_Perihelie(c.JJ_Perihelie, notation_), Texte_Motif(c.q, Motif_Distance, notation_),
            Texte_Motif(c.e, Motif_Distance, notation_)};
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
           debut_plis_.capacity() * sizeof(uint32_t);
}

QString Texte_Date_Perihelie(double jj, const Notation& notation) {
    const std::optional<Date_Perihelie> date = Date_Arrondie(jj, Decimales_Jour);
    if (!date) return {};
    return Texte_Motif(date->Jour, Motif_Jour, notation) +
           QStringLiteral("/%1/%2").arg(date->Mois, 2, 10, QChar(u'0')).arg(date->An);
}
