#!/usr/bin/python3
# Writes reference.tsv, tonight's best moments of the bodies of catalogue.txt
# from three sites, computed independently of the program with PyEphem
# (Debian's python3-ephem): the dark stretch from the Sun sampled every two
# minutes and bisected, each body's altitude sampled every two minutes over
# it then refined, and its magnitude at that moment from the published laws.
# Altitudes are PyEphem's apparent topocentric ones without refraction; the
# bodies move on their two-body orbits.
import math
import sys

import ephem

SITES = [  # name, latitude, longitude (degrees), date of the night
    ("nord", 44.0, 5.7, (2026, 3, 15)),
    ("sud", -30.2, -70.8, (2026, 6, 15)),
    ("haute_latitude", 62.0, 25.0, (2026, 6, 15)),
]
JJ_DUBLIN = 2415020.0  # PyEphem counts days from 1899 December 31.5
PAS = 2.0 / 1440       # days
NUIT = -18.0           # degrees
MARGE_SOMBRE = 3.0     # degrees above the Sun's lowest: the darkest stretch
K_GAUSS_DEG = 0.9856076686


def jj_calendrier(an, mois, jour):
    if mois <= 2:
        an, mois = an - 1, mois + 12
    a = an // 100
    return math.floor(365.25 * (an + 4716)) + math.floor(30.6001 * (mois + 1)) + jour + 2 - a + a // 4 - 1524.5


def jj_compacte(t):
    siecle = {"I": 1800, "J": 1900, "K": 2000}[t[0]]
    chiffre = lambda c: int(c) if c.isdigit() else ord(c) - ord("A") + 10
    return jj_calendrier(siecle + int(t[1:3]), chiffre(t[3]), chiffre(t[4]))


def nombre(texte):
    texte = texte.strip()
    return float(texte) if texte else None


def lire(ligne):
    """The body of a line: (name, PyEphem body, law) or None."""
    if len(ligne) >= 194 and ligne[25] == " " and ligne[0:7].strip().isdigit():
        nom = ligne[166:194].strip()
        b = ephem.EllipticalBody()
        b._a, b._e = float(ligne[92:103]), float(ligne[70:79])
        b._inc, b._om, b._Om = float(ligne[59:68]), float(ligne[37:46]), float(ligne[48:57])
        b._M, b._epoch_M = float(ligne[26:35]), ephem.Date(jj_compacte(ligne[20:25]) - JJ_DUBLIN)
        b._epoch = ephem.Date("2000/1/1.5")
        H, G = nombre(ligne[8:13]), nombre(ligne[14:19])
        return nom, b, (("HG", H, G) if H is not None else None)
    if len(ligne) >= 158 and ligne[4] == "C" and ligne[13] == " ":
        nom = ligne[102:158].strip()
        T = jj_calendrier(int(ligne[14:18]), int(ligne[19:21]), float(ligne[22:29]))
        q, e = float(ligne[30:39]), float(ligne[41:49])
        w, noeud, i = float(ligne[51:59]), float(ligne[61:69]), float(ligne[71:79])
        if e < 1:
            b = ephem.EllipticalBody()
            b._a, b._e, b._M, b._epoch_M = q / (1 - e), e, 0.0, ephem.Date(T - JJ_DUBLIN)
        elif e == 1:
            b = ephem.ParabolicBody()
            b._q, b._epoch_p = q, ephem.Date(T - JJ_DUBLIN)
        else:
            b = ephem.HyperbolicBody()
            b._q, b._e, b._epoch_p = q, e, ephem.Date(T - JJ_DUBLIN)
        b._inc, b._om, b._Om = i, w, noeud
        b._epoch = ephem.Date("2000/1/1.5")
        return nom, b, ("gk", float(ligne[91:95]), float(ligne[96:100]))
    return None


def phi(A, B, C, beta):
    """Bowell et al. (1989): the basis function, beta in radians."""
    s, t = math.sin(beta), math.tan(beta / 2)
    W = math.exp(-90.56 * t * t)
    lisse = 1 - C * s / (0.119 + 1.341 * s - 0.754 * s * s)
    lineaire = math.exp(-A * t ** B)
    return W * lisse + (1 - W) * lineaire


def magnitude(loi, r, delta, R):
    if loi is None:
        return None
    if loi[0] == "gk":
        return loi[1] + 5 * math.log10(delta) + 2.5 * loi[2] * math.log10(r)
    beta = math.acos(max(-1.0, min(1.0, (r * r + delta * delta - R * R) / (2 * r * delta))))
    H, G = loi[1], loi[2]
    f = (1 - G) * phi(3.332, 0.631, 0.986, beta) + G * phi(1.862, 1.218, 0.238, beta)
    return H + 5 * math.log10(r * delta) - 2.5 * math.log10(f)


def hauteur(corps, obs, jj):
    obs.date = ephem.Date(jj - JJ_DUBLIN)
    corps.compute(obs)
    return math.degrees(corps.alt)


def bord(f, dedans, dehors):
    """Bisection between an instant where f < 0 and one where it is not."""
    for _ in range(40):
        m = (dedans + dehors) / 2
        if f(m) < 0:
            dedans = m
        else:
            dehors = m
    return dedans


def nuit(obs, lat, lon, date):
    midi = jj_calendrier(*date) + 0.5 - lon / 360
    soleil = ephem.Sun()
    h = lambda jj: hauteur(soleil, obs, jj)
    t = [midi + k * PAS for k in range(int(1 / PAS) + 1)]
    hs = [h(x) for x in t]
    sombres = [k for k, x in enumerate(hs) if x < NUIT]
    if sombres:
        k0 = sombres[0]
        k1 = k0
        while k1 + 1 < len(hs) and hs[k1 + 1] < NUIT:
            k1 += 1
        debut = bord(lambda x: h(x) - NUIT, t[k0], t[k0 - 1]) if k0 > 0 else t[0]
        fin = bord(lambda x: h(x) - NUIT, t[k1], t[k1 + 1]) if k1 + 1 < len(t) else t[-1]
        return debut, fin, True
    kmin = min(range(len(hs)), key=lambda k: hs[k])
    niveau = hs[kmin] + MARGE_SOMBRE
    k0 = kmin
    while k0 > 0 and hs[k0 - 1] < niveau:
        k0 -= 1
    k1 = kmin
    while k1 + 1 < len(hs) and hs[k1 + 1] < niveau:
        k1 += 1
    debut = bord(lambda x: h(x) - niveau, t[k0], t[k0 - 1]) if k0 > 0 else t[0]
    fin = bord(lambda x: h(x) - niveau, t[k1], t[k1 + 1]) if k1 + 1 < len(t) else t[-1]
    return debut, fin, False


def meilleur(corps, obs, debut, fin):
    n = max(1, math.ceil((fin - debut) / PAS))
    t = [debut + k * (fin - debut) / n for k in range(n + 1)]
    hs = [hauteur(corps, obs, x) for x in t]
    k = max(range(len(hs)), key=lambda j: hs[j])
    a, b = t[max(0, k - 1)], t[min(n, k + 1)]
    for _ in range(40):  # ternary search on the bracket of the best sample
        m1, m2 = a + (b - a) / 3, b - (b - a) / 3
        if hauteur(corps, obs, m1) < hauteur(corps, obs, m2):
            a = m1
        else:
            b = m2
    jj = (a + b) / 2
    h = hauteur(corps, obs, jj)
    return (jj, h) if h > hs[k] else (t[k], hs[k])


def main():
    catalogue = sys.argv[1] if len(sys.argv) > 1 else "catalogue.txt"
    corps = [c for c in (lire(l.rstrip("\n")) for l in open(catalogue)) if c]
    sortie = open(sys.argv[2] if len(sys.argv) > 2 else "reference.tsv", "w")
    sortie.write("genre\tsite\tnom\thauteur\tjj\tmagnitude\n")
    for site, lat, lon, date in SITES:
        obs = ephem.Observer()
        obs.lat, obs.lon = str(lat), str(lon)
        obs.elevation, obs.pressure = 0, 0
        obs.epoch = ephem.Date("2000/1/1.5")
        debut, fin, noire = nuit(obs, lat, lon, date)
        sortie.write("nuit\t%s\t%s\t%.6f\t%.6f\t\n" % (site, "noire" if noire else "sombre", debut, fin))
        soleil = ephem.Sun()
        for nom, b, loi in corps:
            jj, h = meilleur(b, obs, debut, fin)
            obs.date = ephem.Date(jj - JJ_DUBLIN)
            b.compute(obs)
            soleil.compute(obs)
            m = magnitude(loi, b.sun_distance, b.earth_distance, soleil.earth_distance)
            sortie.write("corps\t%s\t%s\t%.4f\t%.6f\t%s\n" % (site, nom, h, jj, "" if m is None else "%.4f" % m))


main()
