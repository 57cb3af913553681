#pragma once

// What the "Lois de magnitude…" dialog shows and answers: the law of each
// magnitude column and the epoch of osculation as the texts of its fields,
// with what it only shows (where each came from, A1, A2, A3).

#include <QString>
#include <functional>

struct Saisie_Loi {
    bool asteroide = false;  // the H,G law; else the comet's M + 5 log Δ + K log r + PC · β
    QString Zero;            // M1, M2 or H
    QString K;
    QString PC;
    QString G;
    QString Origine;  // shown only
    QString Colonne;  // shown only: what the page's column follows, the law or an estimate
};

struct Saisie_Lois {
    Saisie_Loi totale;
    Saisie_Loi noyau;
    QString Epoque;          // Julian day TT, or a date D/M/Y TT; empty: none
    QString A1, A2, A3;      // AU/day², shown only; empty: none
    QString Origine_Epoque;  // shown only
};

// Why the texts cannot be kept, in a sentence; empty when they can.
using Refus_Saisie_Lois = std::function<QString(const Saisie_Lois&)>;
