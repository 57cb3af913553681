#include "document/liste_ce_soir.h"

#include <erfa.h>
#include <erfam.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

#include "astro/calendrier.h"
#include "astro/constantes.h"
#include "astro/echelles_temps.h"
#include "astro/meilleur_moment.h"
#include "astro/observateur.h"
#include "document/commandes_document.h"
#include "document/commandes_import.h"
#include "document/demarrage.h"
#include "document/fichier_ordinaire.h"
#include "document/programme.h"
#include "page/vue.h"

namespace {

const QString Texte_Hauteur = QStringLiteral("La hauteur minimale doit être comprise entre −5° et 90°.");
const QString Texte_Magnitude = QStringLiteral("La magnitude limite doit être comprise entre −30 et 35.");
const QString Texte_Filtre = QStringLiteral(
    "L'élongation et la distance à la Lune minimales doivent être "
    "comprises entre 0° et 180°.");
const QString Texte_Date = QStringLiteral("La date doit être un jour du calendrier, de l'an 1 à l'an 9999.");
const QString Texte_Lieu = QStringLiteral("Le lieu d'observation n'est pas valide.");
const QString Texte_Jamais_Noire = QStringLiteral(
    "Le Soleil ne descend pas sous −18° cette nuit (au plus bas %1°) : la liste porte sur la "
    "période la plus sombre, de %2 à %3 TU, où il reste à moins de %4° de son point le plus bas.");
const QString Texte_Nuit = QStringLiteral("Nuit noire de %1 à %2 TU.");
const QString Texte_Sans_Loi_Un = QStringLiteral("Un objet sans loi de magnitude a été laissé de côté.");
const QString Texte_Sans_Loi = QStringLiteral("%1 objets sans loi de magnitude ont été laissés de côté.");
const QString Texte_Incalculable_Un =
    QStringLiteral("Un objet trop loin de l'époque de ses éléments n'a pu être calculé.");
const QString Texte_Incalculable =
    QStringLiteral("%1 objets trop loin de l'époque de leurs éléments n'ont pu être calculés.");

const QStringList Colonnes = {
    QStringLiteral("Objet"),          QStringLiteral("Magnitude"),
    QStringLiteral("Hauteur"),        QStringLiteral("Heure TU"),
    QStringLiteral("AD J2000"),       QStringLiteral("Déc. J2000"),
    QStringLiteral("Élongation"),     QStringLiteral("Distance Lune"),
    QStringLiteral("Distance Terre"), QStringLiteral("Mouvement (″/min)"),
};

constexpr double JJ_An_1 = 1721423.5;         // 1 January of the year 1, Julian calendar, 0 h
constexpr double JJ_An_10000 = 5373484.5;     // 1 January 10000, 0 h
constexpr double JJ_Epoque_Unix = 2440587.5;  // 1970 January 1, 0 h UT
constexpr double Demi_Heure_Jours = 1.0 / 48;
constexpr double Minutes_Mouvement = 60;     // the motion is measured over an hour
constexpr double Separation_Maximale = 180;  // degrees

// The classic sampling is trusted within these, widened for elements far
// from their epoch, whose precise place the planets may have moved; beyond
// Annees_Sans_Tri years every body goes to the precise place.
constexpr double Marge_Hauteur = 1.0;          // degrees
constexpr double Marge_Hauteur_An = 1.0;       // degrees per year from the epoch
constexpr double Marge_Magnitude = 0.2;        // magnitudes
constexpr double Marge_Magnitude_An = 0.2;     // per year
constexpr double Marge_Borne_Magnitude = 0.1;  // the perihelion bound, for a q the planets shift
constexpr double Annees_Sans_Tri = 20;

// Work handed to the threads in lots, and at most this many lots waiting,
// so that a huge catalogue never sits whole in memory.
constexpr std::size_t Taille_Lot = 512;
constexpr std::size_t Lots_En_Attente = 64;
constexpr unsigned Fils_Maximum = 16;
// While the threads finish, the caller hears of them this often.
constexpr auto Attente_Progression = std::chrono::milliseconds(50);
// The reading's share of the progress; the threads' last work the rest.
constexpr double Part_Lecture = 0.95;

// Designations of comets: "C/2023 A3", "1P/Halley", "P/2019 LD2", "D/1993 F2"…
bool Designation_Comete(const QString& d) {
    const QString t = d.trimmed();
    const qsizetype barre = t.indexOf(u'/');
    if (barre < 1 || barre > 6) return false;
    if (!QStringLiteral("PCDXI").contains(t[barre - 1])) return false;
    for (qsizetype k = 0; k + 1 < barre; ++k)
        if (!t[k].isDigit()) return false;
    return true;
}

double Annees_Depuis_Epoque(const Orbite_Publiee& o, double jj) {
    return std::isfinite(o.JJ_Epoque) ? std::fabs(jj - o.JJ_Epoque) / Jours_Par_An_Julien : 0;
}

// What is shared by every body of a list: the request and its night.
struct Contexte_Liste {
    const Demande_Ce_Soir& d;
    const Nuit_Noire& nuit;
};

// The classic place at three instants of the stretch, with the distances of the middle one.
struct Esquisse {
    std::array<Equatoriales, 3> e;
    std::array<Position, 3> pos;
    double t[3];
};

Esquisse Esquisser(const Elements& el, const Intervalle& sombre) {
    Esquisse s;
    Elements copie = el;
    for (int k = 0; k < 3; ++k) {
        s.t[k] = sombre.debut + k * (sombre.fin - sombre.debut) / 2;
        copie.JJ_Equinoxe_ephemeride = s.t[k];
        Calculer_Position_JJ(copie, s.t[k], s.pos[k]);
        s.e[k] = {s.pos[k].Alpha, s.pos[k].Delta};
    }
    // Right ascensions that run on without a jump, for the interpolation.
    for (int k = 1; k < 3; ++k)
        s.e[k].Alpha += Deux_Pi * std::round((s.e[k - 1].Alpha - s.e[k].Alpha) / Deux_Pi);
    return s;
}

Equatoriales Interpoler(const Esquisse& s, double jj) {
    const int k = jj < s.t[1] ? 0 : 1;
    const double largeur = s.t[k + 1] - s.t[k];
    const double f = largeur > 0 ? (jj - s.t[k]) / largeur : 0;
    return {s.e[k].Alpha + f * (s.e[k + 1].Alpha - s.e[k].Alpha),
            s.e[k].Delta + f * (s.e[k + 1].Delta - s.e[k].Delta)};
}

// False when the classic place shows the body too low or too faint by far.
bool Passe_Le_Tri(const Contexte_Liste& c, const Elements& el, const Orbite_Publiee& o,
                  const std::optional<Loi_Magnitude>& loi) {
    const double annees = Annees_Depuis_Epoque(o, c.nuit.JJ_0h);
    if (annees > Annees_Sans_Tri) return true;
    const Esquisse s = Esquisser(el, c.nuit.sombre);
    const Meilleur_Moment m = Chercher_Meilleur_Moment(
        [&](double jj) { return Vers_Horizontales(Interpoler(s, jj), jj, c.d.lieu).Hauteur; }, c.nuit.sombre);
    if (!(m.Hauteur >= c.d.Hauteur_Minimale - Marge_Hauteur - Marge_Hauteur_An * annees)) return false;
    if (!c.d.Magnitude_Limite || !loi) return true;
    const int k = std::clamp(static_cast<int>(std::lround((m.JJ - s.t[0]) / (s.t[1] - s.t[0]))), 0, 2);
    const Position& p = s.pos[k];
    const double mag = Magnitude_Loi(*loi, p.Distance_Soleil, p.Distance_Terre, p.Angle_Phase);
    return !(mag > *c.d.Magnitude_Limite + Marge_Magnitude + Marge_Magnitude_An * annees);
}

// The Moon's direction seen from the site, equator and equinox of the date
// (ERFA's Moon, geocentric, GCRS axes, less the site's position).
Equatoriales Lune(double jj_utc, const Lieu_Observation& lieu) {
    const double tt = JJ_UTC_Vers_TT(jj_utc);
    double pv[2][3], npb[3][3];
    eraMoon98(tt, 0.0, pv);
    eraPnm00b(tt, 0.0, npb);
    const Etat_Observateur site = Calculer_Observateur(lieu, jj_utc, tt, npb);
    double d[3], date[3];
    for (int i = 0; i < 3; ++i) d[i] = pv[0][i] - site.position[i];
    eraRxp(npb, d, date);
    double alpha = 0, delta = 0;
    eraC2s(date, &alpha, &delta);
    return {eraAnp(alpha), delta};
}

Equatoriales Direction(const Place& p) { return {p.Alpha, p.Delta}; }

// The body by the precise place: its path over the night, its best moment,
// and the row, or nothing when it does not belong to the list.
struct Jugement {
    std::optional<Ligne_Ce_Soir> ligne;
    bool incalculable = false;
};

Jugement Juger_Precis(const Contexte_Liste& c, const Elements& el, const Orbite_Publiee& o,
                      const std::optional<Loi_Magnitude>& loi) {
    const Demande_Ce_Soir& d = c.d;
    std::unique_ptr<Mouvement_Perturbe> mouvement;
    if (d.modele.perturbations && el.Epoque.JJ_Epoque) {
        Forces forces;
        forces.ng = el.Epoque.Non_Grav.value_or(Non_Gravitationnel{});
        mouvement = std::make_unique<Mouvement_Perturbe>(el, *el.Epoque.JJ_Epoque, forces);
    }
    const double debut = c.nuit.JJ_0h, fin = debut + (Trajet::Noeuds - 1) * Trajet::Ecart;
    Calcul_Place calcul(el, debut, fin, mouvement.get());
    const Lieu_Observation* site = d.modele.topocentrique ? &d.lieu : nullptr;
    const Choix_Modele apparente{Modele_Calcul::Precis, site != nullptr, true, d.modele.perturbations};
    const Choix_Modele astrometrique{Modele_Calcul::Precis, site != nullptr, false, d.modele.perturbations};
    Jugement j;
    const Trajet chemin = Trajet::Echantillonner(debut, [&](double t) {
        const Place p = calcul.Calculer(t, apparente, site);
        if (p.Echec != Echec_Integration::Aucun) j.incalculable = true;
        return Direction(p);
    });
    if (j.incalculable) return j;
    const Meilleur_Moment m = Meilleur_Moment_Trajet(chemin, c.nuit.sombre, d.lieu);
    if (!(m.Hauteur >= d.Hauteur_Minimale)) return j;
    const Place p = calcul.Calculer(m.JJ, astrometrique, site);
    if (p.Echec != Echec_Integration::Aucun) {
        j.incalculable = true;
        return j;
    }
    Ligne_Ce_Soir l;
    if (loi) l.Magnitude = Magnitude_Loi(*loi, p.Distance_Soleil, p.Distance_Terre, p.Angle_Phase);
    if (d.Magnitude_Limite && !(l.Magnitude && *l.Magnitude <= *d.Magnitude_Limite)) return j;
    const Equatoriales date = chemin.A(m.JJ);
    l.Elongation = Separation(date, Equatoriales_Soleil(m.JJ));
    if (d.Elongation_Minimale && l.Elongation < *d.Elongation_Minimale) return j;
    l.Distance_Lune = Separation(date, Lune(m.JJ, d.lieu));
    if (d.Distance_Lune_Minimale && l.Distance_Lune < *d.Distance_Lune_Minimale) return j;
    const Place avant = calcul.Calculer(m.JJ - Demi_Heure_Jours, astrometrique, site);
    const Place apres = calcul.Calculer(m.JJ + Demi_Heure_Jours, astrometrique, site);
    l.Mouvement = Separation(Direction(avant), Direction(apres)) * Secondes_Arc_Par_Degre / Minutes_Mouvement;
    l.Objet = o.Designation.trimmed();
    l.genre = Genre_Orbite(o);
    l.Hauteur = m.Hauteur;
    l.JJ = m.JJ;
    l.Alpha = p.Alpha;
    l.Delta = p.Delta;
    l.Distance_Terre = p.Distance_Terre;
    l.orbite = o;
    j.ligne = std::move(l);
    return j;
}

// What one thread found.
struct Recolte {
    std::vector<Ligne_Ce_Soir> lignes;
    int64_t Sans_Loi = 0;
    int64_t Incalculables = 0;
};

bool Genre_Voulu(Filtre_Genre f, Genre_Corps g) {
    if (f == Filtre_Genre::Cometes) return g == Genre_Corps::Comete;
    if (f == Filtre_Genre::Petites_Planetes) return g == Genre_Corps::Petite_Planete;
    return true;
}

// The whole judgement of one body: the bound, the classic sampling, the precise place.
void Juger(const Contexte_Liste& c, const Orbite_Publiee& o, int fichier, Recolte& r) {
    if (!Genre_Voulu(c.d.genre, Genre_Orbite(o))) return;
    const std::optional<Loi_Magnitude> loi = Loi_Liste(o);
    if (c.d.Magnitude_Limite) {
        if (!loi) {
            ++r.Sans_Loi;
            return;
        }
        if (Magnitude_Minimale(*loi, o.q) > *c.d.Magnitude_Limite + Marge_Borne_Magnitude) return;
    }
    const Elements el = Elements_Orbite(o);
    if (!Passe_Le_Tri(c, el, o, loi)) return;
    Jugement j = Juger_Precis(c, el, o, loi);
    if (j.incalculable) ++r.Incalculables;
    if (!j.ligne) return;
    j.ligne->Fichier = fichier;
    r.lignes.push_back(std::move(*j.ligne));
}

// Lots of orbits from the reading thread to the computing ones.
class File_Lots {
public:
    struct Lot {
        int fichier = 0;  // rank of the file the orbits come from
        std::vector<Orbite_Publiee> orbites;
    };
    void Deposer(Lot&& lot) {
        std::unique_lock<std::mutex> verrou(m_);
        place_.wait(verrou, [&] { return lots_.size() < Lots_En_Attente || arret_; });
        if (arret_) return;
        lots_.push_back(std::move(lot));
        travail_.notify_one();
    }
    std::optional<Lot> Prendre() {
        std::unique_lock<std::mutex> verrou(m_);
        travail_.wait(verrou, [&] { return !lots_.empty() || fin_ || arret_; });
        if (arret_ || lots_.empty()) return std::nullopt;
        Lot lot = std::move(lots_.front());
        lots_.pop_front();
        place_.notify_one();
        return lot;
    }
    // No more lots will come.
    void Terminer() {
        std::lock_guard<std::mutex> verrou(m_);
        fin_ = true;
        travail_.notify_all();
    }
    // Cancelled: what waits is dropped.
    void Arreter() {
        std::lock_guard<std::mutex> verrou(m_);
        arret_ = true;
        lots_.clear();
        travail_.notify_all();
        place_.notify_all();
    }

private:
    std::mutex m_;
    std::condition_variable travail_, place_;
    std::deque<Lot> lots_;
    bool fin_ = false;
    bool arret_ = false;
};

unsigned Nombre_Fils(int demande) {
    if (demande > 0) return std::min(static_cast<unsigned>(demande), Fils_Maximum);
    return std::clamp(std::thread::hardware_concurrency(), 1u, Fils_Maximum);
}

// The threads that judge the lots, and what they found.
class Atelier {
public:
    Atelier(const Contexte_Liste& c, unsigned fils) : recoltes_(fils) {
        for (unsigned k = 0; k < fils; ++k)
            fils_.emplace_back([this, &c, k] { Travailler(c, recoltes_[k]); });
    }
    ~Atelier() {
        file_.Arreter();
        Joindre();
    }
    void Deposer(File_Lots::Lot&& lot) {
        ++deposes_;
        file_.Deposer(std::move(lot));
    }
    // Waits for the threads, telling `avancer` of them; false when it stopped them.
    bool Finir(const std::function<bool(double)>& avancer) {
        file_.Terminer();
        while (faits_.load() < deposes_) {
            const double part = deposes_ > 0 ? static_cast<double>(faits_.load()) / deposes_ : 1;
            if (!avancer(Part_Lecture + (1 - Part_Lecture) * part)) {
                file_.Arreter();
                Joindre();
                return false;
            }
            std::unique_lock<std::mutex> verrou(m_);
            fini_.wait_for(verrou, Attente_Progression);
        }
        Joindre();
        return true;
    }
    void Arreter() {
        file_.Arreter();
        Joindre();
    }
    std::vector<Recolte>& Recoltes() { return recoltes_; }

private:
    void Travailler(const Contexte_Liste& c, Recolte& r) {
        while (std::optional<File_Lots::Lot> lot = file_.Prendre()) {
            for (const Orbite_Publiee& o : lot->orbites) Juger(c, o, lot->fichier, r);
            ++faits_;
            std::lock_guard<std::mutex> verrou(m_);
            fini_.notify_all();
        }
    }
    void Joindre() {
        for (std::thread& f : fils_)
            if (f.joinable()) f.join();
    }
    File_Lots file_;
    std::vector<Recolte> recoltes_;
    std::vector<std::thread> fils_;
    std::atomic<int64_t> faits_{0};
    int64_t deposes_ = 0;
    std::mutex m_;
    std::condition_variable fini_;
};

void Ranger(Liste_Ce_Soir& l, std::vector<Recolte>& recoltes) {
    for (Recolte& r : recoltes) {
        l.Sans_Loi += r.Sans_Loi;
        l.Incalculables += r.Incalculables;
        std::move(r.lignes.begin(), r.lignes.end(), std::back_inserter(l.lignes));
    }
    const double sans = std::numeric_limits<double>::infinity();
    std::sort(l.lignes.begin(), l.lignes.end(), [&](const Ligne_Ce_Soir& a, const Ligne_Ce_Soir& b) {
        const double ma = a.Magnitude.value_or(sans), mb = b.Magnitude.value_or(sans);
        if (ma != mb) return ma < mb;
        return a.Objet < b.Objet;
    });
}

// The night of the request, or why the list stops there.
bool Preparer_Nuit(const Demande_Ce_Soir& d, Liste_Ce_Soir& l) {
    l.nuit = Calculer_Nuit_Noire(d.JJ_0h, d.lieu);
    if (l.nuit.noire || d.Periode_La_Plus_Sombre) return true;
    l.issue = Liste_Ce_Soir::Issue::Jamais_Noire;
    return false;
}

int64_t Taille_Fichiers(const QStringList& fichiers) {
    int64_t total = 0;
    for (const QString& f : fichiers) total += std::max<int64_t>(0, QFileInfo(f).size());
    return total;
}

// One file's orbits into the workshop by lots; false when it cannot be read or was stopped.
bool Lire_Fichier(const QString& chemin, int rang, Atelier& atelier, Liste_Ce_Soir& l, int64_t deja,
                  int64_t total, const std::function<bool(double)>& avancer) {
    QFile fichier(chemin);
    if (!Ouvrir_Fichier_Ordinaire(fichier)) {
        l.issue = Liste_Ce_Soir::Issue::Inaccessible;
        l.Fichier_Fautif = chemin;
        return false;
    }
    int64_t restant = fichier.size();
    File_Lots::Lot lot{rang, {}};
    const Bilan_Lecture bilan = Lire_Orbites(
        [&](char* tampon, int64_t taille) {
            const int64_t n = fichier.read(tampon, std::min(taille, restant));
            if (n > 0) restant -= n;
            return n;
        },
        [&](Orbite_Publiee&& o) {
            lot.orbites.push_back(std::move(o));
            if (lot.orbites.size() >= Taille_Lot)
                atelier.Deposer(std::exchange(lot, File_Lots::Lot{rang, {}}));
        },
        [&](int64_t lus) {
            return avancer(total > 0 ? Part_Lecture * static_cast<double>(deja + lus) / total : 0);
        });
    if (!lot.orbites.empty()) atelier.Deposer(std::move(lot));
    l.Orbites += bilan.Orbites;
    l.Refus.Ignorees += bilan.Ignorees;
    l.Refus.Distances_Nulles += bilan.Distances_Nulles;
    l.Refus.Absurdes += bilan.Absurdes;
    if (bilan.Echec) {
        l.issue = Liste_Ce_Soir::Issue::Echec_Lecture;
        l.Fichier_Fautif = chemin;
    }
    if (bilan.Interrompue) l.issue = Liste_Ce_Soir::Issue::Interrompue;
    return !bilan.Echec && !bilan.Interrompue;
}

QString Nombre(double x, int decimales, char separateur) {
    QString t = QString::number(x, 'f', decimales);
    if (t.startsWith(u'-') && t.toDouble() == 0) t.remove(0, 1);
    return t.replace(u'.', QChar::fromLatin1(separateur));
}

}  // namespace

QString Heure_TU(double jj) {
    const double jour = jj - 0.5;
    long minutes = std::lround((jour - std::floor(jour)) * Minutes_Par_Jour);
    minutes %= static_cast<long>(Minutes_Par_Jour);
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QChar(u'0'))
        .arg(minutes % 60, 2, 10, QChar(u'0'));
}

namespace {

// "12 34 56.7" and "+12 34 56", carries made after rounding.
QString Sexagesimal(double valeur, double unite_par_tour, int decimales, bool signe, char separateur) {
    const double echelle = std::pow(10.0, decimales);
    double total = std::round(std::fabs(valeur) * 3600 * echelle) / echelle;
    if (!signe && total >= unite_par_tour * 3600) total -= unite_par_tour * 3600;
    const long degres = static_cast<long>(total / 3600);
    const long minutes = static_cast<long>((total - degres * 3600.0) / 60);
    const double secondes = total - degres * 3600.0 - minutes * 60.0;
    QString s = signe ? QString(valeur < 0 && total > 0 ? u'-' : u'+') : QString();
    s += QStringLiteral("%1 %2 ").arg(degres, 2, 10, QChar(u'0')).arg(minutes, 2, 10, QChar(u'0'));
    QString sec = QString::number(secondes, 'f', decimales);
    if (secondes < 10) sec.prepend(u'0');
    return s + sec.replace(u'.', QChar::fromLatin1(separateur));
}

}  // namespace

double JJ_Instant_Utc(const QDateTime& instant) {
    return JJ_Epoque_Unix + static_cast<double>(instant.toMSecsSinceEpoch()) / Millisecondes_Par_Jour;
}

QString Verifier_Demande(const Demande_Ce_Soir& d) {
    if (!(std::fabs(d.lieu.Latitude) <= 90) || !(std::fabs(d.lieu.Longitude) <= 180)) return Texte_Lieu;
    if (!(d.JJ_0h >= JJ_An_1 && d.JJ_0h < JJ_An_10000)) return Texte_Date;
    if (!(d.Hauteur_Minimale >= Hauteur_Minimale_Basse && d.Hauteur_Minimale <= Hauteur_Minimale_Haute))
        return Texte_Hauteur;
    if (d.Magnitude_Limite &&
        !(*d.Magnitude_Limite >= Magnitude_Limite_Basse && *d.Magnitude_Limite <= Magnitude_Limite_Haute))
        return Texte_Magnitude;
    for (const std::optional<double>& f : {d.Elongation_Minimale, d.Distance_Lune_Minimale})
        if (f && !(*f >= 0 && *f <= Separation_Maximale)) return Texte_Filtre;
    return {};
}

std::optional<Loi_Magnitude> Loi_Liste(const Orbite_Publiee& o) {
    if (o.Loi_Totale) return o.Loi_Totale;
    if (o.Loi_Noyau && o.Loi_Noyau->forme == Forme_Loi::Asteroide) return o.Loi_Noyau;
    return std::nullopt;
}

Genre_Corps Genre_Orbite(const Orbite_Publiee& o) {
    if (o.Loi_Totale) return Genre_Corps::Comete;
    if (o.Loi_Noyau && o.Loi_Noyau->forme == Forme_Loi::Asteroide) return Genre_Corps::Petite_Planete;
    return Designation_Comete(o.Designation) ? Genre_Corps::Comete : Genre_Corps::Petite_Planete;
}

Elements Elements_Orbite(const Orbite_Publiee& o) {
    Elements el;
    el.e = o.e;
    el.q = o.q;
    if (!Orbite_Parabolique(o.e)) {
        el.a = o.q / (1 - o.e);
        el.n = Moyen_Mouvement(el.a);
        el.gQ = el.a * (1 + o.e);
    }
    el.i = o.i;
    el.Omega = o.Omega;
    el.gOmega = o.gOmega;
    Omega_Vers_Longitude(el);
    el.JJ_Perihelie = o.JJ_Perihelie;
    el.Equinoxe = o.Equinoxe;
    el.JJ_Equinoxe = Annee_Vers_JJ(o.Equinoxe);
    el.Equinoxe_ephemeride = 2000;
    el.JJ_Equinoxe_ephemeride = Annee_Vers_JJ(el.Equinoxe_ephemeride);
    if (std::isfinite(o.JJ_Epoque)) el.Epoque.JJ_Epoque = o.JJ_Epoque;
    el.Epoque.Non_Grav = o.Non_Grav;
    return el;
}

Liste_Ce_Soir Calculer_Liste_Ce_Soir(const Demande_Ce_Soir& d, const QStringList& fichiers,
                                     const std::function<bool(double fait)>& avancer) {
    Liste_Ce_Soir l;
    if (!Preparer_Nuit(d, l)) return l;
    const Contexte_Liste c{d, l.nuit};
    Atelier atelier(c, Nombre_Fils(d.Fils));
    const int64_t total = Taille_Fichiers(fichiers);
    int64_t deja = 0;
    for (qsizetype rang = 0; rang < fichiers.size(); ++rang) {
        const QString& f = fichiers[rang];
        if (!Lire_Fichier(f, static_cast<int>(rang), atelier, l, deja, total, avancer)) {
            atelier.Arreter();
            return l;
        }
        deja += std::max<int64_t>(0, QFileInfo(f).size());
    }
    if (!atelier.Finir(avancer)) {
        l.issue = Liste_Ce_Soir::Issue::Interrompue;
        return l;
    }
    Ranger(l, atelier.Recoltes());
    return l;
}

Liste_Ce_Soir Calculer_Liste_Orbites(const Demande_Ce_Soir& d, const std::vector<Orbite_Publiee>& orbites) {
    Liste_Ce_Soir l;
    if (!Preparer_Nuit(d, l)) return l;
    const Contexte_Liste c{d, l.nuit};
    std::vector<Recolte> recoltes(1);
    for (const Orbite_Publiee& o : orbites) Juger(c, o, 0, recoltes[0]);
    l.Orbites = static_cast<int64_t>(orbites.size());
    Ranger(l, recoltes);
    return l;
}

QStringList Remarques_Liste(const Liste_Ce_Soir& l, const Demande_Ce_Soir& d) {
    QStringList r;
    const char point = '.';
    if (l.nuit.noire) {
        r << Texte_Nuit.arg(Heure_TU(l.nuit.sombre.debut), Heure_TU(l.nuit.sombre.fin));
    } else {
        r << Texte_Jamais_Noire.arg(Nombre(l.nuit.Soleil_Minimal, 1, point), Heure_TU(l.nuit.sombre.debut),
                                    Heure_TU(l.nuit.sombre.fin), Nombre(Marge_Periode_Sombre, 0, point));
    }
    if (d.Magnitude_Limite && l.Sans_Loi > 0)
        r << (l.Sans_Loi == 1 ? Texte_Sans_Loi_Un : Texte_Sans_Loi.arg(l.Sans_Loi));
    if (l.Incalculables > 0)
        r << (l.Incalculables == 1 ? Texte_Incalculable_Un : Texte_Incalculable.arg(l.Incalculables));
    return r;
}

QStringList Entete_Ce_Soir() { return Colonnes; }

QStringList Cellules_Ce_Soir(const Ligne_Ce_Soir& l, char separateur) {
    constexpr double Heures_Par_Tour = 24, Degres_Par_Tour = 360;
    return {l.Objet,
            l.Magnitude ? Nombre(*l.Magnitude, 1, separateur) : QString(),
            Nombre(l.Hauteur, 1, separateur),
            Heure_TU(l.JJ),
            Sexagesimal(l.Alpha * Degres_Par_Radian / 15, Heures_Par_Tour, 1, false, separateur),
            Sexagesimal(l.Delta * Degres_Par_Radian, Degres_Par_Tour, 0, true, separateur),
            Nombre(l.Elongation, 1, separateur),
            Nombre(l.Distance_Lune, 1, separateur),
            Nombre(l.Distance_Terre, 4, separateur),
            Nombre(l.Mouvement, 2, separateur)};
}

bool Charger_Ligne_Ce_Soir(Programme& p, const Ligne_Ce_Soir& l, double JJ_0h, const QString& source) {
    if (!Preparer_Remplacement(p)) return false;
    Vider_Document(p);
    Remplir_Orbite(p, l.orbite, source);
    Elements date;
    date.JJ_Perihelie = JJ_0h;
    if (JJ_Vers_Date_Perihelie(date))
        Inscrire_Date_Du_Jour(
            p, QDate(date.An_Perihelie, date.Mois_Perihelie, static_cast<int>(date.Jour_Perihelie)));
    Rafraichir(p.Page());
    return true;
}
