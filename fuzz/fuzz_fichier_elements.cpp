// The input as an element file, in whatever layout it claims, read and
// followed by the page on screen and on paper; what was read to the end is
// saved, opened again and must save the same.

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>

#include "document/fichier_elements.h"
#include "form/dates_juliennes.h"
#include "page_fuzz.h"
#include "plateforme/erreur_generale.h"

namespace {

// The reader opens a file by its name: one file per process, rewritten for
// every input.
const QString& Chemin_Essai() {
    static QTemporaryFile fichier(QDir::tempPath() + QStringLiteral("/fuzz_fichier_elements_XXXXXX.elt"));
    static const bool ouvert = fichier.open();
    Exiger(ouvert, "fichier temporaire");
    static const QString chemin = fichier.fileName();
    return chemin;
}

void Ecrire_Essai(const QString& chemin, const uint8_t* data, size_t size) {
    QFile f(chemin);
    Exiger(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "écriture du fichier temporaire");
    Exiger(
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size),
        "écriture du fichier temporaire");
}

// The notation changes what the reader accepts, the Julian-day forms of the
// dates what it shows and writes, the telescope and the unit the table's
// columns and rows. Reading a file costs a megabyte buffer, which
// the sanitizer makes slow, so each input is read once, in the notation its
// length picks: a byte more or less and the other is tried.
struct Parametres_Page {
    char separateur;
    const char* instrument;
    const char* unite;
    bool juliennes;
};
constexpr Parametres_Page Essais[] = {{',', "Arbelin", "jours", false}, {'.', "Aucun", "heures", true}};

// What Save would write after the file was opened and the page built, and
// whether the reader went to the end: a number it cannot convert stops it,
// leaving the fields as far as it went.
struct Document_Lu {
    QByteArray enregistre;
    bool complet = true;
};

Document_Lu Lire_Puis_Construire(const QString& chemin, const Parametres_Page& e) {
    Document_Lu lu;
    Banc_Fuzz banc(e.separateur);
    Programme& p = banc.p;
    p.document.Nom_Fichier = chemin;
    p.document.Dernier_Fichier = Nom_Court(chemin);
    if (e.juliennes) {
        JulienneClick(p.el, banc.boite, p.notation);
        Julienne_élémentsClick(p.el, banc.boite, p.notation);
        Julienne_éphémérideClick(p.el, banc.boite, p.notation);
    }
    Contexte_Document contexte = p.Contexte();
    try {
        Lire_Fichier_Elements(contexte);
    } catch (const Erreur_Generale&) {
        // The window shows the error and carries on with what was read.
        lu.complet = false;
    }
    banc.boite.Ecrire_Texte(Controle::saisie_Jour, QStringLiteral("1"));
    banc.boite.Ecrire_Texte(Controle::saisie_Mois, QStringLiteral("3"));
    banc.boite.Ecrire_Texte(Controle::saisie_An, QStringLiteral("2000"));
    banc.boite.Ecrire_Texte(Controle::Saisie_Pas, QStringLiteral("1"));
    p.el.Pas = 1;
    banc.boite.Ecrire_Texte(Controle::Liste_Instruments, QString::fromUtf8(e.instrument));
    banc.boite.Ecrire_Texte(Controle::Liste_Pas, QString::fromUtf8(e.unite));
    banc.Construire_Pages();
    lu.enregistre = Encoder_Lignes_Elements(Ecrire_Lignes_Elements(contexte));
    return lu;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& chemin = Chemin_Essai();
    Ecrire_Essai(chemin, data, size);
    const Parametres_Page& e = Essais[size % 2];
    const Document_Lu lu = Lire_Puis_Construire(chemin, e);
    if (!lu.complet) return 0;
    // A file read to the end, saved, opened again and saved again is the
    // same file.
    Ecrire_Essai(chemin, reinterpret_cast<const uint8_t*>(lu.enregistre.constData()),
                 static_cast<size_t>(lu.enregistre.size()));
    Exiger(Lire_Puis_Construire(chemin, e).enregistre == lu.enregistre, "fichier enregistré puis relu");
    return 0;
}
