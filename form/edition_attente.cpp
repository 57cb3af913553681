// Stand-ins until the editing model lands; weak, so its own definitions win.

#include "form/edition.h"

__attribute__((weak)) void Donner_Focus(Contexte_Formulaire& ctx, Controle nouveau) {
    if (Est_Controle_Saisie(ctx.boite.Controle_Focus())) Executer_Sortie(ctx, ctx.boite.Controle_Focus());
    ctx.boite.Montrer_Focus(nouveau);
    if (Est_Controle_Saisie(nouveau)) ctx.formulaire.Entree(nouveau) = ctx.boite.Texte(nouveau);
}

__attribute__((weak)) void Reinitialiser_Fiche(Contexte_Formulaire& ctx) {
    for (int k = 0; k < 26; ++k) ctx.boite.Ecrire_Texte(Controle_Saisie(k), {});
    ctx.document.Modifie = false;
    ctx.document.Nom_Fichier.clear();
    ctx.document.Dernier_Fichier.clear();
    for (Controle c :
         {Controle::ToolEnregistrer, Controle::Enregistrer, Controle::Imprimer1, Controle::ToolImprimer})
        ctx.boite.Activer(c, false);
    ctx.boite.Ecrire_Texte(Controle::Principale, QStringLiteral("Trajectel"));
}
