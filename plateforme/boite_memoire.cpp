#include "plateforme/boite_memoire.h"

#include <algorithm>

namespace {

// A surface that draws nothing, with simple metrics: 6 pixels per character,
// 13 pixels per line.
class Canevas_Nul : public Canevas {
public:
    void Ecrire_Texte(int, int, const QString&) override {}
    int Largeur_Texte(const QString& texte) override { return 6 * static_cast<int>(texte.size()); }
    int Hauteur_Texte(const QString&) override { return 13; }
    void Choisir_Police(const QString&, int, Jeu_Caracteres) override {}
    void Choisir_Crayon(uint32_t, Style_Trait, int) override {}
    void Tracer_Ligne(int, int, int, int) override {}
    void Remplir_Rectangle(const QRect&) override {}
    void Colorier_Rectangle(const QRect&, uint32_t) override {}
};

constexpr int Position_Barre_Maximale = 100;

}  // namespace

Boite_Memoire::Boite_Memoire() = default;

const Boite_Memoire::Proprietes& Boite_Memoire::De(Controle c) const {
    return controles_[static_cast<std::size_t>(c)];
}

Boite_Memoire::Proprietes& Boite_Memoire::De(Controle c) { return controles_[static_cast<std::size_t>(c)]; }

QString Boite_Memoire::Texte(Controle c) const { return De(c).texte; }

void Boite_Memoire::Ecrire_Texte(Controle c, const QString& texte) {
    // A maximum length limits typing only: what the program writes goes in
    // whole. A new text leaves the caret at its end.
    De(c).texte = texte;
    De(c).debut_selection = static_cast<int>(De(c).texte.size());
    De(c).longueur_selection = 0;
}

bool Boite_Memoire::Visible(Controle c) const { return De(c).visible; }
void Boite_Memoire::Montrer(Controle c, bool visible) { De(c).visible = visible; }
bool Boite_Memoire::Actif(Controle c) const { return De(c).actif; }
void Boite_Memoire::Activer(Controle c, bool actif) { De(c).actif = actif; }
bool Boite_Memoire::Coche(Controle c) const { return De(c).coche; }
void Boite_Memoire::Cocher(Controle c, bool coche) { De(c).coche = coche; }
QString Boite_Memoire::Indice(Controle c) const { return De(c).indice; }
void Boite_Memoire::Ecrire_Indice(Controle c, const QString& indice) { De(c).indice = indice; }
int Boite_Memoire::Longueur_Max(Controle c) const { return De(c).longueur_max; }
void Boite_Memoire::Ecrire_Longueur_Max(Controle c, int longueur) { De(c).longueur_max = longueur; }
QRect Boite_Memoire::Geometrie(Controle c) const { return De(c).geometrie; }
void Boite_Memoire::Placer(Controle c, const QRect& geometrie) { De(c).geometrie = geometrie; }
QString Boite_Memoire::Police(Controle c) const { return De(c).police; }
void Boite_Memoire::Ecrire_Police(Controle c, const QString& nom) { De(c).police = nom; }
void Boite_Memoire::Selectionner_Tout(Controle c) {
    derniere_selection_ = c;
    Selectionner(c, 0, static_cast<int>(De(c).texte.size()));
}

void Boite_Memoire::Selectionner(Controle c, int debut, int longueur) {
    const int taille = static_cast<int>(De(c).texte.size());
    De(c).debut_selection = std::clamp(debut, 0, taille);
    De(c).longueur_selection = std::clamp(longueur, 0, taille - De(c).debut_selection);
}

QString Boite_Memoire::Texte_Selectionne(Controle c) const {
    return De(c).texte.mid(De(c).debut_selection, De(c).longueur_selection);
}

void Boite_Memoire::Copier_Selection(Controle c) {
    if (De(c).longueur_selection > 0) presse_papiers_ = Texte_Selectionne(c);
}

void Boite_Memoire::Couper_Selection(Controle c) {
    if (De(c).longueur_selection == 0) return;
    Copier_Selection(c);
    De(c).texte.remove(De(c).debut_selection, De(c).longueur_selection);
    De(c).longueur_selection = 0;
}

void Boite_Memoire::Coller_Dans(Controle c) {
    Proprietes& p = De(c);
    QString texte = p.texte;
    texte.replace(p.debut_selection, p.longueur_selection, Presse_Papiers());
    const int caret = p.debut_selection + static_cast<int>(Presse_Papiers().size());
    // Pasting is typing: an edit field keeps only what fits its maximum length.
    if (p.longueur_max > 0 && Est_Controle_Saisie(c)) texte.truncate(p.longueur_max);
    Ecrire_Texte(c, texte);
    Selectionner(c, std::min(caret, static_cast<int>(p.texte.size())), 0);
}

void Boite_Memoire::Message(const QString& texte) { messages_.push_back({Genre::Simple, {}, texte}); }

Reponse Boite_Memoire::Confirmer(const QString& question, Reponse) {
    messages_.push_back({Genre::Question, {}, question});
    if (reponses_.empty()) return Reponse::Annuler;
    const Reponse r = reponses_.front();
    reponses_.pop_front();
    return r;
}

std::optional<QString> Boite_Memoire::Prochain_Dialogue(const Dialogue_Fichier& dialogue) {
    dialogues_montres_.push_back(dialogue);
    if (dialogues_.empty()) return std::nullopt;
    const bool choisi = dialogues_.front().has_value();
    const QString chemin = dialogues_.front().value_or(QString());
    dialogues_.pop_front();
    if (!choisi) return std::nullopt;
    return chemin;
}

std::optional<QString> Boite_Memoire::Dialogue_Ouvrir(const Dialogue_Fichier& dialogue) {
    return Prochain_Dialogue(dialogue);
}

std::optional<QString> Boite_Memoire::Dialogue_Enregistrer(const Dialogue_Fichier& dialogue) {
    return Prochain_Dialogue(dialogue);
}

std::optional<int> Boite_Memoire::Choisir_Objet(const QString&, const Source_Objets& source) {
    ++choix_montres_;
    lignes_choix_.clear();
    if (choix_.empty()) return std::nullopt;
    const Choix c = choix_.front();
    choix_.pop_front();
    const std::vector<int> rangs = source.Chercher(c.recherche);
    for (const int r : rangs) lignes_choix_.push_back(source.Ligne(r));
    if (!c.ligne || *c.ligne < 0 || static_cast<std::size_t>(*c.ligne) >= rangs.size()) return std::nullopt;
    return rangs[static_cast<std::size_t>(*c.ligne)];
}

std::optional<Saisie_Lois> Boite_Memoire::Saisir_Lois(const Saisie_Lois& actuelle,
                                                      const Refus_Saisie_Lois& refus) {
    lois_montrees_ = actuelle;
    if (lois_.empty()) return std::nullopt;
    const std::optional<std::function<void(Saisie_Lois&)>> saisie = lois_.front();
    lois_.pop_front();
    if (!saisie) return std::nullopt;
    Saisie_Lois texte = actuelle;
    (*saisie)(texte);
    const QString pourquoi = refus(texte);
    if (pourquoi.isEmpty()) return texte;
    refus_lois_.push_back(pourquoi);
    return std::nullopt;
}

void Boite_Memoire::Commencer_Progression(const QString&, int64_t) {
    progression_ = true;
    pas_ = 0;
}

bool Boite_Memoire::Avancer_Progression(int64_t) {
    ++pas_;
    return annulation_ == 0 || pas_ < annulation_;
}

void Boite_Memoire::Terminer_Progression() { progression_ = false; }
void Boite_Memoire::Bip() { messages_.push_back({Genre::Bip, {}, {}}); }
void Boite_Memoire::Avertissement(const QString& titre, const QString& texte) {
    messages_.push_back({Genre::Avertissement, titre, texte});
}
void Boite_Memoire::Message_Erreur(const QString& texte) { messages_.push_back({Genre::Erreur, {}, texte}); }

Canevas& Boite_Memoire::Canevas_Fenetre() {
    static Canevas_Nul nul;
    return canevas_fenetre_ ? *canevas_fenetre_ : nul;
}

Canevas* Boite_Memoire::Dialogue_Impression() {
    ++dialogues_impression_;
    return imprimante_;
}

Boite_Memoire::Barre& Boite_Memoire::Barre_De(Controle barre) {
    return barre == Controle::VerticalBar ? barre_verticale_ : barre_horizontale_;
}

const Boite_Memoire::Barre& Boite_Memoire::Etat_Barre(Controle barre) const {
    return barre == Controle::VerticalBar ? barre_verticale_ : barre_horizontale_;
}

void Boite_Memoire::Regler_Barre(Controle barre, int taille_page, int grand_pas) {
    Barre_De(barre).taille_page = taille_page;
    Barre_De(barre).grand_pas = grand_pas;
}

int Boite_Memoire::Position_Barre(Controle barre) const { return Etat_Barre(barre).position; }

void Boite_Memoire::Ecrire_Position_Barre(Controle barre, int position) {
    // A bar brings a position outside its range to the nearest bound.
    const int borne = std::clamp(position, 0, Position_Barre_Maximale);
    if (borne == Barre_De(barre).position) return;
    Barre_De(barre).position = borne;
    if (Changement_Barre) Changement_Barre(barre);
}

QSize Boite_Memoire::Taille_Client() const { return taille_client_; }
