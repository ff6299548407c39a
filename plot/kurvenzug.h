// Where a curve drawn one sample per pixel column is not one line: which steps
// between neighbouring columns the curve joins, where a branch ends (at a pole,
// an end of the domain, an undefined stretch), and the marks for holes, jumps and
// poles. It steps in only where the column rule of the curve would go wrong, so an
// ordinary continuous curve keeps its canvas calls exactly.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "canvas.h"
#include "unstetigkeiten.h"

class Kurvenzug {
 public:
  // f: the curve's value at a world x, as the columns sample it.
  Kurvenzug(Canvas& canvas, Auswertung f);

  // The sample of column c just evaluated: world x and y, its pixel row, and the
  // evaluator status it left.
  void merken(int c, double x, double y, double row, std::uint8_t status) {
    vorvorige = vorige;
    vorige = aktuelle;
    aktuelle = {c, x, y, row, status, true};
  }

  // Draws the step from the previous sample to the one of column c with pixel row
  // `row`, where the column rule would break a continuous curve, draw across a
  // break, or lose a branch's end; returns false when the column rule draws the
  // step as it is. prev: the row the column rule keeps, updated when handled.
  // jumptest: whether the curve has the column rule's jump test.
  bool schritt(int c, double row, int& prev, bool jumptest);

  // At the first column of a curve, c, after undefined columns: the branch begins
  // at the end of the domain between them. Returns false when there is none.
  bool anfang(int c);

  // The holes at zeros of the term's denominators, also where no column falls on them.
  void nennerluecken(std::u16string_view term, double von, double bis);

  // For curves whose samples come near f but are not its values (the difference
  // quotients): a break only lifts the pen, with no ends and no marks.
  void nurtrennen() { trennen = true; }
  // For the derived curves: a sample the evaluator has limited moves the pen
  // instead of setting a pixel.
  void begrenztbewegt() { begrenztalspixel = false; }
  // The marks of a hole found elsewhere (at a zero of a denominator of the term
  // a curve is derived from).
  void luecke(const Unstetigkeit& u) { stelle(u); }

  // Draws the marks collected: open circles at holes and on the open side of a
  // jump, filled dots where f takes its value, dashed lines at poles (when asked).
  void markieren();

 private:
  struct Probe {
    int c = 0;
    double x = 0, y = 0, row = 0;
    std::uint8_t status = 0;
    bool da = false;  // sampled
  };
  struct Marke {
    int x, y;
    bool offen;
  };

  bool definiert(const Probe& p) const;
  bool beteiligt(const Probe& p) const;
  int zeile(double y) const;
  bool verdaechtig(const Probe& a, double row, int prev, bool jumptest);
  void verbinden(int c, double row);
  void bruch(int c, double row);
  void ende(const Probe& a, const Probe& b);
  void einzelpunkt(int c);
  void stelle(const Unstetigkeit& u);
  void punkt(double x, double y, bool offen);
  void linie(int x, int y);
  void aktuellenzeichnen(int c, double row);

  Canvas& canvas;
  Auswertung f;
  Probe vorvorige, vorige, aktuelle;
  double letzteraenderung = 0;  // rows from the sample before the previous one to it
  int analysen = 0;             // breaks looked at, bounded per curve
  bool trennen = false;
  bool nachbruch = false;
  bool begrenztalspixel = true;
  std::vector<Marke> marken;
  std::vector<int> asymptoten;
};
