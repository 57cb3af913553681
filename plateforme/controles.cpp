#include "plateforme/controles.h"

namespace {
constexpr std::array<const char*, Nombre_Controles> noms = {
#define TRAJECTEL_NOM_CONTROLE(nom) #nom,
    TRAJECTEL_CONTROLES(TRAJECTEL_NOM_CONTROLE)
#undef TRAJECTEL_NOM_CONTROLE
};
}  // namespace

const char* Nom_Controle(Controle c) { return noms[static_cast<std::size_t>(c)]; }
