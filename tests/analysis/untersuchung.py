#!/usr/bin/env python3
"""Expected curve discussions for the discussion table test.

Writes untersuchung.txt beside this script: for every case its term, range and
the block of lines the discussion must show, from computer algebra: the domain
and the range of values by sympy's continuous_domain and function_range, parity
by simplifying f(-x) -+ f(x), the period by sympy's periodicity, the limits at
the poles and at infinity as one-sided sympy limits, and the special points
from suchpunkte.py (symbolic derivatives evaluated with 40 digits). Exact forms
are matched to 30 digits. Run: python3 untersuchung.py

Asymptotes at infinity are shown only where the evaluator can see them: its x
stops at 10^6, its values at 10^10 and the argument of EXP at 50, so a limit
that is not reached to 10^-4
at the last power of two where every part of the term stays in range, or a
missing asymptote without power growth or a period to show it, is expected as
"не определено".
"""
import os

import mpmath as mp
import sympy as sp
from sympy.calculus.util import continuous_domain, function_range, periodicity

import suchpunkte as sv

mp.mp.dps = 40
X = sv.X

# term, von, bis (P = 1). Range -6..6 unless stated.
FAELLE = [
    # polynomials
    ("X^3-10*X",), ("2*X^3-24*X+5",), ("X^4-10*X^2+9",), ("(X-1)^2+12",), ("X^2/4-2",), ("X^3-3*X",),
    ("(X+1)*(X-2)*(X-4)",), ("X^4-4*X^3+4*X^2",), ("-(X-0,5)^2*(X+3)",), ("X^5-5*X^3+4*X",), ("7",),
    ("1000*X-1",),
    # rational functions: poles, asymptotes, a hole
    ("1/X",), ("1/(X^2-4)",), ("(X^2-4)/(X-1)",), ("X/(X^2+1)",), ("X^3/(X^2-1)",), ("1/X^2",),
    ("(2*X^2+1)/(X^2+1)",), ("(X^2+1)/X",), ("X/(X^2-1)",), ("(X^2-1)/(X+1)",), ("-1/(X-1)^2+2",),
    # roots
    ("SQRT(9-X^2)",), ("SQRT(X)-1",), ("(X+1)*SQRT(X)",), ("SQRT(X^2+1)-2",), ("SQRT(X)*(X-2)",),
    ("1/SQRT(X)",),
    # exp and ln
    ("EXP(X)-5",), ("EXP(-X^2)",), ("X*EXP(-X)", -1, 8), ("LN(X)",), ("LN(X^2+1)",), ("X^2*EXP(X)-1",),
    ("1/(1+EXP(-3*X))-0,25",), ("LN(ABS(X))",),
    # trigonometric
    ("SIN(X)",), ("30*COS(X)",), ("COS(2*X)+1",), ("SIN(X)+COS(X)",), ("TAN(X)",), ("X+SIN(X)",),
    ("SIN(X)*COS(X)",), ("X*SIN(X+P)",), ("SIN(PI*X)", -1.3, 2.7), ("ARCTAN(X)",), ("SIN(X)/X",),
    # with ABS
    ("ABS(X)",), ("ABS(X^2-9)",), ("ABS(X+2)",), ("ABS(SIN(X))",), ("SQRT(ABS(X))",),
]

REICHWEITE_X = 10 ** 6      # the evaluator reads no x beyond this
REICHWEITE_WERT = 10 ** 10  # nor a value, or a power or product inside the term, beyond this


# ---- numbers and forms as the result lines write them ----

def z(v):
    """Two decimals, decimal comma, no trailing zeros, halves away from zero."""
    v = mp.mpf(v)
    q = int(mp.floor(abs(v) * 100 + mp.mpf("0.5")))
    s = f"{q // 100}.{q % 100:02d}".rstrip("0").rstrip(".")
    if v < 0 and s != "0":
        s = "-" + s
    return s.replace(".", ",")


def grenztext(v):
    if v == sp.oo:
        return "+∞"
    if v == -sp.oo:
        return "-∞"
    return z(sp.N(v, 40))


def form(v):
    """The simplest exact form of v among p/q, √(p/q), kπ/n, e^k, matched to 30 digits."""
    v = mp.mpf(v)
    if v == 0 or mp.almosteq(v, mp.nint(v * 100) / 100, rel_eps=mp.mpf("1e-30"), abs_eps=mp.mpf("1e-30")):
        return ""
    gleich = lambda a, b: abs(a - b) <= mp.mpf("1e-30") * max(1, abs(b))
    zeichen = "-" if v < 0 else ""

    def rational(t):
        for q in range(1, 13):
            p = mp.nint(t * q)
            if abs(p) <= 100 * q and gleich(t, p / q) and sp.gcd(int(p), q) == 1:
                return int(p), q
        return None

    bruch = lambda p, q: str(p) if q == 1 else f"{p}/{q}"
    r = rational(v)
    if r:
        return bruch(*r)
    r = rational(v * v)
    if r and r[0] > 0:
        return zeichen + "√" + (str(r[0]) if r[1] == 1 else "(" + bruch(*r) + ")")
    for n in range(1, 13):
        k = mp.nint(v * n / mp.pi)
        if k != 0 and abs(k) <= 24 and sp.gcd(int(k), n) == 1 and gleich(v, k * mp.pi / n):
            t = zeichen + ("" if abs(k) == 1 else str(abs(int(k)))) + "π"
            return t if n == 1 else t + f"/{n}"
    for k in range(-5, 6):
        if k != 0 and gleich(v, mp.e ** k):
            p = "e" if abs(k) == 1 else f"e^{abs(k)}"
            return "1/" + p if k < 0 else p
    return ""


def zf(v):
    f = form(v)
    return z(v) + (f" ({f})" if f else "")


def intervall(i):
    if isinstance(i, sp.FiniteSet):
        return "{" + grenztext(list(i)[0]) + "}"
    links = "(" if i.left_open or i.left.is_infinite else "["
    rechts = ")" if i.right_open or i.right.is_infinite else "]"
    return links + grenztext(i.left) + "; " + grenztext(i.right) + rechts


def intervalle(menge):
    if menge.is_empty:
        return []
    teile = list(menge.args) if isinstance(menge, sp.Union) else [menge]
    ergebnis = []
    for t in teile:
        if isinstance(t, sp.FiniteSet):
            ergebnis += [sp.FiniteSet(p) for p in sorted(t, key=float)]
        else:
            ergebnis.append(t)
    return sorted(ergebnis, key=lambda t: float(t.inf))


def liste(teile, trenner):
    return trenner.join(teile) if teile else "нет"


# ---- the items ----

def paritaet(expr, f, m):
    d = continuous_domain(expr, X, sp.Interval(-m, m))
    gespiegelt = sp.imageset(sp.Lambda(X, -X), d)
    if d != gespiegelt:
        return "ni"
    gerade = sp.simplify(expr.subs(X, -X) - expr) == 0
    ungerade = sp.simplify(expr.subs(X, -X) + expr) == 0
    if gerade and ungerade:
        return "чётная и нечётная"
    if gerade:
        return "чётная"
    if ungerade:
        return "нечётная"
    return "ni"


def periode(expr, term):
    if not any(n in term for n in ("SIN", "COS", "TAN")) or sp.simplify(sp.diff(expr, X)) == 0:
        return None
    t = periodicity(expr, X)
    if t is None:
        return None
    # periodicity may give a multiple of the least period (2π for COS(2*X)+1)
    for k in range(12, 1, -1):
        if sp.simplify(expr.subs(X, X + t / k) - expr) == 0:
            t = t / k
            break
    return form(sp.N(t, 40)) or z(sp.N(t, 40))


def punkte_in(liste_, a, b):
    return [r for r in liste_ if a <= r <= b]


def wert(f, x):
    return f(mp.mpf(x))


def teile_an(menge, schnitte):
    """The intervals of menge cut at the points; returns (interval, cut-kind of ends)."""
    ergebnis = []
    for i in intervalle(menge):
        if isinstance(i, sp.FiniteSet):
            continue
        lo, hi = i.left, i.right
        innen = sorted(p for p in schnitte if float(lo) + 1e-12 < p < float(hi) - 1e-12)
        grenzen = [lo] + innen + [hi]
        for k in range(len(grenzen) - 1):
            von, bis = grenzen[k], grenzen[k + 1]
            vonzu = (k > 0) or not i.left_open
            biszu = (k < len(grenzen) - 2) or not i.right_open
            ergebnis.append((mp.mpf(sp.N(von, 40)) if not isinstance(von, mp.mpf) else von,
                             mp.mpf(sp.N(bis, 40)) if not isinstance(bis, mp.mpf) else bis,
                             vonzu, biszu, k == 0, k == len(grenzen) - 2))
    return ergebnis


def innen(von, bis):
    """A point inside a part, off its middle (a terrace point of f' may sit there)."""
    return von + (bis - von) * (mp.sqrt(2) - 1)


def itext(von, bis, vonzu, biszu):
    return ("[" if vonzu else "(") + z(von) + "; " + z(bis) + ("]" if biszu else ")")


def verbinden(teile):
    """Joins (von, bis, vonzu, biszu) that meet at a point one of them holds."""
    v = []
    for t in teile:
        if v and v[-1][1] == t[0] and (v[-1][3] or t[2]):
            v[-1] = (v[-1][0], t[1], v[-1][2], t[3])
        else:
            v.append(t)
    return v


def vorzeichen(f, domain, nullen):
    pos, neg = [], []
    for von, bis, vonzu, biszu, erstes, letztes in teile_an(domain, nullen):
        s = wert(f, innen(von, bis))
        if s is None or s == 0:
            continue
        zu_von = vonzu and erstes and f(von) is not None and abs(f(von)) > 1e-25
        zu_bis = biszu and letztes and f(bis) is not None and abs(f(bis)) > 1e-25
        (pos if s > 0 else neg).append((von, bis, zu_von, zu_bis))
    fmt = lambda l: liste([itext(*t) for t in verbinden(l)], " ∪ ")
    return fmt(pos), fmt(neg)


def monotonie(f1, domain, extrema):
    auf, ab = [], []
    for von, bis, vonzu, biszu, _, _ in teile_an(domain, extrema):
        s = wert(f1, innen(von, bis))
        if s is None or s == 0:
            continue
        (auf if s > 0 else ab).append(itext(von, bis, vonzu, biszu))
    return liste(auf, " и на "), liste(ab, " и на ")


def kruemmung(f2, domain, wende, extrema):
    """Parts between inflection points and extrema (kinks); neighbours of one kind join."""
    unten, oben = [], []
    for i in intervalle(domain):
        if isinstance(i, sp.FiniteSet):
            continue
        teile = {1: [], -1: []}
        for von, bis, vonzu, biszu, _, _ in teile_an(i, sorted(wende + extrema)):
            s = wert(f2, innen(von, bis))
            if s is None or s == 0:
                continue
            teile[1 if s > 0 else -1].append((von, bis, vonzu, biszu))
        unten += [itext(*t) for t in verbinden(teile[1])]
        oben += [itext(*t) for t in verbinden(teile[-1])]
    sortiert = lambda l: sorted(l, key=lambda t: float(t[1:].split(";")[0].replace(",", ".").replace("∞", "inf")))
    return liste(sortiert(unten), " и на "), liste(sortiert(oben), " и на ")


def senkrechte(expr, domain, a, b):
    stellen = set()
    for i in intervalle(domain):
        for p in (i.inf, i.sup):
            if a <= p <= b:
                stellen.add(p)
    ergebnis = []
    for p in sorted(stellen, key=float):
        for richtung in ("-", "+"):
            try:
                g = sp.limit(expr, X, p, richtung)
            except Exception:
                continue
            if g in (sp.oo, -sp.oo) or (g.is_infinite is True):
                ergebnis.append(p)
                break
    return liste([f"x = {z(sp.N(p, 40))}" for p in ergebnis], "; ")


def reichweite(expr, richtung):
    """The last x = ±2^k the evaluator reads with every part of the term in range."""
    teile = [e for e in sp.preorder_traversal(expr) if isinstance(e, (sp.Pow, sp.Mul, sp.exp, sp.Add))]
    letzte = None
    for k in range(0, 20):
        x = richtung * 2 ** k
        try:
            if all(abs(complex(sp.N(t.subs(X, x), 20))) < REICHWEITE_WERT for t in teile) and all(
                    abs(complex(sp.N(e.args[0].subs(X, x), 20))) <= 50 for e in expr.atoms(sp.exp)):
                letzte = x
            else:
                break
        except (TypeError, ValueError):
            continue
    return letzte


def verlauf(expr, richtung, periodisch):
    """('fehlt'|'keine'|'waagrecht'|'schraeg', m, c), or None when the evaluator cannot tell."""
    unendlich = sp.oo * richtung
    if periodisch:
        return ("keine", 0, 0)
    f = sv.auswerter(expr)
    if all(f(mp.mpf(richtung * 2 ** k)) is None for k in range(14, 20)):
        return ("fehlt", 0, 0)
    g = sp.limit(expr, X, unendlich)
    x = reichweite(expr, richtung)
    if g.is_finite:
        if x and abs(sp.N(expr.subs(X, x) - g, 30)) <= 1e-4:
            return ("waagrecht", 0, g)
        return None
    if g in (sp.oo, -sp.oo):
        m = sp.limit(expr / X, X, unendlich)
        if m.is_finite and m != 0:
            c = sp.limit(expr - m * X, X, unendlich)
            if isinstance(c, sp.AccumBounds):  # X+SIN(X): no line, and no power growth to show it
                return None
            if c.is_finite:
                if x and abs(sp.N(expr.subs(X, x) - m * x - c, 30)) <= 1e-4:
                    return ("schraeg", m, c)
                return None
        # no asymptote: visible where |f| grows like a power x^p, p >= 0.2, and
        # f/x grows or falls like one
        p = sp.limit(sp.log(sp.Abs(expr)) / sp.log(sp.Abs(X)), X, unendlich)
        q = p - 1
        if p.is_finite is False or (p >= sp.Rational(1, 5) and (p is sp.oo or abs(q) >= sp.Rational(1, 5))):
            return ("keine", 0, 0)
    return None


def gerade(m, c):
    mt = z(sp.N(m, 40))
    t = "y = " + ("x" if mt == "1" else "-x" if mt == "-1" else mt + "x")
    if z(sp.N(c, 40)) != "0":
        t += (" - " if c < 0 else " + ") + z(abs(sp.N(c, 40)))
    return t


def asymptoten(expr, periodisch):
    v = {r: verlauf(expr, r, periodisch) for r in (-1, 1)}
    if None in v.values():
        return "не определено", "не определено"
    richtung = {-1: "-∞", 1: "+∞"}
    w = [(r, v[r][2]) for r in (-1, 1) if v[r][0] == "waagrecht"]
    s = [(r, v[r][1], v[r][2]) for r in (-1, 1) if v[r][0] == "schraeg"]
    if len(w) == 2 and z(sp.N(w[0][1], 40)) == z(sp.N(w[1][1], 40)):
        wt = [f"y = {z(sp.N(w[0][1], 40))} при x → ±∞"]
    else:
        wt = [f"y = {z(sp.N(c, 40))} при x → {richtung[r]}" for r, c in w]
    if len(s) == 2 and gerade(*s[0][1:]) == gerade(*s[1][1:]):
        st = [gerade(*s[0][1:]) + " при x → ±∞"]
    else:
        st = [gerade(m, c) + f" при x → {richtung[r]}" for r, m, c in s]
    return liste(wt, "; "), liste(st, "; ")


def bildmenge(expr, f, i, extrema):
    """sympy's range of f on i; where sympy finds no critical points (X*SIN(X+1)),
    the least and greatest of the values at the extrema and the closed ends and
    of the one-sided limits at the open ends, each end held where it is a value."""
    try:
        return function_range(expr, X, i)
    except NotImplementedError:
        werte = [(f(r), True) for r in extrema if i.left < r < i.right]
        for ende, offen, seite in ((i.left, i.left_open, "+"), (i.right, i.right_open, "-")):
            werte.append((sp.limit(expr, X, ende, seite), False) if offen else (f(mp.mpf(sp.N(ende, 40))), True))
        zahl = lambda w: mp.mpf(sp.N(w, 40)) if not isinstance(w, mp.mpf) else w
        lo = min(werte, key=lambda w: zahl(w[0]))
        hi = max(werte, key=lambda w: zahl(w[0]))
        held = lambda grenze: any(e and abs(zahl(w) - zahl(grenze[0])) < 1e-30 for w, e in werte)
        return sp.Interval(sp.Float(zahl(lo[0]), 40), sp.Float(zahl(hi[0]), 40), not held(lo), not held(hi))


def block(term, von, bis, p=1):
    expr = sv.ausdruck(term, p)
    a, b = sp.nsimplify(von), sp.nsimplify(bis)
    f = sv.auswerter(expr)
    f1 = sv.auswerter(sp.diff(expr, X))
    # Cancelled first: a removable factor (a hole) must not leave rounding noise
    # that reads as a curvature sign where f'' is identically zero.
    f2 = sv.auswerter(sp.cancel(sp.diff(expr, X, 2)))
    nullen, extrema, wende = sv.punkte(term, von, bis, p)
    nullen = punkte_in([r for r, _ in nullen], von, bis)
    extrema = [(r, k) for r, k in extrema if von <= r <= bis]
    wende = punkte_in(wende, von, bis)
    domain = continuous_domain(expr, X, sp.Interval(a, b))
    # A point a rounding away from a place where f has no value (the turn of
    # SIN(X)/X at its hole) is no point of f.
    leer = [float(p) for p in domain.boundary if a <= p <= b and not domain.contains(p)]
    echt = lambda r: all(abs(r - p) > 1e-12 for p in leer)
    nullen = [r for r in nullen if echt(r)]
    extrema = [(r, k) for r, k in extrema if echt(r)]
    wende = [r for r in wende if echt(r)]
    m = max(abs(a), abs(b))
    zeilen = [f"Исследование функции f1 на [{z(von)}; {z(bis)}]",
              "Область определения: " + liste([intervall(i) for i in intervalle(domain)], " ∪ ")]
    par = paritaet(expr, f, m)
    zeilen.append("Чётность: " + ("ни чётная, ни нечётная" if par == "ni" else par))
    per = periode(expr, term)
    if per:
        zeilen.append("Период: " + per)
    y0 = f(mp.mpf(0)) if a <= 0 <= b and domain.contains(0) == sp.true else None
    zeilen.append("Пересечение с осью Oy: " + (f"(0; {zf(y0)})" if y0 is not None else "нет"))
    # A smooth multiple zero (COS(2*X)+1 at π/2) is known only to about the root of
    # the rounding, too coarse to confirm a form.
    glatt = lambda r: f1(r) is not None and abs(f1(r)) < 1e-6 and sv.stetig(f1, r, tol=mp.mpf("1e-6"))
    zeilen.append("Пересечения с осью Ox: " + liste([z(r) if glatt(r) else zf(r) for r in nullen], "; "))
    pos, neg = vorzeichen(f, domain, nullen)
    zeilen += ["f1 > 0 на: " + pos, "f1 < 0 на: " + neg]
    zeilen.append("Вертикальные асимптоты: " + senkrechte(expr, domain, a, b))
    w, s = asymptoten(expr, per is not None)
    zeilen += ["Горизонтальные асимптоты: " + w, "Наклонные асимптоты: " + s]
    auf, ab = monotonie(f1, domain, [r for r, _ in extrema])
    zeilen += ["Возрастает на: " + auf, "Убывает на: " + ab]
    zeilen.append("Экстремумы: " + liste(
        [("минимум" if k == "min" else "максимум") + f" ({zf(r)}; {zf(f(r))})" for r, k in extrema], "; "))
    unten, oben = kruemmung(f2, domain, wende, [r for r, _ in extrema])
    zeilen += ["Выпукла вниз на: " + unten, "Выпукла вверх на: " + oben]
    zeilen.append("Точки перегиба: " + liste([f"({zf(r)}; {zf(f(r))})" for r in wende], "; "))
    bild = sp.Union(*[bildmenge(expr, f, i, [r for r, _ in extrema]) for i in intervalle(domain)])
    zeilen.append("Область значений: " + liste([intervall(i) for i in intervalle(bild)], " ∪ "))
    return zeilen


def main():
    ziel = os.path.join(os.path.dirname(os.path.abspath(__file__)), "untersuchung.txt")
    zeilen = ["# Generated by untersuchung.py; term, von, bis, then the lines of the block, tab-separated."]
    for fall in FAELLE:
        term, von, bis = (fall + (-6, 6))[:3]
        print(term, flush=True)
        zeilen.append("\t".join([term, repr(von), repr(bis)] + block(term, von, bis)))
    with open(ziel, "w", encoding="utf-8") as datei:
        datei.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
