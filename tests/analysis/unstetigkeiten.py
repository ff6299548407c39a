#!/usr/bin/env python3
"""Exact breaks of the curve for the table test of unstetigkeiten().

Writes unstetigkeiten.txt beside this script: per case a line "term|a|b|n", then
n lines "art x links rechts definiert wert schwingend genau" in increasing x, from
computer algebra: the places are the ends of the domain where f is continuous
(sympy's continuous_domain) and the zeros of the arguments of sign; at each the
one-sided limits and the value decide the kind:
  definitionsrand  f is undefined on one side (its limit there is nan)
  pol              a one-sided limit is infinite
  sprung           both limits finite and different, or no limit (schwingend)
  luecke           both limits equal, f undefined there or different from them
Places where f is continuous after all are left out. genau says whether x is a
double; only then do definiert and wert tell about the double nearest it. Run: python3 unstetigkeiten.py
"""
import os

import sympy as sp
from sympy.calculus.util import continuous_domain

X = sp.Symbol("X", real=True)
NAMEN = {"SIN": sp.sin, "COS": sp.cos, "TAN": sp.tan, "ABS": sp.Abs, "SQRT": sp.sqrt,
         "ARCSIN": sp.asin, "ARCTAN": sp.atan, "LN": sp.log, "EXP": sp.exp, "SGN": sp.sign}

# term, a, b
FAELLE = [
    ("SGN(X-1)", -6, 6), ("(X^2-1)/(X-1)", -6, 6), ("SQRT(9-X^2)", -6, 6), ("LN(X)", -6, 6),
    ("TAN(X)", -6, 6), ("1/(X-1)", -6, 6), ("X*SIN(1/X)", -6, 6), ("SIN(1/X)", -6, 6),
    ("X/ABS(X)", -6, 6), ("1/(X^2-4)", -6, 6), ("ARCSIN(X/3)", -6, 6), ("LN(1-X^2)", -5, 5),
    ("SIN(X)/X", -10, 10), ("SQRT(X^2-1)", -4, 4), ("2*ABS(X-1)/(X-1)-X", -3, 3),
    ("(9*X^2-1)/(3*X-1)", -6, 6), ("1/(X*X)", -1, 2), ("EXP(X)/(X+2)", -5, 3),
    ("(X^3-X)/(X^2-X)", -3, 3), ("(X-1)/(X-1)^2", -2.3, 3), ("SIN(X-2)/(X-2)", 0.2, 6),
    ("ARCTAN(1/X)", -4, 4), ("SQRT(X)*(X-2)", -1, 5),
    ("X^2+1", -6, 6), ("SGN(X^2-2)*X", -3, 3),
]


def ausdruck(term):
    t = term.replace("^", "**").replace(",", ".")
    return sp.sympify(t, locals={**NAMEN, "X": X})


def stellen(f, a, b):
    bereich = sp.Interval(a, b)
    gefunden = set()
    stetig = continuous_domain(f.replace(sp.sign, lambda u: u), X, bereich)
    gefunden |= {p for p in stetig.boundary if a <= p <= b} if stetig != bereich else set()
    for s in f.atoms(sp.sign):
        gefunden |= set(sp.solveset(s.args[0], X, bereich))
    return sorted(gefunden, key=lambda p: float(p)), stetig


def zahl(v):
    if v is sp.nan or v is None:
        return "nan"
    if v == sp.oo:
        return "inf"
    if v == -sp.oo:
        return "-inf"
    return repr(float(sp.N(v, 30)))


def seite(f, p, richtung, stetig):
    probe = p + (sp.Rational(1, 10**9) if richtung == "+" else -sp.Rational(1, 10**9))
    if probe not in stetig:
        return None, False
    g = sp.limit(f, X, p, richtung)
    if isinstance(g, sp.AccumBounds):
        return None, True
    return g, False


def faelle():
    for term, a, b in FAELLE:
        f = ausdruck(term)
        orte, stetig = stellen(f, a, b)
        zeilen = []
        for p in orte:
            (l, ls), (r, rs) = seite(f, p, "-", stetig), seite(f, p, "+", stetig)
            wert = f.subs(X, p)
            definiert = not isinstance(wert, sp.AccumBounds) and wert.is_real is True and wert.is_finite is True
            schwingend = ls or rs
            if (l is None and not ls) or (r is None and not rs):
                if p == a or p == b:
                    continue  # an end of [a, b] is no end of the domain
                art = "definitionsrand"
            elif l in (sp.oo, -sp.oo) or r in (sp.oo, -sp.oo):
                art = "pol"
            elif schwingend or sp.simplify(l - r) != 0:
                art = "sprung"
            elif not definiert or sp.simplify(wert - l) != 0:
                art = "luecke"
            else:
                continue
            zeilen.append(f"{art} {zahl(p)} {zahl(l)} {zahl(r)} {int(definiert)} "
                          f"{zahl(wert) if definiert else 'nan'} {int(schwingend)} "
                          f"{int(sp.Rational(float(p)) == p)}")
        yield f"{term}|{a}|{b}|{len(zeilen)}", zeilen


def main():
    ziel = os.path.join(os.path.dirname(os.path.abspath(__file__)), "unstetigkeiten.txt")
    with open(ziel, "w") as aus:
        for kopf, zeilen in faelle():
            aus.write(kopf + "\n")
            for z in zeilen:
                aus.write(z + "\n")


if __name__ == "__main__":
    main()
