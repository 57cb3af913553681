#pragma once

// The observers' magnitude estimates in the International Comet Quarterly's
// 80-column lines (the COBS database exports the same lines). Only the
// identification, the date, the total magnitude with its two marks and the
// observer's code are read; coma, tail and remarks are left alone. A line
// is read by its byte columns, so remarks in Windows-1252 or UTF-8 change
// nothing; lines may end in CR LF, LF or CR alone.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// Why a line gives no estimate.
enum class Rejet_Icq {
    Sans_Magnitude,  // coma or tail only
    Limite,          // "[": not seen, the magnitude is a limit
    Incertaine,      // ":": a poor estimate
    Autre_Format,    // not an ICQ line
    Date_Impossible,
    Magnitude_Absurde,  // outside −10…30
    Nombre
};
constexpr std::size_t Nombre_Rejets = static_cast<std::size_t>(Rejet_Icq::Nombre);

// Magnitudes outside this range are no comet's.
constexpr double Magnitude_Icq_Min = -10;
constexpr double Magnitude_Icq_Max = 30;

struct Estimation_Icq {
    double JJ = 0;            // UT Julian day
    double magnitude = 0;     // total
    int comete = 0;           // index into Lecture_Icq::cometes
    std::string observateur;  // columns 76–80, blanks removed
};

struct Lecture_Icq {
    enum class Issue { Lu, Illisible, Interrompu } issue = Issue::Lu;
    std::vector<Estimation_Icq> estimations;
    std::vector<std::string> cometes;                    // designations met: "1P", "1995O1", in the order met
    std::unordered_map<std::string, int> index_cometes;  // their ranks in `cometes`
    int64_t rejets[Nombre_Rejets] = {};
    int64_t Rejetees() const;
};

// The designation of a line's comet: the periodic number with "P" (or the
// letter written after it), else the compact designation "1995O1"; empty
// when the line names none.
std::string Designation_Icq(const QByteArray& ligne);

// The designation an element set's name gives, in the same form: "1P/Halley"
// → "1P", "C/1995 O1 (Hale-Bopp)" → "1995O1"; empty when it gives none.
std::string Designation_Objet(const QString& nom);

// Reads one line into `lecture`: an estimate, a rejection, or nothing for a
// blank line.
void Lire_Ligne_Icq(const QByteArray& ligne, Lecture_Icq& lecture);

// Reads the text, split at CR LF, LF or CR.
Lecture_Icq Lire_Texte_Icq(const QByteArray& texte);

// Reads the file by blocks; `avancer` hears the bytes read so far and the
// file's size after each block, and stops the read by answering false.
Lecture_Icq Lire_Fichier_Icq(const QString& chemin,
                             const std::function<bool(int64_t lus, int64_t total)>& avancer);
