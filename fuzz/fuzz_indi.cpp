// The input as what an INDI server sends: read at once and cut in pieces
// (the first byte says where), then handed to the client's store of
// properties. Whatever the server sends, the words it shows are escaped and
// bounded, and the cut between two pieces changes nothing.

#include <QByteArray>
#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

#include "invariant.h"
#include "monture/client_indi.h"
#include "monture/protocole_indi.h"

namespace {

// A client whose server is the input.
class Liaison_Essai : public Liaison_Indi {
public:
    void Connecter(const QString&, quint16, int) override { ouverte_ = true; }
    void Deconnecter() override { ouverte_ = false; }
    bool Est_Connecte() const override { return ouverte_; }
    void Lire(const QByteArray& octets) { Recevoir(octets); }

protected:
    void Envoyer(const QByteArray&) override {}
    void Finir(const QString&) override { ouverte_ = false; }

private:
    bool ouverte_ = true;
};

bool Affichable(const QString& texte) {
    if (texte.size() > Longueur_Texte_Serveur + 1) return false;
    for (const QChar c : texte)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) return false;
    return true;
}

struct Lecture {
    std::size_t evenements = 0;
    QString erreur;
};

Lecture Lire(const QByteArray& flux, qsizetype morceau) {
    Lecteur_Indi lecteur;
    Lecture l;
    for (qsizetype k = 0; k < flux.size(); k += morceau)
        l.evenements += lecteur.Lire(flux.mid(k, morceau)).size();
    l.erreur = lecteur.Erreur();
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return 0;
    const qsizetype morceau = 1 + donnees[0];
    const QByteArray flux(reinterpret_cast<const char*>(donnees) + 1, qsizetype(taille) - 1);
    const Lecture entiere = Lire(flux, qMax<qsizetype>(flux.size(), 1));
    const Lecture coupee = Lire(flux, morceau);
    Exiger(entiere.erreur == coupee.erreur, "la coupure change l'erreur");
    // A piece with a fault gives nothing: only a stream read whole counts alike.
    Exiger(!entiere.erreur.isEmpty() || entiere.evenements == coupee.evenements,
           "la coupure change les éléments lus");

    Liaison_Essai liaison;
    bool montrable = true;
    QObject::connect(&liaison, &Liaison_Indi::Message_Appareil, [&](const QString&, const QString& message) {
        montrable = montrable && Affichable(message);
    });
    QObject::connect(&liaison, &Liaison_Indi::Propriete_Changee,
                     [&](const Vecteur_Indi& v) { montrable = montrable && Affichable(v.message); });
    for (qsizetype k = 0; k < flux.size() && liaison.Est_Connecte(); k += morceau)
        liaison.Lire(flux.mid(k, morceau));
    Exiger(montrable, "un texte du serveur montré tel quel");
    for (const QString& t : liaison.Telescopes())
        Exiger(liaison.Propriete(t, QStringLiteral("DRIVER_INFO")) ||
                   liaison.Propriete(t, QStringLiteral("EQUATORIAL_EOD_COORD")),
               "un télescope sans propriété qui le dise");
    return 0;
}
