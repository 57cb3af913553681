#pragma once

// What the "choose one of these objects" dialog lists: many rows, filtered
// as the user types. The document's catalogue of orbits answers it; the
// platform only shows it.

#include <QString>
#include <vector>

// One row of the list: the object and the columns shown beside it.
struct Ligne_Objet {
    QString Designation;
    QString Perihelie;
    QString q;
    QString e;
};

class Source_Objets {
public:
    virtual ~Source_Objets() = default;
    virtual int Nombre() const = 0;
    virtual Ligne_Objet Ligne(int rang) const = 0;
    // The ranks of the objects whose designation or name holds `texte`,
    // ignoring case, in order; all of them for an empty text.
    virtual std::vector<int> Chercher(const QString& texte) const = 0;
};
