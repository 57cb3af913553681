#include "form/listes.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "astro/elements.h"
#include "astro/instruments.h"

#include "form/angle_perihelie.h"
#include "form/disposition_fiche.h"

namespace {

// What sets the two lists apart.
struct Regles_Liste {
    Controle liste;
    // The items as the list writes them, in the order a prefix is tried.
    std::vector<const char*> completion;
    // The step's unit keeps a new item as its text on entry, so that leaving
    // the list afterwards does not rebuild the page a second time.
    bool change_retenu;
    // The telescope rebuilds the page whenever it is left, even unchanged.
    bool sortie_rafraichit_toujours;
};

// The items of `noms` in the order of `indices`.
template <std::size_t N>
std::vector<const char*> Dans_L_Ordre(const std::array<const char*, N>& noms,
                                      std::initializer_list<int> indices) {
    std::vector<const char*> articles;
    for (int k : indices) articles.push_back(noms[static_cast<std::size_t>(k)]);
    return articles;
}

// A prefix is tried on Aucun, Dravelle, Arbelin, Estrane, Brisonne, Corlande.
const Regles_Liste Instruments{Controle::Liste_Instruments,
                               Dans_L_Ordre(Noms_Instruments, {0, 4, 1, 5, 2, 3}), false, true};

const Regles_Liste Unites{Controle::Liste_Pas, {Noms_Unites_Pas.begin(), Noms_Unites_Pas.end()}, true, false};

const Regles_Liste* Regles_De(Controle liste) {
    if (liste == Controle::Liste_Instruments) return &Instruments;
    if (liste == Controle::Liste_Pas) return &Unites;
    return nullptr;
}

// Only the letters A to Z are lowered: "É" stays as it is.
QString Minuscules_Ascii(const QString& texte) {
    QString resultat = texte;
    for (QChar& c : resultat)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return resultat;
}

void Changer(Contexte_Formulaire& ctx, const Regles_Liste& r) {
    const QString texte = ctx.boite.Texte(r.liste);
    QString& entree = ctx.formulaire.Entree(r.liste);
    if (!Articles_Liste(r.liste).contains(texte)) {
        ctx.boite.Ecrire_Texte(r.liste, entree);
        return;
    }
    if (texte == entree) return;
    if (r.change_retenu) entree = texte;
    ctx.Rafraichir();
}

void Quitter(Contexte_Formulaire& ctx, const Regles_Liste& r) {
    ctx.formulaire.Dernier_Champ = Tabulation(r.liste);
    const QString& entree = ctx.formulaire.Entree(r.liste);
    const QString article = Completer_Liste(r.liste, ctx.boite.Texte(r.liste));
    ctx.boite.Ecrire_Texte(r.liste, article.isEmpty() ? entree : article);
    if (r.sortie_rafraichit_toujours) {
        ctx.Rafraichir();
        return;
    }
    if (!article.isEmpty() && article != entree) ctx.Rafraichir();
}

}  // namespace

QString Completer_Liste(Controle liste, const QString& texte) {
    const Regles_Liste* r = Regles_De(liste);
    if (r == nullptr) return {};
    const QString t = Minuscules_Ascii(texte.trimmed());
    for (const char* nom : r->completion) {
        const QString article = QString::fromUtf8(nom);
        // A text longer than the item cannot be one of its prefixes.
        if (Minuscules_Ascii(article).startsWith(t)) return article;
    }
    return {};
}

void FicheListe_InstrumentsChange(Contexte_Formulaire& ctx) { Changer(ctx, Instruments); }
void FicheListe_PasChange(Contexte_Formulaire& ctx) { Changer(ctx, Unites); }
void FicheListe_InstrumentsExit(Contexte_Formulaire& ctx) { Quitter(ctx, Instruments); }
void FicheListe_PasExit(Contexte_Formulaire& ctx) { Quitter(ctx, Unites); }

void FicheLabelClick(Contexte_Formulaire& ctx) { Basculer_Angle(ctx.el, ctx.boite, ctx.notation); }

void FicheLabelMouseMove(Boite_Outils& boite) {
    const bool argument = boite.Texte(Controle::Label15) == Legende_Argument;
    boite.Ecrire_Indice(Controle::Label16, argument ? QStringLiteral("Cliquer pour Longitude du périhélie")
                                                    : QStringLiteral("Cliquer pour Argument du périhélie"));
}
