#!/usr/bin/env python3
"""Exact special points for the search table test.

Writes suchpunkte.txt beside this script: for every case its zeros, extrema (with
their kind) and inflection points in the range, from the symbolic derivatives of
computer algebra evaluated with 40 digits. Run: python3 suchpunkte.py

The definitions are the mathematical ones, independent of how the program
searches: a zero is a point where f is defined and 0 (sign change, touching, or
at an end of the domain); an extremum a strict local one of a continuous f
(where f' changes sign, kinks included; not at poles, jumps or domain ends); an
inflection point a point where f'' changes sign while f and f' are continuous.
Polynomial cases are cross-checked against their exact real roots.
"""
import math
import os

import mpmath as mp
import sympy as sp

mp.mp.dps = 40
X = sp.Symbol("X", real=True)
NAMEN = {"SIN": sp.sin, "COS": sp.cos, "TAN": sp.tan, "ABS": sp.Abs, "SQRT": sp.sqrt,
         "ARCSIN": sp.asin, "ARCTAN": sp.atan, "LN": sp.log, "EXP": sp.exp, "PI": sp.pi,
         "SGN": sp.sign}

# term, von, bis, P. Range -6..6 and P = 1 unless stated.
FAELLE = [
    # the table
    ("X^3-10*X",), ("2*X^3-24*X+5",), ("X^4-10*X^2+9",), ("30*COS(X)",), ("(X-1)^2+12",),
    ("2*X-SIN(2*X)",), ("ABS(X+2)",), ("ABS(X^2-9)",), ("X^(-1)",), ("ARCSIN(X/3)",),
    ("SIN(X)^2+COS(X)^2",), ("(X^2-1)/(X+1)",), ("(X+1)*SQRT(X)",),
    # the plain examples
    ("X^2/4-2",), ("X^2",), ("1/X",), ("SQRT(X)-1",), ("X*SIN(X+P)",),
    # kinks and their kinds
    ("ABS(X)",), ("ABS(X-1)",), ("ABS(X^2-1)",), ("SQRT(ABS(X))",), ("ABS(SIN(X))",), ("-ABS(X)",),
    ("X^4",), ("(X-1)^4",),
    # factorable polynomials
    ("(X+1)*(X-2)*(X-4)",), ("X^3-3*X",), ("(X^2-2)*(X^2-5)",), ("X^5-5*X^3+4*X",),
    ("(2*X-1)*(3*X+2)*(X-5)",), ("-(X-0,5)^2*(X+3)",),
    # steep and shifted lines, constants
    ("1000*X-1",), ("1000*X-3001",), ("-0,001*X+0,002",), ("7",),
    ("SIN(X)^2+COS(X)^2-0,5",),
    # poles, holes, domain ends
    ("TAN(X)",), ("1/(X^2-4)",), ("(X^2-4)/(X-1)",), ("(X^3-X)/(X-1)",), ("X/(X^2+1)",),
    ("SQRT(9-X^2)",), ("SQRT(X)*(X-2)",), ("LN(X)",), ("LN(X^2+1)",), ("ARCTAN(X)",),
    # trigonometric with known points
    ("SIN(X)",), ("COS(2*X)+1",), ("SIN(X)+COS(X)",), ("X+SIN(X)",), ("SIN(X)*COS(X)",),
    # more of the same kinds, added after the searches were written
    ("X^3/(X^2-1)",), ("SIN(X)/X",), ("EXP(X)-5",), ("(X^2-4)^2/10",), ("ABS(X^3-X)",), ("COS(X)^3",),
    ("SQRT(X^2+1)-2",), ("1/(1+EXP(-3*X))-0,25",), ("X^4-4*X^3+4*X^2",), ("SIN(X)+0,5*SIN(2*X)",),
    ("LN(ABS(X))",), ("X^2*EXP(X)-1",), ("ABS(X-1)-ABS(X+2)+1",), ("1/X^2",), ("-1/(X-1)^2+2",),
    ("SGN(X)+0,9999999",), ("SGN(X-1)*(X-1)^2",),
    # other ranges and parameters
    # holes and open domain ends, added with the rule that they are no points
    ("X^2*LN(X)",), ("(X-2)^2/(X^2-4)",), ("SQRT(X)*LN(X)",), ("(X^2+X^3)/X",), ("X^3/ABS(X)",), ("X^2*LN(X^2)",),
    ("SQRT(4-X^2)*(X-1)",),
    ("X^2-P", -3, 3, 2), ("(X-P)^3-(X-P)", -2, 5, 1.5), ("SIN(PI*X)", -1.3, 2.7, 1),
    ("EXP(-X^2)", -4, 4, 1), ("X*EXP(-X)", -1, 8, 1), ("X^3-6*X^2+9*X+1", -1, 5, 1),
]

WEITUNG = 0.0001  # the search range is the fields' range widened by this on both sides


def ausdruck(term, p):
    text = term.replace(",", ".").replace("^", "**")
    namen = dict(NAMEN, X=X, P=sp.nsimplify(p))
    return sp.parse_expr(text, local_dict=namen)


def auswerter(expr):
    expr = expr.replace(sp.DiracDelta, lambda *a: sp.S.Zero)
    g = sp.lambdify(X, expr, "mpmath")

    def f(x):
        try:
            v = g(mp.mpf(x))
        except (ZeroDivisionError, ValueError, OverflowError):
            return None
        if isinstance(v, mp.mpc):
            if v.imag != 0:
                return None
            v = v.real
        v = mp.mpf(v)
        if not mp.isfinite(v):
            return None
        return v
    return f


def halbieren(test, a, b, schritte=170):
    """Bisect [a, b] where test(a) holds and test(b) does not."""
    for _ in range(schritte):
        m = (a + b) / 2
        if test(m):
            a = m
        else:
            b = m
    return a, b


def wechsel(g, gitter):
    """Points where g changes sign between defined grid values, bisected."""
    werte = [g(x) for x in gitter]
    punkte = []
    for i in range(len(gitter) - 1):
        u, v = werte[i], werte[i + 1]
        if u is None or v is None or not (u * v < 0):
            continue
        links = u < 0
        a, b = halbieren(lambda t: (g(t) is not None and g(t) < 0) == links, gitter[i], gitter[i + 1])
        punkte.append(((a + b) / 2, u))
    return punkte


def stetig(f, r, eps=mp.mpf("1e-25"), tol=mp.mpf("1e-12")):
    werte = [f(r - eps), f(r), f(r + eps)]
    if any(w is None for w in werte):
        return False
    return abs(werte[0] - werte[1]) < tol and abs(werte[2] - werte[1]) < tol


def ungeklaert(expr, r):
    """True where r is a rational point (denominator up to 1000) at which f is not defined."""
    q = sp.Rational(mp.nstr(r, 35)).limit_denominator(1000)
    if abs(mp.mpf(q.p) / q.q - r) > mp.mpf("1e-20"):
        return False
    v = expr.subs(X, q)
    return v.has(sp.nan, sp.zoo, sp.oo, -sp.oo) or v.is_real is False


def punkte(term, von=-6, bis=6, p=1):
    expr = ausdruck(term, p)
    # cancel removes what only cancels on paper, such as the hole of (X^2-1)/(X+1)
    d1 = sp.cancel(sp.diff(expr, X))
    d2 = sp.cancel(sp.diff(d1, X))
    f, f1, f2 = auswerter(expr), auswerter(d1), auswerter(d2)
    n = 4000
    versatz = mp.sqrt(2) - 1  # keeps grid points off every rational or pi-related point
    a, b = mp.mpf(von) - WEITUNG, mp.mpf(bis) + WEITUNG
    gitter = [a + (i + versatz) * (b - a) / n for i in range(n)]

    extrema = []
    for r, links in wechsel(f1, gitter):
        if stetig(f, r):
            extrema.append((r, "min" if links < 0 else "max"))

    nullen = [r for r, _ in wechsel(f, gitter) if stetig(f, r) and abs(f(r)) < 1e-20]
    nullen += [r for r, _ in extrema if abs(f(r)) < 1e-20]
    werte = [f(x) for x in gitter]
    for i in range(len(gitter) - 1):
        if (werte[i] is None) == (werte[i + 1] is None):
            continue
        innen, aussen = (gitter[i], gitter[i + 1]) if werte[i] is not None else (gitter[i + 1], gitter[i])
        e, _ = halbieren(lambda t: f(t) is not None, innen, aussen)
        if abs(f(e)) < 1e-20:
            nullen.append(e)

    wende = []
    for r, _ in wechsel(f2, gitter):
        if stetig(f, r) and stetig(f1, r, tol=mp.mpf("1e-8") * (1 + abs(f1(r) or 0))):
            wende.append(r)

    innen = lambda r: von - WEITUNG < r < bis + WEITUNG and not ungeklaert(expr, r)
    nullen = sorted(r for r in nullen if innen(r))
    extrema = sorted((r, k) for r, k in extrema if innen(r))
    wende = sorted(r for r in wende if innen(r))
    if expr.is_polynomial(X):
        pruefen_polynom(expr, von, bis, nullen, [r for r, _ in extrema], wende)
    # A zero is simple where f crosses with a slope; at a kink, a cusp, a domain
    # end or a multiple root the accuracy demanded is that of an extremum.
    einfach = lambda r: f1(r) is not None and abs(f1(r)) > 1e-6 and stetig(f1, r, tol=mp.mpf("1e-6"))
    return [(r, einfach(r)) for r in nullen], extrema, wende


def pruefen_polynom(expr, von, bis, nullen, extrema, wende):
    for e, gefunden in ((expr, nullen), (sp.diff(expr, X), extrema), (sp.diff(expr, X, 2), wende)):
        if e.is_zero:
            continue
        exakt = sorted(float(r) for r in sp.Poly(e, X).real_roots() if von - WEITUNG < float(r) < bis + WEITUNG)
        exakt = sorted(set(round(r, 12) for r in exakt))
        if e is not expr:  # only roots where the sign changes are extrema or inflection points
            exakt = [r for r in exakt if sp.sign(e.subs(X, r - 1e-7)) != sp.sign(e.subs(X, r + 1e-7))]
        assert [round(float(r), 9) for r in gefunden] == [round(r, 9) for r in exakt], (expr, gefunden, exakt)


def zahl(r):
    return repr(float(r))


def main():
    ziel = os.path.join(os.path.dirname(os.path.abspath(__file__)), "suchpunkte.txt")
    zeilen = ["# Generated by suchpunkte.py; term, von, bis, P, then the points per kind.",
              "# zeros (x, or x:m when not simple)|extrema (x:min or x:max)|inflections"]
    for fall in FAELLE:
        term, von, bis, p = (fall + (-6, 6, 1))[:4] if len(fall) == 1 else fall
        nullen, extrema, wende = punkte(term, von, bis, p)
        zeilen.append("\t".join([term, repr(von), repr(bis), repr(p),
                                 " ".join(zahl(r) + ("" if einfach else ":m") for r, einfach in nullen),
                                 " ".join(f"{zahl(r)}:{k}" for r, k in extrema),
                                 " ".join(map(zahl, wende))]))
    with open(ziel, "w", encoding="utf-8") as datei:
        datei.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
