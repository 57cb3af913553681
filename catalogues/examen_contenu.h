#pragma once

// What a downloaded catalogue is checked for before it replaces the copy:
// a gzip stream that unpacks whole, and lines of the expected format, at
// least one body among them, not an error page served as a success.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "document/import_elements.h"

// Unpacks a gzip file as it arrives, with zlib. Several members one after
// the other make one file, as gzip itself reads them.
class Decompression_Gzip {
public:
    Decompression_Gzip();
    ~Decompression_Gzip();
    Decompression_Gzip(const Decompression_Gzip&) = delete;
    Decompression_Gzip& operator=(const Decompression_Gzip&) = delete;

    // The unpacked bytes go to `sortie`, which answers false to stop. False
    // on a corrupt stream or when `sortie` stopped.
    bool Ajouter(const char* donnees, int64_t taille,
                 const std::function<bool(const char*, int64_t)>& sortie);
    // Every member ended where the bytes end: the file is whole.
    bool Complete() const { return !erreur_ && fin_membre_ && vu_; }
    bool Erreur() const { return erreur_; }

private:
    struct Flux;
    std::unique_ptr<Flux> flux_;
    bool fin_membre_ = false;
    bool vu_ = false;
    bool erreur_ = false;
};

// Reads the text line by line as it arrives and counts the bodies of the
// expected format, and the orbits of any other.
class Examen_Catalogue {
public:
    explicit Examen_Catalogue(Forme_Ligne attendue) : attendue_(attendue) {}
    void Ajouter(const char* donnees, int64_t taille);
    void Terminer();

    int64_t Orbites() const { return orbites_; }
    int64_t Autres_Orbites() const { return autres_; }
    // The first visible character is '<': an HTML or XML page.
    bool Page_Html() const { return html_; }
    int64_t Octets() const { return octets_; }

private:
    void Lire_Ligne(std::string_view ligne);

    Forme_Ligne attendue_;
    std::string ligne_;
    bool debut_vu_ = false;
    bool html_ = false;
    int64_t orbites_ = 0;
    int64_t autres_ = 0;
    int64_t octets_ = 0;
};

// Why a whole download is not the catalogue; empty when it is.
QString Refus_Contenu(const Examen_Catalogue& examen);
