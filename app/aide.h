#pragma once

// The help window: the HTML help document, opened at its table of contents
// or at the topic of a help context.

#include <QWidget>

class QDialog;
class QTextBrowser;

// Help contexts of the dialogs: the topics of the help document they open at.
constexpr int Aide_Lieu = 1011;
constexpr int Aide_Import = 1012;
constexpr int Aide_Ajustement = 1013;
constexpr int Aide_Catalogues = 1014;
constexpr int Aide_Connexion_Monture = 1007;

class Fenetre_Aide : public QWidget {
public:
    explicit Fenetre_Aide(QWidget* parent);

    // Shows the document; a help context of 0 opens it at its table of contents.
    void Ouvrir(const QString& fichier, int contexte = 0);
    QTextBrowser* Navigateur() const { return navigateur_; }

private:
    QTextBrowser* navigateur_;
};

// While a modal dialog is open, F1 in it shows the help at its topic. The
// dialog blocks every other window but its own, so the help window is the
// dialog's for that time and goes back to its owner afterwards.
class Aide_Dans_Dialogue {
public:
    Aide_Dans_Dialogue(QDialog& dialogue, Fenetre_Aide& aide, const QString& fichier, int contexte);
    ~Aide_Dans_Dialogue();
    Aide_Dans_Dialogue(const Aide_Dans_Dialogue&) = delete;
    Aide_Dans_Dialogue& operator=(const Aide_Dans_Dialogue&) = delete;

private:
    QDialog& dialogue_;
    Fenetre_Aide& aide_;
    QWidget* proprietaire_;
};

// The anchor of a help context's topic in the help document ("c1002"), or
// of the table of contents ("sommaire") for 0.
QString Ancre_Contexte(int contexte);
