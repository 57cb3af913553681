#include "catalogues/examen_contenu.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

const QString Reponse_Vide = QStringLiteral("le serveur a envoyé un fichier vide");
const QString Page_Html = QStringLiteral("le serveur a envoyé une page web au lieu du catalogue");
const QString Autre_Format = QStringLiteral("le fichier reçu n'est pas au format attendu");
const QString Aucun_Corps = QStringLiteral("le fichier reçu ne contient aucun objet");

// zlib's window bits, plus 16 for a gzip header and trailer.
constexpr int Fenetre_Gzip = 15 + 16;
constexpr std::size_t Morceau_Sortie = 256 * 1024;  // bytes unpacked at a time
// No line of a catalogue is this long: the rest of a longer one is dropped.
constexpr std::size_t Ligne_Max = 4096;  // bytes

}  // namespace

struct Decompression_Gzip::Flux {
    z_stream z{};
    bool pret = false;
    std::string sortie = std::string(Morceau_Sortie, '\0');
};

Decompression_Gzip::Decompression_Gzip() : flux_(std::make_unique<Flux>()) {
    flux_->pret = inflateInit2(&flux_->z, Fenetre_Gzip) == Z_OK;
    erreur_ = !flux_->pret;
}

Decompression_Gzip::~Decompression_Gzip() {
    if (flux_->pret) inflateEnd(&flux_->z);
}

bool Decompression_Gzip::Ajouter(const char* donnees, int64_t taille,
                                 const std::function<bool(const char*, int64_t)>& sortie) {
    if (erreur_) return false;
    z_stream& z = flux_->z;
    while (taille > 0) {
        // zlib counts in 32 bits.
        const auto part = static_cast<uInt>(std::min<int64_t>(taille, 1 << 30));
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(donnees));
        z.avail_in = part;
        if (part > 0) vu_ = true;
        for (;;) {
            if (fin_membre_) {
                if (z.avail_in == 0) break;
                // Another member follows.
                if (inflateReset(&z) != Z_OK) return !(erreur_ = true);
                fin_membre_ = false;
            }
            z.next_out = reinterpret_cast<Bytef*>(flux_->sortie.data());
            z.avail_out = static_cast<uInt>(flux_->sortie.size());
            const int r = inflate(&z, Z_NO_FLUSH);
            if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) return !(erreur_ = true);
            const auto produit = static_cast<int64_t>(flux_->sortie.size() - z.avail_out);
            if (produit > 0 && !sortie(flux_->sortie.data(), produit)) return false;
            if (r == Z_STREAM_END) {
                fin_membre_ = true;
                continue;
            }
            // A full output may hide more; otherwise zlib waits for input.
            if (z.avail_out == 0 && produit > 0) continue;
            if (z.avail_in == 0) break;
            // Input left and nothing made of it: the stream is damaged.
            if (produit == 0) return !(erreur_ = true);
        }
        donnees += part;
        taille -= part;
    }
    return true;
}

void Examen_Catalogue::Ajouter(const char* donnees, int64_t taille) {
    octets_ += taille;
    for (int64_t k = 0; k < taille; ++k) {
        const char c = donnees[k];
        if (!debut_vu_ && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\xEF' && c != '\xBB' &&
            c != '\xBF') {
            debut_vu_ = true;
            html_ = c == '<';
        }
        if (c == '\n') {
            Lire_Ligne(ligne_);
            ligne_.clear();
        } else if (ligne_.size() < Ligne_Max) {
            ligne_.push_back(c);
        }
    }
}

void Examen_Catalogue::Terminer() {
    if (!ligne_.empty()) Lire_Ligne(ligne_);
    ligne_.clear();
}

void Examen_Catalogue::Lire_Ligne(std::string_view ligne) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    const Forme_Ligne forme = Reconnaitre_Ligne(ligne);
    if (forme == Forme_Ligne::Vide || forme == Forme_Ligne::Commentaire || forme == Forme_Ligne::Inconnue)
        return;
    if (forme != attendue_) {
        ++autres_;
        return;
    }
    const Orbite_Lue lue = attendue_ == Forme_Ligne::Comete_MPC ? Lire_Comete_MPC(ligne) : Lire_MPCORB(ligne);
    if (lue.orbite) ++orbites_;
}

QString Refus_Contenu(const Examen_Catalogue& examen) {
    if (examen.Octets() == 0) return Reponse_Vide;
    if (examen.Page_Html()) return Page_Html;
    // A few damaged lines do not make another format; a file of another is
    // mostly, or only, lines of it.
    if (examen.Autres_Orbites() > examen.Orbites()) return Autre_Format;
    if (examen.Orbites() == 0) return Aucun_Corps;
    return {};
}
