#include "document/lecture_icq.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "astro/calendrier.h"

namespace {

// Byte columns of the line, from 0 (the format counts them from 1).
constexpr int Col_Numero = 0;  // 1–3: periodic comet number
constexpr int Long_Numero = 3;
constexpr int Col_Designation = 3;  // 4–9: year and half-month designation
constexpr int Long_Designation = 6;
constexpr int Col_An = 11;  // 12–24: YYYY MM DD.DD
constexpr int Col_Mois = 16;
constexpr int Col_Jour = 19;
constexpr int Long_Jour = 5;
constexpr int Col_Limite = 27;     // 28: "[" before a limit
constexpr int Col_Magnitude = 27;  // 28–32
constexpr int Long_Magnitude = 5;
constexpr int Col_Incertaine = 32;   // 33: ":" after a poor estimate
constexpr int Col_Observateur = 75;  // 76–80
constexpr int Long_Observateur = 5;

// Only the first 80 columns and a remark mean anything; longer lines are
// cut, so that a file without line ends cannot fill the memory.
constexpr int Longueur_Ligne_Max = 4096;  // bytes
constexpr qint64 Taille_Bloc = 1 << 20;   // bytes read at once

QByteArray Colonnes(const QByteArray& ligne, int debut, int longueur) { return ligne.mid(debut, longueur); }

bool Chiffres(const QByteArray& texte) {
    return !texte.isEmpty() &&
           std::all_of(texte.begin(), texte.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Blanc(const QByteArray& texte) { return texte.trimmed().isEmpty(); }

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

// A decimal number without exponent: "10.3", "-1.2", "7", ".5". Read by
// hand: a file of a million lines is read in seconds, not minutes.
bool Decimal(const QByteArray& texte, double& valeur) {
    qsizetype k = texte.startsWith('-') ? 1 : 0;
    int chiffres = 0;
    while (k < texte.size() && Chiffre(texte[k])) ++k, ++chiffres;
    if (k < texte.size() && texte[k] == '.')
        for (++k; k < texte.size() && Chiffre(texte[k]); ++k) ++chiffres;
    if (k != texte.size() || chiffres == 0) return false;
    bool ok = false;
    valeur = texte.toDouble(&ok);
    return ok && std::isfinite(valeur);
}

// "1995O1": four digits, one or two capitals, up to three digits.
bool Designation_Provisoire(const QByteArray& d) {
    qsizetype k = 0;
    while (k < d.size() && k < 4 && Chiffre(d[k])) ++k;
    if (k != 4) return false;
    const qsizetype lettres = k;
    while (k < d.size() && d[k] >= 'A' && d[k] <= 'Z') ++k;
    if (k - lettres < 1 || k - lettres > 2) return false;
    const qsizetype numero = k;
    while (k < d.size() && Chiffre(d[k])) ++k;
    return k == d.size() && k - numero <= 3;
}

enum class Date_Lue { Bonne, Autre_Format, Impossible };

Date_Lue Lire_Date(const QByteArray& ligne, double& jj) {
    const QByteArray an = Colonnes(ligne, Col_An, 4), mois = Colonnes(ligne, Col_Mois, 2).trimmed();
    const QByteArray jour = Colonnes(ligne, Col_Jour, Long_Jour).trimmed();
    double j = 0;
    if (ligne.size() < Col_Jour + Long_Jour - 1 || ligne[Col_An + 4] != ' ' || ligne[Col_Mois + 2] != ' ' ||
        !Chiffres(an) || !Chiffres(mois) || !Decimal(jour, j) || jour.startsWith('-'))
        return Date_Lue::Autre_Format;
    const int a = an.toInt(), m = mois.toInt();
    if (a < 1 || m < 1 || m > 12 || j < 1 || j >= Longueur_Mois(m, a) + 1) return Date_Lue::Impossible;
    jj = Date_Vers_JJ(m, static_cast<float>(a), j);
    return Date_Lue::Bonne;
}

void Rejeter(Lecture_Icq& l, Rejet_Icq raison) { ++l.rejets[static_cast<std::size_t>(raison)]; }

int Indice_Comete(Lecture_Icq& l, const std::string& designation) {
    const auto trouvee = l.index_cometes.find(designation);
    if (trouvee != l.index_cometes.end()) return trouvee->second;
    const int indice = static_cast<int>(l.cometes.size());
    l.cometes.push_back(designation);
    l.index_cometes.emplace(designation, indice);
    return indice;
}

// Hands each line of `bloc` to `lire`, keeping in `reste` the line the block
// cuts, and in `coupee` whether that line was already cut at its maximum.
template <typename Lire>
void Decouper(const QByteArray& bloc, QByteArray& reste, bool& coupee, Lire&& lire) {
    qsizetype debut = 0;
    for (qsizetype k = 0; k < bloc.size(); ++k) {
        if (bloc[k] != '\n' && bloc[k] != '\r') continue;
        if (!coupee) reste.append(bloc.constData() + debut, k - debut);
        lire(reste);
        reste.clear();
        coupee = false;
        debut = k + 1;
    }
    if (!coupee) reste.append(bloc.constData() + debut, bloc.size() - debut);
    if (reste.size() > Longueur_Ligne_Max) {
        reste.truncate(Longueur_Ligne_Max);
        coupee = true;
    }
}

}  // namespace

int64_t Lecture_Icq::Rejetees() const {
    return std::accumulate(std::begin(rejets), std::end(rejets), int64_t{0});
}

std::string Designation_Icq(const QByteArray& ligne) {
    const QByteArray numero = Colonnes(ligne, Col_Numero, Long_Numero).trimmed();
    if (Chiffres(numero)) {
        const char lettre = ligne.size() > Col_Designation ? ligne[Col_Designation] : ' ';
        const char suffixe = (lettre == 'P' || lettre == 'D') ? lettre : 'P';
        return std::to_string(numero.toInt()) + suffixe;
    }
    const QByteArray designation = Colonnes(ligne, Col_Designation, Long_Designation).trimmed();
    if (Designation_Provisoire(designation)) return designation.toStdString();
    return {};
}

std::string Designation_Objet(const QString& nom) {
    static const QRegularExpression periodique(QStringLiteral("^\\s*0*(\\d{1,4})([PD])(\\b|/|-)"));
    static const QRegularExpression provisoire(
        QStringLiteral("\\b[CPDXAI]\\s*/\\s*(\\d{4})\\s*([A-Z]{1,2})\\s*(\\d{0,3})\\b"));
    const QRegularExpressionMatch p = periodique.match(nom);
    if (p.hasMatch()) return (p.captured(1) + p.captured(2)).toStdString();
    const QRegularExpressionMatch d = provisoire.match(nom);
    if (d.hasMatch()) return (d.captured(1) + d.captured(2) + d.captured(3)).toStdString();
    return {};
}

void Lire_Ligne_Icq(const QByteArray& ligne, Lecture_Icq& l) {
    if (Blanc(ligne)) return;
    double jj = 0;
    const std::string designation = Designation_Icq(ligne);
    const Date_Lue date = designation.empty() ? Date_Lue::Autre_Format : Lire_Date(ligne, jj);
    if (date == Date_Lue::Autre_Format) return Rejeter(l, Rejet_Icq::Autre_Format);
    if (date == Date_Lue::Impossible) return Rejeter(l, Rejet_Icq::Date_Impossible);
    if (ligne.size() > Col_Limite && ligne[Col_Limite] == '[') return Rejeter(l, Rejet_Icq::Limite);
    const QByteArray texte = Colonnes(ligne, Col_Magnitude, Long_Magnitude).trimmed();
    if (texte.isEmpty()) return Rejeter(l, Rejet_Icq::Sans_Magnitude);
    if (ligne.size() > Col_Incertaine && ligne[Col_Incertaine] == ':')
        return Rejeter(l, Rejet_Icq::Incertaine);
    double m = 0;
    if (!Decimal(texte, m)) return Rejeter(l, Rejet_Icq::Autre_Format);
    if (m < Magnitude_Icq_Min || m > Magnitude_Icq_Max) return Rejeter(l, Rejet_Icq::Magnitude_Absurde);
    const QByteArray observateur = Colonnes(ligne, Col_Observateur, Long_Observateur).simplified();
    l.estimations.push_back({jj, m, Indice_Comete(l, designation), observateur.toStdString()});
}

Lecture_Icq Lire_Texte_Icq(const QByteArray& texte) {
    Lecture_Icq l;
    QByteArray reste;
    bool coupee = false;
    Decouper(texte, reste, coupee, [&](const QByteArray& ligne) { Lire_Ligne_Icq(ligne, l); });
    Lire_Ligne_Icq(reste, l);
    return l;
}

Lecture_Icq Lire_Fichier_Icq(const QString& chemin,
                             const std::function<bool(int64_t lus, int64_t total)>& avancer) {
    Lecture_Icq l;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        l.issue = Lecture_Icq::Issue::Illisible;
        return l;
    }
    const int64_t total = fichier.size();
    QByteArray reste;
    bool coupee = false;
    int64_t lus = 0;
    const auto lire = [&](const QByteArray& ligne) { Lire_Ligne_Icq(ligne, l); };
    while (!fichier.atEnd()) {
        const QByteArray bloc = fichier.read(Taille_Bloc);
        if (bloc.isEmpty()) {
            if (fichier.error() != QFileDevice::NoError) l.issue = Lecture_Icq::Issue::Illisible;
            break;
        }
        Decouper(bloc, reste, coupee, lire);
        lus += bloc.size();
        if (!avancer(lus, total)) {
            l.issue = Lecture_Icq::Issue::Interrompu;
            return l;
        }
    }
    Lire_Ligne_Icq(reste, l);
    return l;
}
