#include "document/configuration.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cerrno>

#include "document/cp1252.h"
#include "document/fichier_elements.h"
#include "document/fichier_ordinaire.h"
#include "document/raison_echec.h"
#include "form/textes_nombres.h"

namespace {

// The error code of a write that just failed. Where the toolkit refused it
// without a system call failing (a folder, a file it may not replace), the
// system's own answer to whether the file, or else its folder, may be
// written.
int Code_Echec(const QString& nom) {
    if (errno != 0) return errno;
    const QFileInfo info(nom);
    if (info.isDir()) return EISDIR;
    const QByteArray cible = QFile::encodeName(info.exists() ? nom : info.absolutePath());
    return ::access(cible.constData(), W_OK) == 0 ? 0 : errno;
}

const QString Sous_Dossier = QStringLiteral("Trajectel/");
const QString Nom_Programme = QStringLiteral("Trajectel");
const QString Option = QStringLiteral("Vrai");
const QString Titre_Lecture = QStringLiteral("Trajectel - Initialisation");
const QString Erreur_Lecture = QStringLiteral("Erreur de lecture du fichier Trajectel.ini");
const QString Titre_Ecriture = QStringLiteral("Trajectel - Configuration");
const QString Erreur_Creation = QStringLiteral("Erreur d'écriture du fichier Trajectel.ini");

// A path is at most 4096 bytes on Linux: no line of ours is longer, and a
// file written by hand is read no further than 17 such lines.
constexpr qsizetype Longueur_Max_Ligne = 4096;                                             // characters
constexpr qint64 Taille_Max_Lue = Nombre_Lignes_Configuration * (Longueur_Max_Ligne + 2);  // bytes

// Pixels of the default placement.
constexpr int32_t Largeur_Defaut = 600;
constexpr int32_t Hauteur_Defaut = 830;
constexpr int32_t Marge_Ecran = 20;  // a left or top this close to the screen's edge is off-screen
// Window coordinates are 16-bit on X11 and Windows: a position further left
// or up is no screen's, and would overflow the geometry's arithmetic.
constexpr int32_t Coordonnee_Min = -32768;

// Numbers of line 2.
constexpr int32_t Etat_Normal = 0;
constexpr int32_t Etat_Minimise = 1;
constexpr int32_t Etat_Maximise = 2;

// Characters 2 to 10 of the section line.
constexpr qsizetype Debut_Nom_Section = 1;

// The file's lines, each cut to its maximum length, without line ends.
QStringList Lire_Lignes(QIODevice& fichier) {
    const QByteArray contenu = fichier.read(Taille_Max_Lue);
    if (contenu.isEmpty()) return {};
    QList<QByteArray> morceaux = contenu.split('\n');
    if (contenu.endsWith('\n')) morceaux.removeLast();
    QStringList lignes;
    for (qsizetype k = 0; k < morceaux.size() && k < Nombre_Lignes_Configuration; ++k) {
        QByteArray& m = morceaux[k];
        if (m.endsWith('\r')) m.chop(1);
        lignes.append(Decoder_Cp1252(m.left(Longueur_Max_Ligne)));
    }
    return lignes;
}

// "Next line": past the last line, the file is faulty.
struct Lecteur_Configuration {
    QStringList lignes;
    bool& erreur;
    qsizetype suivante = 0;

    bool Fin() const { return suivante >= lignes.size(); }
    QString Ligne_Suivante() {
        if (Fin()) {
            erreur = true;
            return {};
        }
        return lignes[suivante++];
    }
    // Lines 2 to 6: cleaned, then a whole number; 0 for anything else.
    int32_t Entier_Suivant() {
        int32_t valeur = 0;
        if (!Lire_Entier(Nettoyer_Ligne(Ligne_Suivante()), valeur)) {
            erreur = true;
            return 0;
        }
        return valeur;
    }
};

// One of lines 3 to 6: the value is replaced when the screen cannot show it.
struct Dimension {
    int32_t (*limite)(QSize ecran);
    int32_t plancher;
    int32_t remplacement;
    void (*ecrire)(QRect& fenetre, int32_t valeur);
};

const std::array<Dimension, 4> Dimensions = {{
    {[](QSize e) { return e.width(); }, 0, Largeur_Defaut, [](QRect& f, int32_t v) { f.setWidth(v); }},
    {[](QSize e) { return e.height(); }, 0, Hauteur_Defaut, [](QRect& f, int32_t v) { f.setHeight(v); }},
    {[](QSize e) { return e.width() - Marge_Ecran; }, Coordonnee_Min, 0,
     [](QRect& f, int32_t v) { f.moveLeft(v); }},
    {[](QSize e) { return e.height() - Marge_Ecran; }, Coordonnee_Min, 0,
     [](QRect& f, int32_t v) { f.moveTop(v); }},
}};

void Lire_Etat(Lecteur_Configuration& l, Contexte_Configuration& ctx) {
    const int32_t etat = l.Entier_Suivant();
    if (!l.erreur) {
        if (etat == Etat_Normal) ctx.boite.Ecrire_Etat_Principale(Etat_Fenetre::Normale);
        if (etat == Etat_Minimise) ctx.boite.Ecrire_Etat_Principale(Etat_Fenetre::Minimisee);
        if (etat == Etat_Maximise) ctx.boite.Ecrire_Etat_Principale(Etat_Fenetre::Maximisee);
    }
    ctx.configuration.Etat_Fenetre = etat;
}

void Lire_Placement(Lecteur_Configuration& l, Boite_Outils& boite) {
    const QSize ecran = boite.Taille_Ecran();
    for (const Dimension& d : Dimensions) {
        int32_t valeur = l.Entier_Suivant();
        if (valeur > d.limite(ecran) || valeur < d.plancher) valeur = d.remplacement;
        if (l.erreur) continue;
        QRect fenetre = boite.Geometrie(Controle::Principale);
        d.ecrire(fenetre, valeur);
        boite.Placer(Controle::Principale, fenetre);
    }
}

void Lire_Historique(Lecteur_Configuration& l, Historique& historique) {
    for (QString& entree : historique.Entrees) {
        if (l.erreur) return;
        entree = l.Ligne_Suivante();
    }
}

int32_t Numero_Etat(Etat_Fenetre etat, int32_t lu_au_demarrage) {
    switch (etat) {
        case Etat_Fenetre::Maximisee:
            return Etat_Maximise;
        case Etat_Fenetre::Minimisee:
            return lu_au_demarrage;
        case Etat_Fenetre::Normale:
            break;
    }
    return Etat_Normal;
}

// A line break in a path would shift every following line of the file.
QString Entree_Ecrite(const QString& entree) {
    return entree.contains(u'\n') || entree.contains(u'\r') ? QString() : entree;
}

}  // namespace

QString Dossier_Configuration() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base =
        !xdg.isEmpty() && QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.config");
    return base.endsWith(u'/') ? base + Sous_Dossier : base + u'/' + Sous_Dossier;
}

QString Nettoyer_Ligne(const QString& ligne) {
    QString texte = ligne;
    if (texte.startsWith(u'"')) texte = texte.size() > 1 ? texte.mid(1, texte.size() - 2) : QString();
    while (texte.endsWith(u' ')) texte.chop(1);
    return texte;
}

void Placement_Par_Defaut(Boite_Outils& boite) {
    boite.Ecrire_Etat_Principale(Etat_Fenetre::Normale);
    const QSize ecran = boite.Taille_Ecran();
    QRect fenetre = boite.Geometrie(Controle::Principale);
    if (ecran.width() > Largeur_Defaut) fenetre.setWidth(Largeur_Defaut);
    if (ecran.height() > Hauteur_Defaut) fenetre.setHeight(Hauteur_Defaut);
    fenetre.moveTo(0, 0);
    boite.Placer(Controle::Principale, fenetre);
}

void Lire_Configuration(Contexte_Configuration& ctx, QIODevice& fichier) {
    bool& erreur = ctx.document.Erreur_Fichier;
    erreur = false;
    Lecteur_Configuration l{Lire_Lignes(fichier), erreur};
    const QString section = l.Ligne_Suivante();
    if (section.mid(Debut_Nom_Section, Nom_Programme.size()) != Nom_Programme) {
        erreur = true;
    } else {
        Lire_Etat(l, ctx);
        Lire_Placement(l, ctx.boite);
        l.Ligne_Suivante();  // line 7, the option: read, never used
        Lire_Historique(l, ctx.historique);
    }
    if (erreur) {
        ctx.boite.Avertissement(Titre_Lecture, Erreur_Lecture);
        Placement_Par_Defaut(ctx.boite);
    }
}

void Charger_Configuration(Contexte_Configuration& ctx) {
    const QString chemin = ctx.configuration.Dossier_Configuration + Nom_Fichier_Configuration;
    // A pipe or a device in its place would block or never end.
    QFile fichier(chemin);
    if (!Ouvrir_Fichier_Ordinaire(fichier)) {
        Placement_Par_Defaut(ctx.boite);
        return;
    }
    Lire_Configuration(ctx, fichier);
    fichier.close();
    if (ctx.document.Erreur_Fichier) Placement_Par_Defaut(ctx.boite);
}

QStringList Lignes_Configuration(const Contexte_Configuration& ctx) {
    const QRect fenetre = ctx.boite.Geometrie(Controle::Principale);
    QStringList lignes = {
        QStringLiteral("[Trajectel ") + ctx.Version_Programme + u']',
        QString::number(Numero_Etat(ctx.boite.Etat_Principale(), ctx.configuration.Etat_Fenetre)),
        QString::number(fenetre.width()),
        QString::number(fenetre.height()),
        QString::number(fenetre.x()),
        QString::number(fenetre.y()),
        Option,
    };
    for (const QString& entree : ctx.historique.Entrees) lignes.append(Entree_Ecrite(entree));
    return lignes;
}

void Ecrire_Configuration(Contexte_Configuration& ctx) {
    const QString dossier = ctx.configuration.Dossier_Configuration;
    QDir().mkpath(dossier);
    const QString chemin = dossier + Nom_Fichier_Configuration;
    const Ecriture_Fichier e =
        Ecrire_Fichier_Entier(chemin, Encoder_Lignes_Elements(Lignes_Configuration(ctx)));
    const QString message = Message_Echec(Erreur_Creation, chemin, e.code, e.erreur);
    if (e.resultat == Ecriture_Fichier::Resultat::Echec_Creation)
        ctx.boite.Avertissement(Titre_Ecriture, message);
    if (e.resultat == Ecriture_Fichier::Resultat::Echec_Ecriture) ctx.boite.Message_Erreur(message);
}

namespace {

// A short write is tried again, so that the failure that stops it brings its
// reason (a full disk, a file size limit).
bool Tout_Ecrire(QIODevice& fichier, const QByteArray& contenu) {
    for (qint64 ecrit = 0; ecrit < contenu.size();) {
        const qint64 n = fichier.write(contenu.constData() + ecrit, contenu.size() - ecrit);
        if (n <= 0) return false;
        ecrit += n;
    }
    return true;
}

}  // namespace

Ecriture_Fichier Ecrire_Fichier_Entier(const QString& nom, const QByteArray& contenu,
                                       const std::function<void()>& avant_remplacement) {
    using R = Ecriture_Fichier::Resultat;
    QSaveFile fichier(nom);
    // errno is read right after the call that failed; cleared before each,
    // so that an old code is not taken for its reason. Unbuffered, so that a
    // write cut short is seen at once and retried.
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {R::Echec_Creation, fichier.errorString(), Code_Echec(nom)};
    errno = 0;
    if (!Tout_Ecrire(fichier, contenu) || !fichier.flush()) {
        const Ecriture_Fichier e{R::Echec_Ecriture, fichier.errorString(), Code_Echec(nom)};
        fichier.cancelWriting();
        return e;
    }
    if (avant_remplacement) avant_remplacement();
    errno = 0;
    if (!fichier.commit()) return {R::Echec_Ecriture, fichier.errorString(), Code_Echec(nom)};
    return {R::Ecrit, {}};
}
