#pragma once

// The dates the published formats write: calendar dates with a fraction of
// a day, the MPC's packed dates, and the text of a Julian day shown again as
// a date. Shared by the readers and the chooser's index.

#include <cstdint>
#include <optional>
#include <string_view>

// The Julian day of a calendar date (day with fraction), when it is one.
std::optional<double> JJ_Calendrier(std::optional<int32_t> mois, std::optional<int32_t> an,
                                    std::optional<double> jour);

// The Julian days of the first and last days the calendar holds.
double JJ_Min();
double JJ_Max();

// Whether a Julian day is an epoch of osculation the page can integrate
// from: a date of the years 1 to 9999, as the page's dates.
bool Epoque_Tenue(double jj);

// A calendar date of perihelion, the day with its fraction.
struct Date_Perihelie {
    double Jour = 0;
    int32_t Mois = 0;
    int32_t An = 0;
};
// The date of a Julian day, rounded to `decimales` decimals of a day first,
// so that its text never shows a day past the end of its month.
std::optional<Date_Perihelie> Date_Arrondie(double jj, int decimales);

// The Julian day of a packed MPC date: century letter (I, J, K for 18, 19,
// 20), two digits of the year, month 1-9 A-C, day 1-9 A-V.
std::optional<double> JJ_Date_Compacte(std::string_view date);
// Whether a packed MPC date is a day of the calendar, as JJ_Date_Compacte
// would find, without working out its Julian day.
bool Date_Compacte_Tenue(std::string_view date);
