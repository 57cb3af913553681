#!/usr/bin/env python3
"""Writes a minor-planet catalogue of full size in the MPCORB layout, made up
from Ceres's line as bench_import.cpp makes it: every line its own
designation, name and elements. The 300 MB file is for measuring the batch
program (time, resident memory) and never belongs in git.

    tests/benchmarks/generer_mpcorb.py /tmp/MPCORB.DAT [LIGNES]
"""
import sys

CERES = ("00001    3.4   0.15 K205V 162.68631   73.73161   80.28698   10.58862  0.0775571  0.21406009   "
         "2.7676569  0 MPO492748  6751 115 1801-2019 0.60 M-v 30h Williams   0000      (1) Ceres              "
         "20190915")


def ligne(k):
    l = list(CERES)

    def ecrire(colonne, texte):
        l[colonne - 1:colonne - 1 + len(texte)] = texte

    ecrire(1, "%07d" % (k % 10_000_000))
    ecrire(27, "%9.5f" % ((k * 7919) % 36_000_000 / 100_000.0))
    ecrire(38, "%9.5f" % ((k * 104_729) % 36_000_000 / 100_000.0))
    ecrire(49, "%9.5f" % ((k * 1_299_709) % 36_000_000 / 100_000.0))
    ecrire(60, "%9.5f" % ((k * 15_485_863) % 3_000_000 / 100_000.0))
    ecrire(71, "%9.7f" % ((k % 9000) / 10_000.0))
    ecrire(81, "%11.8f" % (0.1 + (k % 1000) / 1000.0))
    ecrire(93, "%11.7f" % (1.5 + (k % 3000) / 1000.0))
    nom = "(%d) %d %c%c%d" % (k + 1, 1990 + k % 35, chr(65 + k % 24), chr(65 + k // 24 % 25), k % 997)
    l[166:194] = (nom + " " * 28)[:28]
    return "".join(l)


def main():
    chemin = sys.argv[1]
    lignes = int(sys.argv[2]) if len(sys.argv) > 2 else 1_500_000
    with open(chemin, "w", encoding="ascii", newline="\n") as f:
        f.write("MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\n" + "-" * 94 + "\n")
        for k in range(lignes):
            f.write(ligne(k) + "\n")


if __name__ == "__main__":
    main()
