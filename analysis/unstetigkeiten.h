// Where a function is not one continuous curve: poles, jumps, holes and the ends
// of its domain, and the test whether two neighbouring samples belong to one piece.
// The function is what the evaluator computes, substitute values included (EXP
// beyond its argument limit and the capped powers are values, not poles).
#pragma once

#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

// Kinds of places where f on [a, b] is not one continuous curve.
enum class Stellenart { pol, sprung, luecke, definitionsrand };
struct Unstetigkeit {
  Stellenart art;
  double x;              // located to full double precision
  double links, rechts;  // one-sided limits; +-INFINITY at a pole; NaN where f is undefined on that side
  bool definiert;        // whether f itself is defined at x
  double wert;           // f(x) when defined
  // f swings without limit on a side (SIN(1/X) at 0): that side's limit is NaN
  // although f is defined there. Such a place is a jump when f stays bounded, a pole otherwise.
  bool schwingend = false;
};
// In increasing x. Domain ends: art definitionsrand with NaN on the undefined side (an undefined
// stretch gives one entry at each of its ends); a hole: luecke, definiert false (or true with a
// different value); a jump: sprung with both limits finite; a pole: pol.
std::vector<Unstetigkeit> unstetigkeiten(std::u16string_view term, double a, double b);

// f at x: whether it is defined there, and its value. The analyses take a term,
// the drawing also the curves it derives from a term.
using Auswertung = std::function<bool(double x, double& y)>;
Auswertung termauswertung(std::u16string_view term);

// Whether f is defined at x, with its value; the status of the evaluation decides
// (undefined and unreadable are not defined, nor is a value that is not finite).
bool definiertan(std::u16string_view term, double x, double& wert);

// Whether the curve of f joins the defined samples (x0, y0) and (x1, y1). The
// step is halved up to `stufen` times, each time keeping the half with the larger
// change: a continuous f lets that change shrink with the interval (below
// `toleranz`, or to a small part of the first change), a jump or a pole keeps it
// or lets it grow. A sample between them where f is undefined is no join. These
// routines leave the evaluator status as they found it.
bool stetigzwischen(const Auswertung& f, double x0, double y0, double x1, double y1, double toleranz,
                    int stufen = 12);

// The last point of the defined side: `innen` defined, `aussen` not; bisects the
// doubles between them (at most 64 steps) and returns the defined one of the two
// neighbouring doubles where definedness changes.
double letzterdefinierterpunkt(const Auswertung& f, double innen, double aussen);

// What lies between the defined samples (x0, y0) and (x1, y1) when they do not
// join, as unstetigkeiten lists it: one place, or the two ends of an undefined
// stretch; nothing where f is continuous after all. h: the scale of the approach
// to a place (a sample step).
std::vector<Unstetigkeit> bruchstellen(const Auswertung& f, double x0, double y0, double x1, double y1, double h);

// The end of the domain between `innen` (defined) and `aussen` (not), as
// unstetigkeiten lists it.
Unstetigkeit randstelle(const Auswertung& f, double innen, double aussen, double h);

// The places at the zeros of the term's denominators in [a, b], searched in
// `schritte` steps: the holes, poles and jumps there, also where no sample of f
// falls on them.
std::vector<Unstetigkeit> nennerstellen(std::u16string_view term, double a, double b, int schritte);
