#pragma once

// Every control, menu item, tool button, action and scroll bar the rules name.
// The logic addresses them only through this enum; each platform binds the
// values to its own objects.

#include <array>

enum class Controle {
    // The 28 entry controls, in tab order.
    Commentaire,
    Equinoxe,
    Equinoxe_ephemeride,
    saisie_e,
    saisie_q,
    saisie_a,
    saisie_gQ,
    saisie_n,
    saisie_i,
    saisie_Omega,
    saisie_gOmega,
    saisie_Jour_Perihelie,
    saisie_Mois_Perihelie,
    saisie_An_Perihelie,
    Saisie_MT,
    Saisie_JMT,
    Saisie_MMT,
    Saisie_AMT,
    Saisie_MN,
    Saisie_JMN,
    Saisie_MMN,
    Saisie_AMN,
    saisie_Jour,
    saisie_Mois,
    saisie_An,
    Saisie_Pas,
    Liste_Pas,
    Liste_Instruments,

    // Labels of the entry frame.
    Label1,
    Label2,
    Label3,
    Label26,
    Label29,
    Label8,
    Label11,
    Label12,
    Titre4,
    Titre5,
    Titre9,
    Titre10,
    Titre6,
    Titre7,
    Label13,
    Label14,
    Label15,
    Label16,
    Label17,
    Label18,
    Label19,
    Label20,
    TitrePerihelie,
    Révolution,
    Magnitude_Totale,
    Label5,
    Magnitude_noyau,
    Label7,
    Label27,
    Label28,

    // Stepping buttons of the start date.
    JourPlus,
    JourMoins,
    MoisPlus,
    MoisMoins,
    AnPlus,
    AnMoins,

    // The page image, the frame and the window around it (its text is the caption).
    Fenetre,
    Fiche,
    Principale,
    ToolBar1,
    StatusBar,
    VerticalBar,
    HorizontalBar,

    // Menu items.
    Nouveau1,
    Ouvrir1,
    Enregistrer,
    EnregistrerSous,
    N1,
    Imprimer1,
    Trait,
    Historique1,
    Historique2,
    Historique3,
    Historique4,
    Historique5,
    Historique6,
    Historique7,
    Historique8,
    Historique9,
    Historique10,
    N3,
    Quitter1,
    Couper,
    Copier,
    Coller,
    Julienne_éléments,
    Julienne_éphéméride,
    Julienne,
    Aide1,
    HelpAboutItem,
    Cut1,
    Copy1,
    Paste1,
    Importer1,
    CollerElements,
    LieuObservation1,
    VisibiliteNuit1,

    // Tool buttons.
    ToolNouveau,
    ToolOuvrir,
    ToolEnregistrer,
    ToolEnregistrerSous,
    ToolImprimer,
    ToolCouper,
    ToolCopier,
    ToolColler,
    ToolAide,

    // Actions.
    FileNew1,
    FileOpen1,
    FileSave1,
    FileSaveAs1,
    Imprimer,
    FileExit1,
    EditCut1,
    EditCopy1,
    EditPaste1,
    AfficheAide,
    HelpAbout1,
    FileImport1,
    EditPasteElements1,
    EditSite1,
    DatesNight1,

    Nombre_Controles
};

constexpr int Nombre_Controles = static_cast<int>(Controle::Nombre_Controles);
constexpr int Nombre_Controles_Saisie = 28;

// The entry control at a tab position (0 to 27), and back.
constexpr Controle Controle_Saisie(int tabulation) { return static_cast<Controle>(tabulation); }
constexpr int Tabulation(Controle c) { return static_cast<int>(c); }
constexpr bool Est_Controle_Saisie(Controle c) { return Tabulation(c) < Nombre_Controles_Saisie; }

// The name of a control as the rules write it, for messages of tests and traces.
const char* Nom_Controle(Controle c);
