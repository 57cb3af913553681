#include "form/textes_nombres.h"

#include <QLocale>
#include <cmath>

#include "astro/angles.h"
#include "astro/format.h"

namespace {

const QChar Espace_Insecable(0x00A0);

// The C locale's conversions, without its thousands separator: "1,000" is
// not a number for a field.
QLocale Locale_Stricte() {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
}

bool Est_Separateur(QChar c) { return c == u',' || c == u'.'; }
bool Est_Chiffre_Ou_Espace(QChar c) { return c == u' ' || (c >= u'0' && c <= u'9'); }

// The scan shared by the number test and the normaliser: the class of `corps`.
int Classer_Corps(const QString& corps) {
    int resultat = 0;
    bool separateur_vu = false;
    for (const QChar c : corps) {
        if (Est_Chiffre_Ou_Espace(c)) {
            if (resultat == 0) resultat = 1;
        } else if (Est_Separateur(c)) {
            if (separateur_vu) return 0;
            separateur_vu = true;
            if (corps.size() > 1) resultat = 2;
        } else {
            return 0;
        }
    }
    return resultat;
}

}  // namespace

char Trouver_Separateur() {
    const QString pi = QLocale::system().toString(Pi_Radians, 'g', QLocale::FloatingPointShortest);
    // Only "," and "." are known to the number texts; any other system
    // separator falls back to the point.
    return (pi.size() > 1 && pi[1] == u',') ? ',' : '.';
}

Notation Trouver_Notation() {
    Notation n;
    n.Separateur_Decimal = Trouver_Separateur();
    n.Separateur_Milliers = QLocale::system().groupSeparator().toStdString();
    return n;
}

int Classe_Nombre(const QString& texte) {
    const bool signe = !texte.isEmpty() && (texte[0] == u'-' || texte[0] == u'+');
    return Classer_Corps(signe ? texte.mid(1) : texte);
}

int Classe_Magnitude(const QString& texte) {
    int resultat = 0;
    bool separateur_vu = false;
    for (qsizetype k = 0; k < texte.size(); ++k) {
        const QChar c = texte[k];
        if (c == u' ' || (c >= u'0' && c <= u'9')) {
            if (resultat == 0) resultat = 1;
        } else if (c == u'-') {
            if (k != 0) return 0;
        } else if (c == u',' || c == u'.') {
            if (separateur_vu) return 0;
            separateur_vu = true;
            if (texte.size() > 1) resultat = 2;
        } else {
            return 0;
        }
    }
    return resultat;
}

QString Normaliser_Nombre(const QString& texte, char separateur) {
    if (Classer_Corps(texte) == 0) return {};
    QString copie = texte;
    for (QChar& c : copie) {
        if (Est_Separateur(c)) c = QChar::fromLatin1(separateur);
    }
    return copie;
}

QString Oter_Espaces(const QString& texte) {
    QString resultat;
    resultat.reserve(texte.size());
    for (const QChar c : texte) {
        if (c != u' ' && c != Espace_Insecable) resultat.append(c);
    }
    return resultat;
}

bool Lire_Reel(const QString& texte, char separateur, double& valeur) {
    const QString t = texte.trimmed();
    const QChar autre = separateur == ',' ? u'.' : u',';
    if (t.isEmpty() || t.contains(autre)) return false;
    QString c_texte = t;
    c_texte.replace(QChar::fromLatin1(separateur), u'.');
    // The C locale accepts exactly sign, digits, one point and an exponent.
    bool ok = false;
    const double v = Locale_Stricte().toDouble(c_texte, &ok);
    if (!ok || !std::isfinite(v)) return false;
    valeur = v;
    return true;
}

bool Lire_Entier(const QString& texte, int32_t& valeur) {
    bool ok = false;
    const int v = Locale_Stricte().toInt(texte.trimmed(), &ok);
    if (!ok) return false;
    valeur = v;
    return true;
}

double Reel_Ou_Zero(const QString& texte, char separateur) {
    double v = 0;
    return Lire_Reel(texte, separateur, v) ? v : 0;
}

int32_t Entier_Ou_Zero(const QString& texte) {
    int32_t v = 0;
    return Lire_Entier(texte, v) ? v : 0;
}

QString Texte_Motif(double valeur, const char* motif, const Notation& notation) {
    return QString::fromStdString(
        Formater_Motif(valeur, motif, notation.Separateur_Decimal, notation.Separateur_Milliers));
}

QString Texte_General(double valeur, char separateur) {
    return QString::fromStdString(Format_General(valeur, separateur));
}

QString Accorder(int64_t n, const QString& un, const QString& plusieurs) {
    return (n == 0 || n == 1 || n == -1 ? un : plusieurs).arg(n);
}
