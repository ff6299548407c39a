// The status line below the drawing: the world coordinates under the pointer,
// or, within a few pixels of a drawn curve of f1..f4, the curve's name and the
// point on it, marked by a small cross on the drawing.
#pragma once

#include <QLabel>
#include <QPoint>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class TFGraf;

// A drawn term under the name of its field.
struct Kurve {
  std::u16string name;
  std::u16string term;
};

// The point of a curve nearest to a pixel, its distance in pixels and its
// world coordinates (y is the term's value at x).
struct Kurvenpunkt {
  std::size_t kurve;
  double x, y;
  double abstand;
};

// The terms of the last pass, named f1..f4 after the ticked, non-empty fields
// they came from; empty when the fields no longer match the drawn list.
std::vector<Kurve> gezeichnetekurven();

// The curve nearest to the pixel (c, r) within `radius` pixels, on the samples
// the drawing joins (one per column, within the domain (anfang, ende], no pen
// lifted between them); for the current mapping.
std::optional<Kurvenpunkt> naechstekurve(const std::vector<Kurve>& kurven, double c, double r, double radius,
                                         double anfang, double ende);

// A coordinate with as many decimals as a pixel of `proeinheit` pixels per
// unit needs, at least two; far from the origin in powers of ten.
std::u16string koordinatentext(double v, double proeinheit);

class Statuszeile : public QLabel {
  Q_OBJECT

 public:
  // Takes its place in the term panel below the drawing and watches the drawing.
  explicit Statuszeile(TFGraf* fenster);

  static constexpr double fangradius = 5;  // pixels

  // Shows the line for the pointer at (X, Y) of the drawing, or clears it.
  void zeigen(std::optional<QPoint> ort, bool umschalt);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  TFGraf* f;
  std::optional<QPoint> zeiger;
  bool umschalt = false;
  bool vorgemerkt = false;
};
