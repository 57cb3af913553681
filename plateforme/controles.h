#pragma once

// Every control, menu item, tool button, action and scroll bar the rules name.
// The logic addresses them only through this enum; each platform binds the
// values to its own objects.

#include <array>

// clang-format off
// Every control once: X(name) for each, in this order. The enum and the
// names of the controls are both made from this list.
#define TRAJECTEL_CONTROLES(X) \
    /* The 28 entry controls, in tab order. */ \
    X(Commentaire) \
    X(Equinoxe) \
    X(Equinoxe_ephemeride) \
    X(saisie_e) \
    X(saisie_q) \
    X(saisie_a) \
    X(saisie_gQ) \
    X(saisie_n) \
    X(saisie_i) \
    X(saisie_Omega) \
    X(saisie_gOmega) \
    X(saisie_Jour_Perihelie) \
    X(saisie_Mois_Perihelie) \
    X(saisie_An_Perihelie) \
    X(Saisie_MT) \
    X(Saisie_JMT) \
    X(Saisie_MMT) \
    X(Saisie_AMT) \
    X(Saisie_MN) \
    X(Saisie_JMN) \
    X(Saisie_MMN) \
    X(Saisie_AMN) \
    X(saisie_Jour) \
    X(saisie_Mois) \
    X(saisie_An) \
    X(Saisie_Pas) \
    X(Liste_Pas) \
    X(Liste_Instruments) \
    \
    /* Labels of the entry frame. */ \
    X(Label1) \
    X(Label2) \
    X(Label3) \
    X(Label26) \
    X(Label29) \
    X(Label8) \
    X(Label11) \
    X(Label12) \
    X(Titre4) \
    X(Titre5) \
    X(Titre9) \
    X(Titre10) \
    X(Titre6) \
    X(Titre7) \
    X(Label13) \
    X(Label14) \
    X(Label15) \
    X(Label16) \
    X(Label17) \
    X(Label18) \
    X(Label19) \
    X(Label20) \
    X(TitrePerihelie) \
    X(Révolution) \
    X(Magnitude_Totale) \
    X(Label5) \
    X(Magnitude_noyau) \
    X(Label7) \
    X(Label27) \
    X(Label28) \
    \
    /* Stepping buttons of the start date. */ \
    X(JourPlus) \
    X(JourMoins) \
    X(MoisPlus) \
    X(MoisMoins) \
    X(AnPlus) \
    X(AnMoins) \
    \
    /* The page image, the frame and the window around it (its text is the caption). */ \
    X(Fenetre) \
    X(Fiche) \
    X(Principale) \
    X(ToolBar1) \
    X(StatusBar) \
    X(VerticalBar) \
    X(HorizontalBar) \
    \
    /* Menu items. */ \
    X(Nouveau1) \
    X(Ouvrir1) \
    X(Enregistrer) \
    X(EnregistrerSous) \
    X(N1) \
    X(Imprimer1) \
    X(Trait) \
    X(Historique1) \
    X(Historique2) \
    X(Historique3) \
    X(Historique4) \
    X(Historique5) \
    X(Historique6) \
    X(Historique7) \
    X(Historique8) \
    X(Historique9) \
    X(Historique10) \
    X(N3) \
    X(Quitter1) \
    X(Couper) \
    X(Copier) \
    X(Coller) \
    X(Julienne_éléments) \
    X(Julienne_éphéméride) \
    X(Julienne) \
    X(Aide1) \
    X(HelpAboutItem) \
    X(Cut1) \
    X(Copy1) \
    X(Paste1) \
    X(Importer1) \
    X(CollerElements) \
    X(LieuObservation1) \
    X(LoisMagnitude1) \
    X(AjusterLoi1) \
    X(VisibiliteNuit1) \
    X(CalculClassique) \
    X(PerturbationsPlanetaires) \
    X(PositionTopocentrique) \
    X(MontureConnexion) \
    X(MonturePointer) \
    X(MontureArreter) \
    X(MontureDeconnecter) \
    X(Catalogues1) \
    \
    /* Tool buttons. */ \
    X(ToolNouveau) \
    X(ToolOuvrir) \
    X(ToolEnregistrer) \
    X(ToolEnregistrerSous) \
    X(ToolImprimer) \
    X(ToolCouper) \
    X(ToolCopier) \
    X(ToolColler) \
    X(ToolAide) \
    \
    /* Actions. */ \
    X(FileNew1) \
    X(FileOpen1) \
    X(FileSave1) \
    X(FileSaveAs1) \
    X(Imprimer) \
    X(FileExit1) \
    X(EditCut1) \
    X(EditCopy1) \
    X(EditPaste1) \
    X(AfficheAide) \
    X(HelpAbout1) \
    X(FileImport1) \
    X(EditPasteElements1) \
    X(EditSite1) \
    X(EditLaws1) \
    X(EditFitLaw1) \
    X(DatesNight1) \
    X(FileCatalogues1)
// clang-format on

#define TRAJECTEL_VALEUR_CONTROLE(nom) nom,
enum class Controle { TRAJECTEL_CONTROLES(TRAJECTEL_VALEUR_CONTROLE) Nombre_Controles };
#undef TRAJECTEL_VALEUR_CONTROLE

constexpr int Nombre_Controles = static_cast<int>(Controle::Nombre_Controles);
constexpr int Nombre_Controles_Saisie = 28;

// The entry control at a tab position (0 to 27), and back.
constexpr Controle Controle_Saisie(int tabulation) { return static_cast<Controle>(tabulation); }
constexpr int Tabulation(Controle c) { return static_cast<int>(c); }
constexpr bool Est_Controle_Saisie(Controle c) { return Tabulation(c) < Nombre_Controles_Saisie; }

// The name of a control as the rules write it, for messages of tests and traces.
const char* Nom_Controle(Controle c);
