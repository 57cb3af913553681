#pragma once

// The help window: the HTML help document, opened at its table of contents
// or at the topic of a help context.

#include <QWidget>

class QTextBrowser;

class Fenetre_Aide : public QWidget {
public:
    explicit Fenetre_Aide(QWidget* parent);

    // Shows the document; a help context of 0 opens it at its table of contents.
    void Ouvrir(const QString& fichier, int contexte = 0);
    QTextBrowser* Navigateur() const { return navigateur_; }

private:
    QTextBrowser* navigateur_;
};

// The anchor of a help context's topic in the help document ("c1002"), or
// of the table of contents ("sommaire") for 0.
QString Ancre_Contexte(int contexte);
