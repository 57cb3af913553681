#pragma once

// The names of the INDI properties and elements this program uses, as every
// mount driver shares them (INDI's standard properties).

#include <QString>

namespace Indi {

// The driver
inline const QString Pilote = QStringLiteral("DRIVER_INFO");
inline const QString Interface_Pilote = QStringLiteral("DRIVER_INTERFACE");  // a bit field
inline constexpr long long Interface_Telescope = 1;                          // its telescope bit

// Connecting the device
inline const QString Connexion = QStringLiteral("CONNECTION");
inline const QString Connecter = QStringLiteral("CONNECT");

// Where the mount points, apparent place of date
inline const QString Place_Date = QStringLiteral("EQUATORIAL_EOD_COORD");
inline const QString Ascension_Droite = QStringLiteral("RA");  // hours
inline const QString Declinaison = QStringLiteral("DEC");      // degrees
inline const QString Sur_Coordonnees = QStringLiteral("ON_COORD_SET");
inline const QString Poursuivre = QStringLiteral("TRACK");

// Tracking
inline const QString Mode_Poursuite = QStringLiteral("TELESCOPE_TRACK_MODE");
inline const QString Poursuite_Siderale = QStringLiteral("TRACK_SIDEREAL");
inline const QString Poursuite_Propre = QStringLiteral("TRACK_CUSTOM");
inline const QString Etat_Poursuite = QStringLiteral("TELESCOPE_TRACK_STATE");
inline const QString Poursuite_En_Marche = QStringLiteral("TRACK_ON");
inline const QString Vitesses_Poursuite = QStringLiteral("TELESCOPE_TRACK_RATE");
inline const QString Vitesse_AD = QStringLiteral("TRACK_RATE_RA");  // ″/s
inline const QString Vitesse_DE = QStringLiteral("TRACK_RATE_DE");  // ″/s

// Stopping and parking
inline const QString Arret_Mouvement = QStringLiteral("TELESCOPE_ABORT_MOTION");
inline const QString Arret = QStringLiteral("ABORT");
inline const QString Parcage = QStringLiteral("TELESCOPE_PARK");
inline const QString Parquer = QStringLiteral("PARK");

// The site and the time
inline const QString Site = QStringLiteral("GEOGRAPHIC_COORD");
inline const QString Latitude = QStringLiteral("LAT");    // degrees north
inline const QString Longitude = QStringLiteral("LONG");  // degrees east, 0 to 360
inline const QString Altitude = QStringLiteral("ELEV");   // metres
inline const QString Heure = QStringLiteral("TIME_UTC");
inline const QString Heure_UTC = QStringLiteral("UTC");
inline const QString Decalage = QStringLiteral("OFFSET");

// The side of the pier
inline const QString Cote_Pilier = QStringLiteral("TELESCOPE_PIER_SIDE");

}  // namespace Indi
