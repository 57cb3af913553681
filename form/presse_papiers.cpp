#include "form/presse_papiers.h"

#include <array>
#include <optional>

#include "form/textes_nombres.h"

namespace {

using C = Controle;

struct Champ_Edition {
    Controle champ;
    bool nettoye;  // a pasted text must leave a number
};

// The edit fields by tab position; the two lists (26 and 27) are not in it.
constexpr std::array<Champ_Edition, 26> Champs_Edition = {{
    {C::Commentaire, false},
    {C::Equinoxe, true},
    {C::Equinoxe_ephemeride, true},
    {C::saisie_e, true},
    {C::saisie_q, true},
    {C::saisie_a, true},
    {C::saisie_gQ, true},
    {C::saisie_n, true},
    {C::saisie_i, true},
    {C::saisie_Omega, true},
    {C::saisie_gOmega, true},
    {C::saisie_Jour_Perihelie, true},
    {C::saisie_Mois_Perihelie, true},
    {C::saisie_An_Perihelie, true},
    {C::Saisie_MT, true},
    {C::Saisie_JMT, true},
    {C::Saisie_MMT, true},
    {C::Saisie_AMT, true},
    {C::Saisie_MN, true},
    {C::Saisie_JMN, true},
    {C::Saisie_MMN, true},
    {C::Saisie_AMN, true},
    {C::saisie_Jour, true},
    {C::saisie_Mois, true},
    {C::saisie_An, true},
    {C::Saisie_Pas, true},
}};

// The field at the focused control's tab position; none outside the frame's
// edit fields.
std::optional<Champ_Edition> Champ_Du_Focus(const Boite_Outils& boite) {
    const Controle focus = boite.Controle_Focus();
    if (!Est_Controle_Saisie(focus)) return std::nullopt;
    const int tabulation = Tabulation(focus);
    if (tabulation < 0 || tabulation >= static_cast<int>(Champs_Edition.size())) return std::nullopt;
    return Champs_Edition[static_cast<std::size_t>(tabulation)];
}

void Transferer_Selection(Boite_Outils& boite, void (Boite_Outils::*operation)(Controle)) {
    const auto champ = Champ_Du_Focus(boite);
    if (!champ || boite.Texte_Selectionne(champ->champ).isEmpty()) return;
    (boite.*operation)(champ->champ);
    boite.Activer(C::Coller, true);
}

}  // namespace

void CouperClick(Boite_Outils& boite) { Transferer_Selection(boite, &Boite_Outils::Couper_Selection); }

void CopierClick(Boite_Outils& boite) { Transferer_Selection(boite, &Boite_Outils::Copier_Selection); }

void CollerClick(Boite_Outils& boite, char Separateur_Decimal) {
    const auto champ = Champ_Du_Focus(boite);
    if (!champ) return;
    boite.Coller_Dans(champ->champ);
    if (champ->nettoye)
        boite.Ecrire_Texte(champ->champ, Normaliser_Nombre(boite.Texte(champ->champ), Separateur_Decimal));
    boite.Activer(C::Coller, true);
}
