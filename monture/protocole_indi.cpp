#include "monture/protocole_indi.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <cmath>

namespace {

const QString Version_Protocole = QStringLiteral("1.7");
const QByteArray Racine = QByteArrayLiteral("<indi>");
constexpr qint64 Taille_Maximale_Element = 1 << 20;  // bytes; no BLOB is ever asked for
constexpr int Nombre_Maximal_Elements = 1000;        // per property; INDI's have a handful
constexpr int Parties_Sexagesimales = 3;             // degrees or hours, minutes, seconds
constexpr double Base_Sexagesimale = 60;

const QString Mot_Flux_Illisible = QStringLiteral("le serveur envoie un texte qui n'est pas du XML INDI");
const QString Points_Suspension = QStringLiteral("…");
const QString Mot_Element_Trop_Long = QStringLiteral("le serveur envoie un élément trop long");

Etat_Indi Lire_Etat(QStringView texte) {
    if (texte == u"Ok") return Etat_Indi::Ok;
    if (texte == u"Busy") return Etat_Indi::Occupe;
    if (texte == u"Alert") return Etat_Indi::Alerte;
    return Etat_Indi::Repos;
}

// "defNumberVector" gives {"Number", true}; nothing for other elements. A
// client's "new…Vector" is read too, for a server of the tests.
std::optional<QPair<QString, bool>> Genre_Vecteur(QStringView nom) {
    const QLatin1String suffixe("Vector");
    constexpr int longueur_prefixe = 3;
    if (nom.size() <= longueur_prefixe + suffixe.size() || !nom.endsWith(suffixe)) return std::nullopt;
    const QStringView prefixe = nom.left(longueur_prefixe);
    if (prefixe != u"def" && prefixe != u"set" && prefixe != u"new") return std::nullopt;
    const QString genre =
        nom.mid(longueur_prefixe, nom.size() - longueur_prefixe - suffixe.size()).toString();
    return QPair<QString, bool>{genre, prefixe == u"def"};
}

QByteArray Message_Vecteur(const QString& balise, const QString& enfant, const QString& appareil,
                           const QString& nom, const QList<QPair<QString, QString>>& valeurs) {
    QByteArray sortie;
    {
        QXmlStreamWriter xml(&sortie);
        xml.writeStartElement(balise);
        xml.writeAttribute(QStringLiteral("device"), appareil);
        xml.writeAttribute(QStringLiteral("name"), nom);
        for (const auto& [element, valeur] : valeurs) {
            xml.writeStartElement(enfant);
            xml.writeAttribute(QStringLiteral("name"), element);
            xml.writeCharacters(valeur);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    return sortie + '\n';
}

}  // namespace

std::optional<QString> Vecteur_Indi::Texte(const QString& element) const {
    for (const auto& [nom_element, valeur] : valeurs)
        if (nom_element == element) return valeur;
    return std::nullopt;
}

std::optional<double> Vecteur_Indi::Nombre(const QString& element) const {
    const auto t = Texte(element);
    return t ? Lire_Nombre_Indi(*t) : std::nullopt;
}

bool Vecteur_Indi::Allume(const QString& element) const {
    return Texte(element).value_or(QString()) == u"On";
}

std::optional<double> Lire_Nombre_Indi(const QString& texte) {
    QString t = texte.trimmed();
    const bool negatif = t.startsWith(u'-');
    if (negatif || t.startsWith(u'+')) t.remove(0, 1);
    const QStringList parties = t.split(QRegularExpression(QStringLiteral("[: ;]+")));
    if (parties.isEmpty() || parties.size() > Parties_Sexagesimales) return std::nullopt;
    double valeur = 0, echelle = 1;
    for (const QString& p : parties) {
        bool ok = false;
        const double x = p.toDouble(&ok);
        if (!ok || !std::isfinite(x) || (parties.size() > 1 && x < 0)) return std::nullopt;
        valeur += x / echelle;
        echelle *= Base_Sexagesimale;
    }
    return negatif ? -valeur : valeur;
}

Lecteur_Indi::Lecteur_Indi() { xml_.addData(Racine); }

void Lecteur_Indi::Recommencer() {
    xml_.clear();
    xml_.addData(Racine);
    utf8_.resetState();
    erreur_.clear();
    profondeur_ = 0;
    dans_vecteur_ = false;
    element_.clear();
    lus_ = entre_elements_ = 0;
}

QString Texte_Affichable(QStringView texte) {
    QString sortie;
    for (const QChar c : texte) {
        if (sortie.size() >= Longueur_Texte_Serveur)
            return sortie.left(Longueur_Texte_Serveur) + Points_Suspension;
        if (c == u'\t')
            sortie += QStringLiteral("\\t");
        else if (c == u'\n')
            sortie += QStringLiteral("\\n");
        else if (c == u'\r')
            sortie += QStringLiteral("\\r");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            sortie += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            sortie += c;
    }
    return sortie;
}

std::vector<Evenement_Indi> Lecteur_Indi::Lire(const QByteArray& morceau) {
    std::vector<Evenement_Indi> evenements;
    if (!erreur_.isEmpty()) return evenements;
    if (!Octets_Valides(morceau)) {
        erreur_ = Mot_Flux_Illisible;
        return evenements;
    }
    lus_ += morceau.size();
    xml_.addData(morceau);
    // Each turn consumes a token of the data received, so the loop ends with it.
    while (!xml_.atEnd()) {
        const auto jeton = xml_.readNext();
        switch (jeton) {
            case QXmlStreamReader::StartElement:
                Debut(evenements);
                break;
            case QXmlStreamReader::EndElement:
                Fin(evenements);
                break;
            case QXmlStreamReader::Characters:
                if (!element_.isEmpty() && texte_.size() < Taille_Maximale_Element) texte_ += xml_.text();
                break;
            default:
                break;
        }
        // An unfinished token leaves the reader where it stood.
        if (profondeur_ <= 1 && jeton != QXmlStreamReader::Invalid) entre_elements_ = xml_.characterOffset();
        if (!erreur_.isEmpty()) return {};
    }
    // What is held unread counts too, whether a tag is still open or not.
    if (lus_ + Racine.size() - entre_elements_ > Taille_Maximale_Element) {
        erreur_ = Mot_Element_Trop_Long;
        xml_.clear();
    } else if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError &&
               (xml_.hasError() || xml_.tokenType() == QXmlStreamReader::EndDocument)) {
        erreur_ = Mot_Flux_Illisible;
    }
    return erreur_.isEmpty() ? evenements : std::vector<Evenement_Indi>{};
}

// UTF-8 without the control characters XML forbids, checked here rather than
// by the XML reader, whose verdict would depend on where the stream is cut.
bool Lecteur_Indi::Octets_Valides(const QByteArray& morceau) {
    for (const char c : morceau)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    const QString texte = utf8_.decode(morceau);
    return !utf8_.hasError();
}

void Lecteur_Indi::Debut(std::vector<Evenement_Indi>& evenements) {
    ++profondeur_;
    if (profondeur_ == 2) debut_element_ = entre_elements_;
    const auto a = xml_.attributes();
    if (profondeur_ == 3 && dans_vecteur_) {
        element_ = a.value(QLatin1String("name")).toString();
        texte_.clear();
        return;
    }
    if (profondeur_ != 2) return;
    const auto genre = Genre_Vecteur(xml_.name());
    if (genre) {
        dans_vecteur_ = true;
        vecteur_ = {a.value(QLatin1String("device")).toString(),
                    a.value(QLatin1String("name")).toString(),
                    genre->first,
                    Lire_Etat(a.value(QLatin1String("state"))),
                    a.value(QLatin1String("message")).toString(),
                    genre->second,
                    {}};
    } else if (xml_.name() == u"message" || xml_.name() == u"delProperty") {
        Evenement_Indi e;
        e.genre =
            xml_.name() == u"message" ? Evenement_Indi::Genre::Message : Evenement_Indi::Genre::Suppression;
        e.vecteur.appareil = a.value(QLatin1String("device")).toString();
        e.vecteur.nom = a.value(QLatin1String("name")).toString();
        e.message = a.value(QLatin1String("message")).toString();
        evenements.push_back(e);
    }
}

void Lecteur_Indi::Fin(std::vector<Evenement_Indi>& evenements) {
    if (profondeur_ == 3 && dans_vecteur_ && !element_.isEmpty()) {
        if (vecteur_.valeurs.size() < Nombre_Maximal_Elements)
            vecteur_.valeurs.append({element_, texte_.trimmed()});
        element_.clear();
    } else if (profondeur_ == 2 && xml_.characterOffset() - debut_element_ > Taille_Maximale_Element) {
        // Whole in one piece, yet too long all the same.
        erreur_ = Mot_Element_Trop_Long;
    } else if (profondeur_ == 2 && dans_vecteur_) {
        dans_vecteur_ = false;
        evenements.push_back({Evenement_Indi::Genre::Propriete, vecteur_, vecteur_.message});
    }
    --profondeur_;
}

QByteArray Demande_Proprietes(const QString& appareil) {
    QByteArray sortie;
    {
        QXmlStreamWriter xml(&sortie);
        xml.writeStartElement(QStringLiteral("getProperties"));
        xml.writeAttribute(QStringLiteral("version"), Version_Protocole);
        if (!appareil.isEmpty()) xml.writeAttribute(QStringLiteral("device"), appareil);
        xml.writeEndElement();
    }
    return sortie + '\n';
}

QByteArray Nouveaux_Nombres(const QString& appareil, const QString& nom,
                            const QList<QPair<QString, double>>& valeurs) {
    QList<QPair<QString, QString>> textes;
    for (const auto& [element, x] : valeurs) textes.append({element, QString::number(x, 'g', 17)});
    return Message_Vecteur(QStringLiteral("newNumberVector"), QStringLiteral("oneNumber"), appareil, nom,
                           textes);
}

QByteArray Nouveaux_Interrupteurs(const QString& appareil, const QString& nom,
                                  const QList<QPair<QString, bool>>& valeurs) {
    QList<QPair<QString, QString>> textes;
    for (const auto& [element, allume] : valeurs)
        textes.append({element, allume ? QStringLiteral("On") : QStringLiteral("Off")});
    return Message_Vecteur(QStringLiteral("newSwitchVector"), QStringLiteral("oneSwitch"), appareil, nom,
                           textes);
}

QByteArray Nouveaux_Textes(const QString& appareil, const QString& nom,
                           const QList<QPair<QString, QString>>& valeurs) {
    return Message_Vecteur(QStringLiteral("newTextVector"), QStringLiteral("oneText"), appareil, nom,
                           valeurs);
}
