#!/usr/bin/python3
# Writes catalogue.txt: a made-up catalogue of minor planets (MPCORB layout)
# and comets (the MPC's one-line comet layout), every one osculating on
# 2026 April 15, bright enough around magnitude 12 for the tonight list's
# thresholds to matter, with a few lines without a law and a few damaged ones.
import math
import random

K_GAUSS_DEG = 0.9856076686  # degrees per day at a = 1 AU
EPOQUE_COMPACTE = "K264F"    # 2026 April 15
EPOQUE_COMETE = "20260415"
JJ_EPOQUE = 2461145.5

CERES = ("00001    3.4   0.15 K205V 162.68631   73.73161   80.28698   10.58862  0.0775571  0.21406009   "
         "2.7676569  0 MPO492748  6751 115 1801-2019 0.60 M-v 30h Williams   0000      (1) Ceres              "
         "20190915")
ENCKE = ("0002P         2023 10 22.5000  0.330200  0.848300  186.5400  334.5700   11.7800  20230901  11.5  6.0  "
         "2P/Encke                                                 MPC 12345")


def placer(ligne, colonne, texte):
    """Puts `texte` at the 1-based `colonne`, keeping the line's length."""
    ligne = ligne.ljust(colonne - 1 + len(texte))
    return ligne[:colonne - 1] + texte + ligne[colonne - 1 + len(texte):]


def petite_planete(k, H, G, a, e, i, w, noeud, M):
    n = K_GAUSS_DEG / a ** 1.5
    l = CERES
    l = placer(l, 1, "%07d" % (90000 + k))
    l = placer(l, 9, "%5.2f" % H if H is not None else " " * 5)
    l = placer(l, 15, "%5.2f" % G if H is not None else " " * 5)
    l = placer(l, 21, EPOQUE_COMPACTE)
    l = placer(l, 27, "%9.5f" % M)
    l = placer(l, 38, "%9.5f" % w)
    l = placer(l, 49, "%9.5f" % noeud)
    l = placer(l, 60, "%9.5f" % i)
    l = placer(l, 71, "%9.7f" % e)
    l = placer(l, 81, "%11.8f" % n)
    l = placer(l, 93, "%11.7f" % a)
    l = placer(l, 167, ("(%d) Essai %d" % (90000 + k, k)).ljust(28))
    return l


def comete(k, an, mois, jour, q, e, w, noeud, i, g, kk):
    l = ENCKE
    l = placer(l, 1, "    C")
    l = placer(l, 6, "K26E%03d" % k)
    l = placer(l, 15, "%4d %02d %7.4f" % (an, mois, jour))
    l = placer(l, 31, "%9.6f" % q)
    l = placer(l, 42, "%8.6f" % e)
    l = placer(l, 52, "%8.4f" % w)
    l = placer(l, 62, "%8.4f" % noeud)
    l = placer(l, 72, "%8.4f" % i)
    l = placer(l, 82, EPOQUE_COMETE)
    l = placer(l, 92, "%4.1f" % g)
    l = placer(l, 97, "%4.1f" % kk)
    l = placer(l, 103, ("C/2026 E%d (Essai)" % k).ljust(56))
    return l


def date_calendrier(jj):
    """Gregorian calendar date (year, month, day with fraction) of a Julian day."""
    z = math.floor(jj + 0.5)
    f = jj + 0.5 - z
    alpha = math.floor((z - 1867216.25) / 36524.25)
    a = z + 1 + alpha - math.floor(alpha / 4)
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    jour = b - d - math.floor(30.6001 * e) + f
    mois = e - 1 if e < 14 else e - 13
    an = c - 4716 if mois > 2 else c - 4715
    return an, mois, jour


def main():
    hasard = random.Random(29)
    lignes = ["MINOR PLANET CENTER ORBIT DATABASE (MPCORB)", "-" * 160]
    for k in range(240):
        if k % 5 == 0:  # a near-Earth object
            a, e = hasard.uniform(1.1, 2.0), hasard.uniform(0.2, 0.6)
            H = hasard.uniform(12, 19)
        else:  # the main belt, around magnitude 12 at opposition
            a, e = hasard.uniform(2.1, 3.4), hasard.uniform(0.0, 0.25)
            H = hasard.uniform(6, 13)
        H = None if k in (7, 77, 177) else H
        lignes.append(petite_planete(k, H, hasard.uniform(0.05, 0.4), a, e, hasard.uniform(0, 35),
                                     hasard.uniform(0, 360), hasard.uniform(0, 360), hasard.uniform(0, 360)))
    for k in range(70):
        e = hasard.choice([hasard.uniform(0.3, 0.95), hasard.uniform(0.95, 1.0), 1.0, hasard.uniform(1.0, 1.05)])
        q = hasard.uniform(0.6, 4.5)
        an, mois, jour = date_calendrier(JJ_EPOQUE + hasard.uniform(-400, 400))
        lignes.append(comete(k, an, mois, jour, q, e, hasard.uniform(0, 360), hasard.uniform(0, 360),
                             hasard.uniform(0, 150), hasard.uniform(4, 13), hasard.uniform(2, 6)))
    # Damaged lines: a comet line shifted by a character, an MPCORB line cut short.
    lignes.insert(50, " " + lignes[260])
    lignes.insert(120, lignes[121][:80])
    with open("catalogue.txt", "w") as f:
        f.write("\n".join(lignes) + "\n")


main()
