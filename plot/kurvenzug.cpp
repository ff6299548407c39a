#include "kurvenzug.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "abbildung.h"
#include "fktint.h"
#include "passzustand.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

// Rows beyond the edges where a branch that leaves the drawing ends: far enough
// that the line to it runs straight through the edge, near enough for any canvas.
constexpr double randabstand = 1e6;

// Breaks looked at per curve; beyond them a break only lifts the pen, so that a
// curve swinging wildly (SIN(1/X) near 0) costs a bounded amount of work.
constexpr int hoechstanalysen = 64;

bool imband(double r) { return r >= -200 && r <= grafh + 200; }

// The row the column rule keeps for the jump test after a sample.
int regelzeile(double row) { return darstellbar(row) ? Round(row) : row <= 2147483647.0 ? 1000 : -1; }

}  // namespace

Kurvenzug::Kurvenzug(Canvas& c, Auswertung fn) : canvas(c), f(std::move(fn)) {}

// A line of the curve, counted in the pass's work like those of the column rule.
void Kurvenzug::linie(int x, int y) {
  canvas.LineTo(x, y);
  strichzaehlen(canvas);
}

// Defined: a value the evaluator gives as valid or limited; undefined: status 2.
// Samples of the other statuses (unreadable, break) keep the column rule.
bool Kurvenzug::definiert(const Probe& p) const {
  return (p.status == wert_gueltig || p.status == wert_begrenzt) && std::isfinite(p.y);
}
bool Kurvenzug::beteiligt(const Probe& p) const {
  return p.status == wert_gueltig || p.status == wert_begrenzt || p.status == wert_undefiniert;
}

int Kurvenzug::zeile(double y) const {
  const double r = pixely(y);
  if (std::isnan(r)) return -static_cast<int>(randabstand);
  return Round(std::clamp(r, -randabstand, grafh + randabstand));
}

// A step is looked at when the column rule would break it (jump test, one sample
// far off the drawing), or when its change more than doubles that of the step
// before or turns against it: a continuous curve changes gradually from column
// to column, and turns back only where its steps are small or at a kink.
bool Kurvenzug::verdaechtig(const Probe& a, double row, int prev, bool jumptest) {
  const double ra = a.row;
  const double aenderung = row - ra, vorher = letzteraenderung;
  letzteraenderung = std::isfinite(aenderung) ? aenderung : 0;
  // After a break the next step is looked at too: a sample between two breaks
  // (the difference quotient across a kink) belongs to neither side.
  if (std::exchange(nachbruch, false)) return true;
  if (!darstellbar(ra) || !darstellbar(row) || imband(ra) != imband(row)) return true;
  if (jumptest && std::fabs(static_cast<double>(prev) - Round(row)) > grafh / 2.0 - 10) return true;
  if (!(std::fabs(aenderung) <= 2 * std::fabs(vorher) + 3)) return true;
  return (aenderung > 0) != (vorher > 0) && std::max(std::fabs(aenderung), std::fabs(vorher)) > 3;
}

bool Kurvenzug::schritt(int c, double row, int& prev, bool jumptest) {
  const Probe a = vorige, b = aktuelle;
  if (!a.da || a.c != c - 1 || b.c != c || !beteiligt(a) || !beteiligt(b)) return false;
  const bool da = definiert(a), db = definiert(b);
  if (!da) letzteraenderung = 0;
  if (trennen && da != db) return false;
  if (da && !db) {
    ende(a, b);
    return false;  // the column rule moves the pen to the undefined sample
  }
  if (!da && db) {
    einzelpunkt(c);
    if (!anfang(c)) return false;
    prev = regelzeile(row);
    return true;
  }
  if (!da || !verdaechtig(a, row, prev, jumptest)) return false;
  const bool gezogen = darstellbar(row) && imband(Round(row)) && b.status == wert_gueltig &&
                       !(jumptest && std::fabs(static_cast<double>(prev) - Round(row)) > grafh / 2.0 - 10);
  if (stetigzwischen(f, a.x, a.y, b.x, b.y, 1 / std::fabs(fy))) {
    // A join the column rule draws, or one wholly off the drawing, stays as it is.
    const double ra = a.row, rand = canvas.Pen().Width + 2.0;
    if (gezogen || std::min(ra, row) > grafh + rand || std::max(ra, row) < -rand) return false;
    verbinden(c, row);
  } else if (trennen) {
    canvas.MoveTo(c, zeile(b.y));
    nachbruch = true;
  } else {
    bruch(c, row);
    nachbruch = true;
  }
  prev = regelzeile(row);
  return true;
}

void Kurvenzug::verbinden(int c, double row) {
  const int ya = zeile(vorige.y);
  if (canvas.PenPos().x != c - 1 || canvas.PenPos().y != ya) canvas.MoveTo(c - 1, ya);
  (void)row;
  linie(c, zeile(aktuelle.y));
}

// The sample after a break, as the column rule draws it, without its jump test.
void Kurvenzug::aktuellenzeichnen(int c, double row) {
  if (aktuelle.status == wert_gueltig)
    linie(c, zeile(aktuelle.y));
  else if (begrenztalspixel && darstellbar(row) && imband(Round(row)) && aktuelle.status == wert_begrenzt)
    canvas.Pixels(c, Round(row), canvas.Pen().Color);
  else
    canvas.MoveTo(c, zeile(aktuelle.y));
}

// A step the curve does not join: the left branch runs to its limit at the
// place, the right one starts from its own.
void Kurvenzug::bruch(int c, double row) {
  const Probe a = vorige;
  if (++analysen > hoechstanalysen) {
    canvas.MoveTo(c, zeile(aktuelle.y));
    return;
  }
  const auto stellen = bruchstellen(f, a.x, a.y, aktuelle.x, aktuelle.y, 1 / fx);
  if (stellen.empty()) {
    verbinden(c, row);
    return;
  }
  const Unstetigkeit& links = stellen.front();
  const Unstetigkeit& rechts = stellen.back();
  const int ya = zeile(a.y);
  if (!std::isnan(links.links)) {
    if (canvas.PenPos().x != c - 1 || canvas.PenPos().y != ya) canvas.MoveTo(c - 1, ya);
    const double spalte = pixelx(links.x);
    linie(links.art == Stellenart::definitionsrand ? static_cast<int>(std::floor(spalte)) : Round(spalte),
                  zeile(links.links));
  }
  for (const Unstetigkeit& u : stellen) stelle(u);
  if (!std::isnan(rechts.rechts)) {
    const double spalte = pixelx(rechts.x);
    canvas.MoveTo(rechts.art == Stellenart::definitionsrand ? static_cast<int>(std::ceil(spalte)) : Round(spalte),
                  zeile(rechts.rechts));
    aktuellenzeichnen(c, row);
  } else {
    canvas.MoveTo(c, zeile(aktuelle.y));
  }
}

// The branch ends between the defined a and the undefined b: it runs to the last
// defined point, or to the edge where f grows beyond bounds towards it.
void Kurvenzug::ende(const Probe& a, const Probe& b) {
  if (++analysen > hoechstanalysen) return;
  const Unstetigkeit u = randstelle(f, a.x, b.x, 1 / fx);
  if (std::isnan(u.links)) return;
  const int ya = zeile(a.y);
  if (canvas.PenPos().x != a.c || canvas.PenPos().y != ya) canvas.MoveTo(a.c, ya);
  linie(static_cast<int>(std::floor(pixelx(u.x))), zeile(u.links));
}

bool Kurvenzug::anfang(int c) {
  const Probe a = vorige, b = aktuelle;
  if (!a.da || a.c != c - 1 || b.c != c || a.status != wert_undefiniert || !definiert(b)) return false;
  if (++analysen > hoechstanalysen) return false;
  const Unstetigkeit u = randstelle(f, b.x, a.x, 1 / fx);
  if (std::isnan(u.rechts)) return false;
  canvas.MoveTo(static_cast<int>(std::ceil(pixelx(u.x))), zeile(u.rechts));
  aktuellenzeichnen(c, b.row);
  return true;
}

// A single undefined column between defined ones: the place there (a pole, a
// hole or a jump on which the column falls) gets its marks.
void Kurvenzug::einzelpunkt(int c) {
  const Probe a = vorvorige, b = aktuelle;
  if (!a.da || a.c != c - 2 || !definiert(a) || ++analysen > hoechstanalysen) return;
  for (const Unstetigkeit& u : bruchstellen(f, a.x, a.y, b.x, b.y, 1 / fx))
    if (u.art != Stellenart::definitionsrand) stelle(u);
}

void Kurvenzug::stelle(const Unstetigkeit& u) {
  switch (u.art) {
    case Stellenart::pol:
      if (steuer.m_asymptoten) asymptoten.push_back(Round(pixelx(u.x)));
      break;
    case Stellenart::luecke:
      if (std::isfinite(u.links)) punkt(u.x, u.links, true);
      if (u.definiert) punkt(u.x, u.wert, false);
      break;
    case Stellenart::sprung:
      if (u.definiert) punkt(u.x, u.wert, false);
      for (const double seite : {u.links, u.rechts})
        if (std::isfinite(seite) && (!u.definiert || zeile(seite) != zeile(u.wert))) punkt(u.x, seite, true);
      break;
    case Stellenart::definitionsrand:
      break;
  }
}

void Kurvenzug::punkt(double x, double y, bool offen) {
  const Marke m{Round(pixelx(x)), zeile(y), offen};
  if (m.x < -10 || m.x > grafb + 10 || m.y < -10 || m.y > grafh + 10) return;
  for (const Marke& n : marken)
    if (n.x == m.x && n.y == m.y) return;
  marken.push_back(m);
}

void Kurvenzug::nennerluecken(std::u16string_view term, double von, double bis) {
  const double a = std::max(von, weltx(0)), b = std::min(bis, weltx(grafb));
  for (const Unstetigkeit& u : nennerstellen(term, a, b, std::max(grafb, 1)))
    if (u.art == Stellenart::luecke) stelle(u);
}

void Kurvenzug::markieren() {
  if (marken.empty() && asymptoten.empty()) return;
  const TPen stift = canvas.Pen();
  const TBrush pinsel = canvas.Brush();
  const TPoint stand = canvas.PenPos();
  if (!asymptoten.empty()) {
    canvas.setPenStyle(psDot);
    canvas.setPenWidth(1);
    for (const int x : asymptoten) {
      canvas.MoveTo(x, 0);
      linie(x, grafh);
    }
    canvas.setPenStyle(stift.Style);
    canvas.setPenWidth(stift.Width);
    canvas.MoveTo(stand.x, stand.y);
  }
  // Open circles are white inside, so that they cut the line they sit on.
  const int r = 2 + stift.Width;
  for (const Marke& m : marken) {
    canvas.setBrushColor(m.offen ? 0xFFFFFF : stift.Color);
    canvas.Ellipse(m.x - r, m.y - r, m.x + r + 1, m.y + r + 1);
  }
  canvas.setBrushColor(pinsel.Color);
  canvas.setBrushStyle(pinsel.Style);
}
