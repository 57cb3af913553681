// The input as a session at the entry form: each line either types a text
// into one of the 28 entry controls (after the focus has moved there, which
// runs the exit of the control left), or clicks a Julian-date item or the
// angle switch, or presses Enter or Escape in the control that has the focus,
// or pastes the rest of the line into it from the clipboard.
// The last control is then left, and the page built on screen and on paper.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>

#include "form/angle_perihelie.h"
#include "form/dates_juliennes.h"
#include "form/edition.h"
#include "form/presse_papiers.h"
#include "page_fuzz.h"

namespace {

using Action = std::function<void(Contexte_Formulaire&)>;

Action Touche(char16_t code) {
    return [code](Contexte_Formulaire& ctx) { FicheKeyPress(ctx, ctx.formulaire.Focus, QChar(code)); };
}

// After the 28 entry controls.
const Action Actions[] = {
    [](Contexte_Formulaire& ctx) { JulienneClick(ctx.el, ctx.boite, ctx.notation); },
    [](Contexte_Formulaire& ctx) { Julienne_élémentsClick(ctx.el, ctx.boite, ctx.notation); },
    [](Contexte_Formulaire& ctx) { Julienne_éphémérideClick(ctx.el, ctx.boite, ctx.notation); },
    [](Contexte_Formulaire& ctx) { Basculer_Angle(ctx.el, ctx.boite, ctx.notation); },
    Touche(13),  // Enter
    Touche(27),  // Escape
};
constexpr int Nombre_Actions = static_cast<int>(std::size(Actions));
constexpr int Choix_Coller = Nombre_Controles_Saisie + Nombre_Actions;
constexpr int Nombre_Choix = Choix_Coller + 1;
// Each step may rebuild the page: a bound on the steps bounds an input's time.
constexpr qsizetype Pas_Maximum = 64;

void Jouer_Ligne(Banc_Fuzz& banc, Contexte_Formulaire& ctx, const QByteArray& ligne) {
    if (ligne.isEmpty()) return;
    // From 'D' on, the letters name the controls in tab order, then the
    // actions, then the paste: the seeds stay readable.
    const int choix =
        (static_cast<unsigned char>(ligne[0]) + Nombre_Choix - 'D' % Nombre_Choix) % Nombre_Choix;
    if (choix == Choix_Coller) {
        banc.boite.Fixer_Presse_Papiers(QString::fromUtf8(ligne.mid(1)));
        CollerClick(banc.boite, banc.p.notation.Separateur_Decimal);
        return;
    }
    if (choix >= Nombre_Controles_Saisie) {
        Actions[choix - Nombre_Controles_Saisie](ctx);
        return;
    }
    const Controle champ = Controle_Saisie(choix);
    Donner_Focus(ctx, champ);
    ctx.boite.Ecrire_Texte(champ, QString::fromUtf8(ligne.mid(1)));
}

// Start-up's frame: today's date (here a fixed one) starts the ephemeris.
void Demarrer(Banc_Fuzz& banc) {
    banc.boite.Ecrire_Texte(Controle::saisie_Jour, QStringLiteral("1"));
    banc.boite.Ecrire_Texte(Controle::saisie_Mois, QStringLiteral("3"));
    banc.boite.Ecrire_Texte(Controle::saisie_An, QStringLiteral("2000"));
    banc.p.el.Pas = 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> lignes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split('\n');
    Banc_Fuzz banc(lignes.size() % 2 == 0 ? ',' : '.');
    Demarrer(banc);
    Contexte_Formulaire ctx = banc.p.Formulaire();
    for (qsizetype k = 0; k < lignes.size() && k < Pas_Maximum; ++k) Jouer_Ligne(banc, ctx, lignes[k]);
    const Controle quitte = ctx.formulaire.Focus;
    if (Est_Controle_Saisie(quitte)) {
        Donner_Focus(ctx, Controle_Saisie((Tabulation(quitte) + 1) % Nombre_Controles_Saisie));
    }
    banc.Construire_Pages();
    return 0;
}
