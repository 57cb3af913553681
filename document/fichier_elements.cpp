#include "document/fichier_elements.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "astro/calendrier.h"
#include "document/cp1252.h"
#include "document/fichier_lois_epoque.h"
#include "document/fichier_ordinaire.h"
#include "form/affichage_elements.h"
#include "form/angle_perihelie.h"
#include "form/dates_juliennes.h"
#include "form/disposition_fiche.h"
#include "form/formulaire.h"
#include "plateforme/boite_memoire.h"
#include "plateforme/erreur_generale.h"

namespace {

const QString Entete = QStringLiteral("Trajectel version ");
const QString Titre_Ouverture = QStringLiteral("Trajectel - Ouvrir un fichier");
const QString Titre_Lecture = QStringLiteral("Trajectel - Lecture d'un fichier");
const QString Erreur_Ouverture = QStringLiteral("Erreur d'ouverture de fichier");
const QString Erreur_Lecture = QStringLiteral("Erreur de lecture du fichier");
// The first fault of a refused file, on the line after Erreur_Lecture.
const QString Ligne_Faute = QStringLiteral("ligne %1 : %2");
const QString Raison_Fin = QStringLiteral("le fichier s'arrête avant cette ligne");
const QString Raison_Entier = QStringLiteral("« %1 » n'est pas un nombre entier");
const QString Raison_Refusee = QStringLiteral("« %1 » n'est pas une valeur acceptée");
const QString Raison_Lois = QStringLiteral(
    "loi de magnitude, époque d'osculation (années 1 à 9999) ou A1, A2, A3 illisible, à partir de cette "
    "ligne");

// Shorter headers announce the legacy layout.
constexpr qsizetype Longueur_Entete_Courante = 16;
// In a legacy header, the 11th character is the major version; from 3 on the
// file carries the magnitude block.
constexpr qsizetype Position_Version = 10;
constexpr char16_t Version_Sans_Magnitudes = u'2';

// What is read of a file, whatever it holds: an element file is about 700
// bytes and 20 lines, with some twenty more for its laws and epoch; the
// legacy layout has 24 lines.
constexpr qint64 Taille_Max_Lue = 1 << 20;  // bytes
constexpr qsizetype Lignes_Max = 64;
constexpr qsizetype Longueur_Max_Ligne = 4096;  // characters

constexpr double Jour_Nul = 0.0001;  // days: a perihelion day this small is no day
// The perihelion day keeps what a field or a file gave it: a Julian day
// field holds six decimals, a file as many as its writer put there.
const char* const Motif_Jour_Perihelie = "#0.########";
const char* const Motif_Angle = "#0.##########";
const char* const Motif_Equinoxe = "#0.#######";

// ---- The frame a read writes on ----

// Keeps what the read writes, for the read's answer, and each write in
// order, for the form to make it again on its own frame.
class Cadre_Lecture : public Boite_Memoire {
public:
    explicit Cadre_Lecture(Lecture_Elements& lecture) : lecture_(lecture) {}

    void Ecrire_Texte(Controle c, const QString& texte) override {
        Boite_Memoire::Ecrire_Texte(c, texte);
        lecture_.Textes[c] = texte;
        Noter([c, texte](Boite_Outils& b) { b.Ecrire_Texte(c, texte); });
    }
    void Ecrire_Police(Controle c, const QString& nom) override {
        Boite_Memoire::Ecrire_Police(c, nom);
        lecture_.Polices[c] = nom;
        Noter([c, nom](Boite_Outils& b) { b.Ecrire_Police(c, nom); });
    }
    void Ecrire_Indice(Controle c, const QString& indice) override {
        Boite_Memoire::Ecrire_Indice(c, indice);
        Noter([c, indice](Boite_Outils& b) { b.Ecrire_Indice(c, indice); });
    }
    void Montrer(Controle c, bool visible) override {
        Boite_Memoire::Montrer(c, visible);
        Noter([c, visible](Boite_Outils& b) { b.Montrer(c, visible); });
    }
    void Activer(Controle c, bool actif) override {
        Boite_Memoire::Activer(c, actif);
        Noter([c, actif](Boite_Outils& b) { b.Activer(c, actif); });
    }
    void Cocher(Controle c, bool coche) override {
        Boite_Memoire::Cocher(c, coche);
        Noter([c, coche](Boite_Outils& b) { b.Cocher(c, coche); });
    }

private:
    void Noter(std::function<void(Boite_Outils&)> ecriture) {
        lecture_.Ecritures.push_back(std::move(ecriture));
    }
    Lecture_Elements& lecture_;
};

// ---- Lines of the file ----

QStringList Decouper_Lignes(const QByteArray& contenu) {
    QStringList lignes;
    qsizetype debut = 0;
    while (debut < contenu.size() && lignes.size() < Lignes_Max) {
        qsizetype fin = contenu.indexOf('\n', debut);
        if (fin < 0) fin = contenu.size();
        qsizetype longueur = fin - debut;
        if (longueur > 0 && contenu[fin - 1] == '\r') --longueur;
        lignes.append(Decoder_Cp1252(contenu.mid(debut, std::min(longueur, Longueur_Max_Ligne))));
        debut = fin + 1;
    }
    return lignes;
}

// A text in double quotes loses its first and last characters.
void Oter_Guillemets(QString& texte) {
    if (texte.startsWith(u'"')) texte = texte.size() > 1 ? texte.mid(1, texte.size() - 2) : QString();
}

// The value of a labelled line: after the label, before the unit; empty when
// the line is too short to hold both.
QString Valeur_Ligne(const QString& ligne, const Libelle_Fichier& libelle) {
    const qsizetype n = libelle.Libelle.size();
    const qsizetype m = libelle.Unite.size();
    if (ligne.size() < n + m) return {};
    return ligne.mid(n, ligne.size() - n - m);
}

struct Lecteur {
    Lecteur(Contexte_Document& contexte, QStringList lignes_du_fichier)
        : ctx(contexte), lignes(std::move(lignes_du_fichier)) {}

    Contexte_Document& ctx;
    QStringList lignes;
    qsizetype suivante = 0;
    QString ligne;  // the last line read, kept when the file has no more
    bool Lecture_Complete = true;
    bool Erreur_Format = false;
    bool Ancienne = false;          // legacy layout: any line may be quoted
    bool Garder_Ligne = false;      // the next step takes the current line again
    std::vector<Controle> Refuses;  // fields whose value the form refuses
    // The first fault: its line in the file, from 1, and why.
    qsizetype ligne_faute = 0;
    QString raison;

    void Faute(qsizetype numero, const QString& pourquoi) {
        if (ligne_faute != 0) return;
        ligne_faute = numero;
        raison = pourquoi;
    }
    void Lire_Ligne() {
        if (suivante >= lignes.size()) {
            if (Lecture_Complete) Faute(suivante + 1, Raison_Fin);
            Lecture_Complete = false;
            return;
        }
        ligne = lignes[suivante++];
        if (Ancienne) Oter_Guillemets(ligne);
    }
    char Separateur() const { return ctx.notation.Separateur_Decimal; }
};

// ---- What each line does ----

// The whole text a 32-bit integer: leading blanks, one sign, digits only.
bool Entier_Fichier(const QString& texte, int32_t& valeur) {
    constexpr int64_t Limite = int64_t{1} << 31;
    qsizetype k = 0;
    while (k < texte.size() && (texte[k] == u' ' || texte[k] == u'\t')) ++k;
    const bool negatif = k < texte.size() && texte[k] == u'-';
    if (k < texte.size() && (texte[k] == u'-' || texte[k] == u'+')) ++k;
    if (k == texte.size()) return false;
    int64_t n = 0;
    for (; k < texte.size(); ++k) {
        const char16_t c = texte[k].unicode();
        if (c < u'0' || c > u'9') return false;
        n = n * 10 + (c - u'0');
        if (n > Limite) return false;
    }
    if (negatif) n = -n;
    if (n >= Limite) return false;
    valeur = static_cast<int32_t>(n);
    return true;
}

// Every line is read by one of these, given the value and the field it fills.
using Lecture_Ligne = void (*)(Lecteur& l, const QString& valeur, Controle champ);

void Lire_Commentaire(Lecteur& l, const QString& valeur, Controle champ) {
    l.ctx.boite.Ecrire_Texte(champ, valeur);
}

// Normalised text into the element, then into its field.
template <double Elements::*element>
void Lire_Element(Lecteur& l, const QString& valeur, Controle champ) {
    const QString texte = Normaliser_Separateur(valeur, l.Separateur());
    l.ctx.el.*element = Valeur_Reelle(texte, l.Separateur(), l.ctx.document);
    l.ctx.boite.Ecrire_Texte(champ, texte);
}

void Lire_Distance(Lecteur& l, const QString& valeur, Controle champ) {
    Lire_Element<&Elements::q>(l, valeur, champ);
    Elements& el = l.ctx.el;
    if (!Orbite_Parabolique(el.e)) el.a = el.q / (1 - el.e);
}

// The node completes the angles: the field goes back to the argument of perihelion.
void Lire_Noeud(Lecteur& l, const QString& valeur, Controle champ) {
    Lire_Element<&Elements::gOmega>(l, valeur, champ);
    Elements& el = l.ctx.el;
    el.Longitude_Perihelie = el.Omega + el.gOmega;
    Afficher_Argument(el, l.ctx.boite, l.ctx.notation);
}

void Lire_Jour_Perihelie(Lecteur& l, const QString& valeur, Controle champ) {
    Lire_Element<&Elements::Jour_Perihelie>(l, valeur, champ);
    if (!(l.ctx.el.Jour_Perihelie > Jour_Nul)) l.ctx.boite.Ecrire_Texte(champ, {});
}

template <int32_t Elements::*element>
void Lire_Entier_Perihelie(Lecteur& l, const QString& valeur, Controle champ) {
    int32_t n = 0;
    if (!Entier_Fichier(valeur, n)) {
        l.Erreur_Format = true;
        l.Faute(l.suivante, Raison_Entier.arg(valeur));
        return;
    }
    l.ctx.el.*element = n;
    l.ctx.boite.Ecrire_Texte(champ, valeur == u"0" ? QString() : valeur);
}

// A year up to the start of the Gregorian calendar, or one whose Julian day
// cannot be computed, leaves the equinox unset; a text that is no number
// stays in the field and changes nothing else.
template <double Elements::*annee, double Elements::*jj>
void Lire_Equinoxe(Lecteur& l, const QString& valeur, Controle champ) {
    Boite_Outils& boite = l.ctx.boite;
    boite.Ecrire_Texte(champ, Normaliser_Separateur(valeur, l.Separateur()));
    const QString texte = boite.Texte(champ);
    double x = 0;
    if (Classe_Nombre(texte) == 0 || !Lire_Reel(texte, l.Separateur(), x)) return;
    const double jj_x = Annee_Vers_JJ(x);
    const bool donnee = x > Date_Debut_Gregorien && std::isfinite(jj_x);
    l.ctx.el.*annee = donnee ? x : 0;
    l.ctx.el.*jj = donnee ? jj_x : 0;
    boite.Ecrire_Texte(champ, donnee ? Texte_Motif(x, Motif_Equinoxe, l.ctx.notation) : QString());
}

// Magnitudes and days may carry a separator; months and years may not.
template <bool normaliser>
void Lire_Magnitude(Lecteur& l, const QString& valeur, Controle champ) {
    const QString texte = normaliser ? Normaliser_Separateur(valeur, l.Separateur()) : valeur;
    l.ctx.boite.Ecrire_Texte(champ, texte == u"0" ? QString() : texte);
}

void Lire_Reel_Ignore(Lecteur& l, const QString& valeur, Controle) {
    Valeur_Reelle(Normaliser_Separateur(valeur, l.Separateur()), l.Separateur(), l.ctx.document);
}

// An integer that does not convert leaves its line to the next step.
void Lire_Entier_Ignore(Lecteur& l, const QString& valeur, Controle) {
    int32_t n = 0;
    if (Entier_Fichier(valeur, n)) return;
    l.Erreur_Format = true;
    l.Faute(l.suivante, Raison_Entier.arg(valeur));
    l.Garder_Ligne = true;
}

struct Etape {
    Lecture_Ligne lire;
    Controle champ;
};

constexpr Controle Aucun_Champ = Controle::Nombre_Controles;

constexpr std::array<Etape, 9> Etapes_Elements = {{
    {Lire_Commentaire, Controle::Commentaire},
    {Lire_Element<&Elements::e>, Controle::saisie_e},
    {Lire_Distance, Controle::saisie_q},
    {Lire_Element<&Elements::i>, Controle::saisie_i},
    {Lire_Element<&Elements::Omega>, Controle::saisie_Omega},
    {Lire_Noeud, Controle::saisie_gOmega},
    {Lire_Jour_Perihelie, Controle::saisie_Jour_Perihelie},
    {Lire_Entier_Perihelie<&Elements::Mois_Perihelie>, Controle::saisie_Mois_Perihelie},
    {Lire_Entier_Perihelie<&Elements::An_Perihelie>, Controle::saisie_An_Perihelie},
}};

constexpr std::array<Etape, 2> Etapes_Equinoxes = {{
    {Lire_Equinoxe<&Elements::Equinoxe, &Elements::JJ_Equinoxe>, Controle::Equinoxe},
    {Lire_Equinoxe<&Elements::Equinoxe_ephemeride, &Elements::JJ_Equinoxe_ephemeride>,
     Controle::Equinoxe_ephemeride},
}};

// Two reals and two integers of the legacy layout that nothing uses any more.
constexpr std::array<Etape, 4> Etapes_Anciennes_Ignorees = {{
    {Lire_Reel_Ignore, Aucun_Champ},
    {Lire_Reel_Ignore, Aucun_Champ},
    {Lire_Entier_Ignore, Aucun_Champ},
    {Lire_Entier_Ignore, Aucun_Champ},
}};

constexpr std::array<Etape, 8> Etapes_Magnitudes = {{
    {Lire_Magnitude<true>, Controle::Saisie_MT},
    {Lire_Magnitude<true>, Controle::Saisie_JMT},
    {Lire_Magnitude<false>, Controle::Saisie_MMT},
    {Lire_Magnitude<false>, Controle::Saisie_AMT},
    {Lire_Magnitude<true>, Controle::Saisie_MN},
    {Lire_Magnitude<true>, Controle::Saisie_JMN},
    {Lire_Magnitude<false>, Controle::Saisie_MMN},
    {Lire_Magnitude<false>, Controle::Saisie_AMN},
}};

template <std::size_t N>
void Ajouter(std::vector<Etape>& plan, const std::array<Etape, N>& etapes) {
    plan.insert(plan.end(), etapes.begin(), etapes.end());
}

std::vector<Etape> Plan_Courant() {
    std::vector<Etape> plan;
    Ajouter(plan, Etapes_Elements);
    Ajouter(plan, Etapes_Equinoxes);
    Ajouter(plan, Etapes_Magnitudes);
    return plan;
}

std::vector<Etape> Plan_Ancien(const QString& entete) {
    std::vector<Etape> plan;
    Ajouter(plan, Etapes_Elements);
    Ajouter(plan, Etapes_Anciennes_Ignorees);
    Ajouter(plan, Etapes_Equinoxes);
    if (entete.size() > Position_Version + 1 && entete[Position_Version] > Version_Sans_Magnitudes) {
        Ajouter(plan, Etapes_Magnitudes);
    }
    return plan;
}

// What a refused value leaves unset beside its field.
void Oublier_Valeur(Elements& el, Controle champ) {
    switch (champ) {
        case Controle::saisie_e:
            el.e = 0;
            break;
        case Controle::saisie_q:
            el.q = 0;
            el.a = 0;
            break;
        case Controle::saisie_i:
            el.i = 0;
            break;
        case Controle::saisie_Omega:
            el.Omega = 0;
            break;
        case Controle::saisie_gOmega:
            el.gOmega = 0;
            el.Longitude_Perihelie = el.Omega;
            break;
        case Controle::saisie_Jour_Perihelie:
            el.Jour_Perihelie = 0;
            break;
        case Controle::saisie_Mois_Perihelie:
            el.Mois_Perihelie = 0;
            break;
        case Controle::saisie_An_Perihelie:
            el.An_Perihelie = 0;
            break;
        case Controle::Equinoxe:
            el.Equinoxe = 0;
            el.JJ_Equinoxe = 0;
            break;
        case Controle::Equinoxe_ephemeride:
            el.Equinoxe_ephemeride = 0;
            el.JJ_Equinoxe_ephemeride = 0;
            break;
        default:  // the magnitudes live in their fields alone
            break;
    }
}

// A value the entry form would refuse, had it been typed, is not taken from
// a file either: its field is left empty and the read reports a fault. The
// file's "0" for an empty field, and what the line's own rule already
// emptied, are no such value; neither is an integer that did not convert,
// which has its own fault.
void Verifier_Valeur(Lecteur& l, Controle champ, const QString& valeur, bool erreur_format_avant) {
    Contexte_Document& ctx = l.ctx;
    if (champ == Aucun_Champ || champ == Controle::Commentaire || valeur.isEmpty() || valeur == u"0") return;
    if (ctx.boite.Texte(champ).isEmpty() || l.Erreur_Format != erreur_format_avant) return;
    if (Valeur_Prise(champ, Normaliser_Separateur(valeur, l.Separateur()), ctx.el, ctx.notation)) return;
    ctx.boite.Ecrire_Texte(champ, {});
    Oublier_Valeur(ctx.el, champ);
    l.Refuses.push_back(champ);
    l.Faute(l.suivante, Raison_Refusee.arg(valeur));
}

void Lire_Etapes(Lecteur& l, const std::vector<Etape>& plan) {
    for (std::size_t k = 0; k < plan.size(); ++k) {
        if (!l.Garder_Ligne) l.Lire_Ligne();
        l.Garder_Ligne = false;
        const QString valeur = l.Ancienne ? l.ligne : Valeur_Ligne(l.ligne, Libelles_Fichier[k]);
        const bool erreur_format = l.Erreur_Format;
        plan[k].lire(l, valeur, plan[k].champ);
        Verifier_Valeur(l, plan[k].champ, valeur, erreur_format);
    }
}

void Activer_Enregistrer(Boite_Outils& boite, bool actif) {
    boite.Activer(Controle::ToolEnregistrer, actif);
    boite.Activer(Controle::Enregistrer, actif);
}

// The lines after the element set: its laws and epoch, or the program's own
// laws and no epoch.
void Lire_Lois_Epoque(Lecteur& l) {
    Elements& el = l.ctx.el;
    if (l.Ancienne || l.suivante >= l.lignes.size()) return;
    const QStringList suite = l.lignes.mid(l.suivante);
    if (Lire_Lignes_Lois_Epoque(suite, l.Separateur(), el.Lois, el.Epoque)) return;
    l.Erreur_Format = true;
    l.Faute(l.suivante + 1, Raison_Lois);
}

// A file of the legacy layout is offered for saving in the current one.
void Lire_Disposition(Lecteur& l) {
    l.ctx.el.Lois = {};
    l.ctx.el.Epoque = {};
    l.Lire_Ligne();
    Oter_Guillemets(l.ligne);
    const QString entete = l.ligne;
    l.Ancienne = entete.size() < Longueur_Entete_Courante;
    Lire_Etapes(l, l.Ancienne ? Plan_Ancien(entete) : Plan_Courant());
    Lire_Lois_Epoque(l);
}

// While the perihelion is shown as a Julian day, its field holds a Julian
// day, which the display of the elements takes as the perihelion: the
// calendar date just read is turned into one first, or the field emptied
// when the file holds no date.
void Perihelie_En_Jour_Julien(Contexte_Document& ctx) {
    Elements& el = ctx.el;
    const bool date = el.Jour_Perihelie > Jour_Nul && el.Mois_Perihelie >= 1 && el.Mois_Perihelie <= 12;
    el.JJ_Perihelie =
        date ? Date_Vers_JJ(el.Mois_Perihelie, static_cast<float>(el.An_Perihelie), el.Jour_Perihelie) : 0;
    Afficher_JJ_Perihelie(el, ctx.boite, ctx.notation);
}

bool Refuse(const Lecteur& l, Controle champ) {
    return std::find(l.Refuses.begin(), l.Refuses.end(), champ) != l.Refuses.end();
}

// The element set completed from what was read, and shown as the frame shows it.
void Terminer_Elements(const Lecteur& l) {
    Contexte_Document& ctx = l.ctx;
    Boite_Outils& boite = ctx.boite;
    if (boite.Coche(Controle::Julienne)) Perihelie_En_Jour_Julien(ctx);
    Recalculer_Excentricite(ctx.el, boite, ctx.formulaire.Entree(Controle::saisie_e), ctx.notation);
    // Without its eccentricity the orbit has no size either: the distance
    // read alone would give a semi-major axis that the next eccentricity
    // typed keeps, and a wrong perihelion distance with it.
    if (Refuse(l, Controle::saisie_e)) {
        for (double Elements::*taille : {&Elements::q, &Elements::a, &Elements::n, &Elements::gQ}) {
            ctx.el.*taille = 0;
        }
    }
    Afficher_Elements(ctx.el, boite, ctx.notation);
    if (boite.Coche(Controle::Julienne)) Afficher_JJ_Perihelie(ctx.el, boite, ctx.notation);
}

void Garder_Fautes(const Lecteur& l, Lecture_Elements& lecture) {
    lecture.Ancienne = l.Ancienne;
    lecture.Complete = l.Lecture_Complete;
    lecture.Erreur_Format = l.Erreur_Format;
    lecture.Refuses = l.Refuses;
    lecture.Ligne_Faute = l.ligne_faute;
    lecture.Raison = l.raison;
}

// The page waits for each refused field to hold something else than the
// read left there.
void Signaler_Champs_A_Corriger(const Contexte_Document& ctx, const Lecture_Elements& lecture) {
    Etat_Page* page = ctx.page;
    if (page == nullptr) return;
    page->Champs_A_Corriger.clear();
    for (Controle champ : lecture.Refuses)
        page->Champs_A_Corriger.emplace_back(champ, ctx.boite.Texte(champ));
}

Depart_Lecture Depart_Du_Formulaire(const Contexte_Document& ctx) {
    return {ctx.notation, ctx.el, ctx.boite.Coche(Controle::Julienne),
            ctx.formulaire.Entree(Controle::saisie_e)};
}

// The read shown on the form's own frame, as the file was read on it.
void Montrer_Lecture(Contexte_Document& ctx, const Lecture_Elements& lecture) {
    Boite_Outils& boite = ctx.boite;
    ctx.el = lecture.el;
    for (const auto& ecriture : lecture.Ecritures) ecriture(boite);
    if (lecture.Erreur_Fichier) ctx.document.Erreur_Fichier = *lecture.Erreur_Fichier;
    if (lecture.Arret) throw Erreur_Generale(*lecture.Arret);
    Activer_Enregistrer(boite, lecture.Ancienne);
    ctx.document.Modifie = false;
    Mettre_A_Jour_Historique(ctx.historique, ctx.document, boite);
    ctx.formulaire.Entree(Controle::Commentaire) = boite.Texte(Controle::Commentaire).trimmed();
    boite.Selectionner_Tout(Controle::Commentaire);
    Signaler_Champs_A_Corriger(ctx, lecture);
    if (const std::optional<Avertissement_Lecture> a = Avertissement_De(lecture)) {
        boite.Bip();
        boite.Avertissement(a->Titre, a->Texte);
    }
}

// ---- Writing ----

// The text of a field as the file stores it: "," as separator, "0" for nothing.
QString Valeur_Champ(const Boite_Outils& boite, Controle champ) {
    const QString texte = Forcer_Virgule(boite.Texte(champ));
    return texte.isEmpty() ? QStringLiteral("0") : texte;
}

// The file always holds the argument of perihelion.
QString Valeur_Argument(const Contexte_Document& ctx) {
    if (ctx.boite.Texte(Controle::Label15) == Legende_Argument) {
        return Valeur_Champ(ctx.boite, Controle::saisie_Omega);
    }
    if (!(ctx.el.Omega > 0)) return QStringLiteral("0");
    return Forcer_Virgule(Texte_Motif(ctx.el.Omega, Motif_Angle, ctx.notation));
}

std::vector<QString> Valeurs_Elements(const Contexte_Document& ctx) {
    const Boite_Outils& boite = ctx.boite;
    const Elements& el = ctx.el;
    const char sep = ctx.notation.Separateur_Decimal;
    std::vector<QString> v = {
        boite.Texte(Controle::Commentaire),
        Valeur_Champ(boite, Controle::saisie_e),
        Valeur_Champ(boite, Controle::saisie_q),
        Valeur_Champ(boite, Controle::saisie_i),
        Valeur_Argument(ctx),
        Valeur_Champ(boite, Controle::saisie_gOmega),
        Forcer_Virgule(Texte_Motif(el.Jour_Perihelie, Motif_Jour_Perihelie, ctx.notation)),
        QString::number(el.Mois_Perihelie),
        QString::number(el.An_Perihelie),
        Texte_General(el.Equinoxe, sep),
        Texte_General(el.Equinoxe_ephemeride, sep)};
    for (const Etape& e : Etapes_Magnitudes) v.push_back(Valeur_Champ(boite, e.champ));
    return v;
}

// A pasted comment may hold line breaks; each would split its line and shift
// every following one.
QString Sans_Sauts_De_Ligne(const QString& texte) {
    QString resultat = texte;
    resultat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : resultat) {
        if (c == u'\r' || c == u'\n' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029') c = u' ';
    }
    return resultat;
}

bool Ouvrir(QFile& fichier, Fichiers_Lus lus) {
    if (lus == Fichiers_Lus::Ordinaires) return Ouvrir_Fichier_Ordinaire(fichier);
    return !fichier.fileName().isEmpty() && !QFileInfo(fichier.fileName()).isDir() &&
           fichier.open(QIODevice::ReadOnly);
}

}  // namespace

QString Normaliser_Separateur(const QString& texte, char separateur) {
    QString resultat = texte;
    for (QChar& c : resultat) {
        if (c == u',' || c == u'.') c = QChar::fromLatin1(separateur);
    }
    return resultat;
}

QString Forcer_Virgule(const QString& texte) {
    QString resultat = texte;
    resultat.replace(u'.', u',');
    return resultat;
}

double Valeur_Reelle(const QString& texte, char separateur, Etat_Document& document) {
    document.Erreur_Fichier = false;
    qsizetype signes = 0;
    qsizetype separateurs = 0;
    for (const QChar c : texte) {
        if (c == u',' || c == u'.') {
            ++separateurs;
        } else if (c < u'0' || c > u'9') {
            // A sign is counted and is a fault as well.
            if (c == u'+' || c == u'-') ++signes;
            document.Erreur_Fichier = true;
        }
    }
    if (signes > 1 || separateurs > 1) {
        document.Erreur_Fichier = true;
        return 0;
    }
    double valeur = 0;
    if (!Lire_Reel(texte, separateur, valeur)) {
        throw Erreur_Generale(
            QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(texte));
    }
    return valeur;
}

QStringList Ecrire_Lignes_Elements(Contexte_Document& ctx) {
    // An empty Julian day field is no perihelion: the date stays as it is
    // rather than become that of Julian day 0.
    if (ctx.boite.Coche(Controle::Julienne) && ctx.el.JJ_Perihelie > 0) JJ_Vers_Date_Perihelie(ctx.el);
    const std::vector<QString> valeurs = Valeurs_Elements(ctx);
    QStringList lignes{Entete + ctx.Version_Programme};
    for (std::size_t k = 0; k < Libelles_Fichier.size(); ++k) {
        const Libelle_Fichier& l = Libelles_Fichier[k];
        lignes.append(l.Libelle.toString() + valeurs[k] + l.Unite.toString());
    }
    lignes << Ecrire_Lignes_Lois_Epoque(ctx.el.Lois, ctx.el.Epoque);
    for (QString& ligne : lignes) ligne = Sans_Sauts_De_Ligne(ligne);
    return lignes;
}

QByteArray Encoder_Lignes_Elements(const QStringList& lignes) {
    QByteArray octets;
    for (const QString& ligne : lignes) octets += Encoder_Cp1252(ligne) + "\r\n";
    return octets;
}

Lecture_Elements Lire_Elements(const QStringList& lignes, const Depart_Lecture& depart) {
    Lecture_Elements lecture;
    lecture.el = depart.el;
    Cadre_Lecture cadre(lecture);
    cadre.Boite_Memoire::Cocher(Controle::Julienne, depart.Julienne);
    Etat_Formulaire formulaire;
    formulaire.Entree(Controle::saisie_e) = depart.Entree_e;
    Etat_Document document;
    Historique historique;
    Contexte_Document ctx{lecture.el, cadre, formulaire, document, historique, depart.notation, {}, nullptr};
    Lecteur l(ctx, lignes);
    try {
        Lire_Disposition(l);
        Terminer_Elements(l);
    } catch (const Erreur_Generale& e) {
        lecture.Arret = e.Message();
    }
    lecture.Erreur_Fichier = document.Erreur_Fichier;
    Garder_Fautes(l, lecture);
    return lecture;
}

Lecture_Elements Lire_Fichier_Elements(const QString& chemin, const Depart_Lecture& depart,
                                       Fichiers_Lus lus) {
    QFile fichier(chemin);
    Lecture_Elements refus;
    refus.el = depart.el;
    if (!Ouvrir(fichier, lus)) {
        refus.Ouvert = false;
        return refus;
    }
    const QByteArray contenu = fichier.read(Taille_Max_Lue);
    if (fichier.error() != QFileDevice::NoError) {
        refus.Arret = fichier.errorString();
        return refus;
    }
    fichier.close();
    return Lire_Elements(Decouper_Lignes(contenu), depart);
}

std::optional<Avertissement_Lecture> Avertissement_De(const Lecture_Elements& lecture) {
    if (!lecture.Ouvert) return Avertissement_Lecture{Titre_Ouverture, Erreur_Ouverture};
    if (lecture.Arret || !lecture.Refusee()) return std::nullopt;
    const QString faute = lecture.Ligne_Faute > 0
                              ? u'\n' + Ligne_Faute.arg(lecture.Ligne_Faute).arg(lecture.Raison)
                              : QString();
    return Avertissement_Lecture{Titre_Lecture, Erreur_Lecture + faute};
}

Controles_Lus Controles_Apres_Lecture(const Lecture_Elements& lecture) {
    const auto texte = [&lecture](Controle c) {
        const auto lu = lecture.Textes.find(c);
        if (lu != lecture.Textes.end()) return lu->second;
        const Disposition_Controle* d = Disposition_De(c);
        return d == nullptr ? QString() : QString::fromUtf8(d->texte);
    };
    const auto police = lecture.Polices.find(Controle::Label15);
    const Disposition_Controle* label15 = Disposition_De(Controle::Label15);
    return {texte, false,
            police != lecture.Polices.end() ? police->second
            : label15 != nullptr            ? QString::fromUtf8(label15->police)
                                            : QString()};
}

void Lire_Fichier_Elements(Contexte_Document& ctx, Fichiers_Lus lus) {
    const Lecture_Elements lecture =
        Lire_Fichier_Elements(ctx.document.Nom_Fichier, Depart_Du_Formulaire(ctx), lus);
    if (!lecture.Ouvert) {
        ctx.boite.Bip();
        ctx.document.Fichier_Ouvert = false;
        ctx.boite.Avertissement(Titre_Ouverture, Erreur_Ouverture);
        return;
    }
    ctx.document.Fichier_Ouvert = true;
    Montrer_Lecture(ctx, lecture);
}

void Lire_Lignes_Elements(Contexte_Document& ctx, const QStringList& lignes) {
    Montrer_Lecture(ctx, Lire_Elements(lignes, Depart_Du_Formulaire(ctx)));
}
