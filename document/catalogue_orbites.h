#pragma once

// The orbits read from a file, kept compact enough for a whole minor-planet
// catalogue, with a search by designation or name as one types.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/import_elements.h"
#include "form/textes_nombres.h"
#include "plateforme/choix_objet.h"

class Catalogue_Orbites : public Source_Objets {
public:
    explicit Catalogue_Orbites(Notation notation) : notation_(std::move(notation)) {}

    // False, and nothing added, once the names would outgrow the index.
    bool Ajouter(const Orbite_Publiee& o);
    void Compacter();

    int Nombre() const override { return static_cast<int>(orbites_.size()); }
    Orbite_Publiee Orbite(int rang) const;
    // Date of perihelion "29,6333/03/1997", q and e, with the program's
    // separator; the name carries the epoch ("époque 14/01/1995") when the
    // source gives one and the body has several sets, so that they can be
    // told apart.
    Ligne_Objet Ligne(int rang) const override;
    std::vector<int> Chercher(const QString& texte) const override;

    // Bytes of the index itself.
    std::size_t Taille_Memoire() const;

private:
    // A published law: its zero point, K or G, and PC; its form, or none.
    struct Loi_Compacte {
        double Zero, Pente, PC;
    };
    enum class Forme_Compacte : uint8_t { Aucune, Comete, Asteroide };
    // The elements of one orbit; its name is in noms_ from `nom` to the next '\n'.
    struct Orbite_Compacte {
        double e, q, i, Omega, gOmega, JJ_Perihelie, Equinoxe, JJ_Epoque;
        Loi_Compacte totale, noyau;
        uint32_t nom;
        Forme_Compacte forme_totale, forme_noyau;
    };
    Ligne_Objet Colonnes(const Orbite_Compacte& c, const QString& nom) const;
    static Forme_Compacte Compacter_Loi(const std::optional<Loi_Magnitude>& loi, Loi_Compacte& c);
    static std::optional<Loi_Magnitude> Deployer_Loi(Forme_Compacte forme, const Loi_Compacte& c);
    QString Nom(int rang) const;
    bool Plusieurs_Jeux(int rang) const;

    Notation notation_;
    std::vector<Orbite_Compacte> orbites_;
    std::string noms_;                  // UTF-8, each name ended by '\n'
    std::string plis_;                  // the same names with their case folded
    std::vector<uint32_t> debut_plis_;  // where each folded name begins
    // The few comets with non-gravitational parameters, by rank, ascending.
    std::vector<std::pair<int, Non_Gravitationnel>> non_grav_;
};

// The chooser's line of one orbit, as Catalogue_Orbites::Ligne gives it.
Ligne_Objet Ligne_Orbite(const Orbite_Publiee& o, const Notation& notation);

// The search of the chooser on one name at a time, as the source writes it:
// whether the name, its case folded, holds the text. Catalogue_Orbites's
// search gives the same answers on the whole index.
class Recherche_Nom {
public:
    explicit Recherche_Nom(const QString& texte);
    bool Contient(std::string_view nom) const;

private:
    std::string cherche_;
};

// The text of a date of perihelion in the chooser and the status bar.
QString Texte_Date_Perihelie(double jj, const Notation& notation);

// The parameters of the laws an orbit's source gives, "M1 = 5,5 ; K1 = 8 ;
// M2 = 13,6 ; K2 = 5 ; PC = 0,03" or "H = 3,4 ; G = 0,15"; empty for none.
QString Texte_Lois(const Orbite_Publiee& o, const Notation& notation);
