#include "plateforme/boite_memoire.h"

Boite_Memoire::Boite_Memoire() = default;

const Boite_Memoire::Proprietes& Boite_Memoire::De(Controle c) const {
    return controles_[static_cast<std::size_t>(c)];
}

Boite_Memoire::Proprietes& Boite_Memoire::De(Controle c) { return controles_[static_cast<std::size_t>(c)]; }

QString Boite_Memoire::Texte(Controle c) const { return De(c).texte; }

void Boite_Memoire::Ecrire_Texte(Controle c, const QString& texte) {
    const int max = De(c).longueur_max;
    // An edit field never holds more than its maximum length, whoever writes it.
    De(c).texte = (max > 0 && Est_Controle_Saisie(c)) ? texte.left(max) : texte;
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
void Boite_Memoire::Selectionner_Tout(Controle c) { derniere_selection_ = c; }
void Boite_Memoire::Bip() { messages_.push_back({Genre::Bip, {}, {}}); }
void Boite_Memoire::Avertissement(const QString& titre, const QString& texte) {
    messages_.push_back({Genre::Avertissement, titre, texte});
}
void Boite_Memoire::Message_Erreur(const QString& texte) { messages_.push_back({Genre::Erreur, {}, texte}); }
