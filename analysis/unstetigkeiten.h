// Where a function is not one continuous curve: poles, jumps, holes and the ends
// of its domain, and the test whether two neighbouring samples belong to one piece.
// The function is what the evaluator computes, substitute values included (EXP
// beyond its argument limit and the capped powers are values, not poles).
#pragma once

#include <cmath>
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

// Whether the curve of term joins the defined samples (x0, y0) and (x1, y1). The
// step is halved up to `stufen` times, each time keeping the half with the larger
// change: a continuous f lets that change shrink with the interval (below
// `toleranz`, or to a small part of the first change), a jump or a pole keeps it
// or lets it grow. A sample between them where f is undefined is no join. Leaves
// the evaluator status as it found it.
bool stetigzwischen(std::u16string_view term, double x0, double y0, double x1, double y1, double toleranz,
                    int stufen = 12);

// Whether f is defined at x, with its value; the status of the evaluation decides
// (undefined and unreadable are not defined, nor is a value that is not finite).
bool definiertan(std::u16string_view term, double x, double& wert);

// The last point of the defined side: `innen` defined, `aussen` not; bisects the
// doubles between them (at most 64 steps) and returns the defined one of the two
// neighbouring doubles where definedness changes.
double letzterdefinierterpunkt(std::u16string_view term, double innen, double aussen);
