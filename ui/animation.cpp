// The four spinners step P, Q, A and B in hundredths (ten or a hundred of them
// with Shift or Ctrl); the animation moves A, B or P to and fro between the
// bounds on the 25 ms timer.
#include <QLineEdit>
#include <QPushButton>

#include "fktint.h"
#include "graf_rus.h"
#include "steuerzustand.h"
#include "updown.h"
#include "zahltext.h"

bool animrichtung = true;

namespace {

QString zweistellig(double v) { return QString::fromStdU16String(zahltext(1, 2, v)); }

// Steps first and tests afterwards, so the value passes a bound by up to one step
// and comes back on the next tick; the second test wins when both apply.
double schritt(double v) {
  v += animrichtung ? editwert(steuer.ed_delta) : -editwert(steuer.ed_delta);
  if (!(editwert(steuer.ed_bis) >= v)) animrichtung = false;
  if (editwert(steuer.ed_von) > v) animrichtung = true;
  return v;
}

}  // namespace

void TFGraf::spinnerschritt(QLineEdit* feld, double* parameter, bool nachoben, int schritte) {
  double v = editwert(feld->text().toStdU16String());
  v += (nachoben ? schritte : -schritte) / 100.0;
  if (parameter) *parameter = v;
  feld->setText(zweistellig(v));
  PaintBox1Paint();
}

void TFGraf::UpDown2ChangingEx(bool nachoben) { spinnerschritt(ed_parameter, &P, nachoben, UpDown2->schritte()); }
void TFGraf::UpDown5ChangingEx(bool nachoben) { spinnerschritt(ed_q, &Q, nachoben, UpDown5->schritte()); }
void TFGraf::UpDown3ChangingEx(bool nachoben) { spinnerschritt(ed_A, nullptr, nachoben, UpDown3->schritte()); }
void TFGraf::UpDown4ChangingEx(bool nachoben) { spinnerschritt(ed_B, nullptr, nachoben, UpDown4->schritte()); }

void TFGraf::b_animationClick() {
  if (Timer1.isActive()) {
    Timer1.stop();
    b_animation->setText(QStringLiteral("Aнимация"));
    PaintBox1Paint();
  } else {
    Timer1.start();
    b_animation->setText(QStringLiteral("Cтоп"));
  }
}

void TFGraf::animationsschritt(QLineEdit* feld) {
  feld->setText(zweistellig(schritt(editwert(feld->text().toStdU16String()))));
}

void TFGraf::Timer1Timer() {
  if (steuer.rb_punkta) {
    animationsschritt(ed_A);
  } else if (steuer.rb_punktB) {
    animationsschritt(ed_B);
  } else {
    P = schritt(P);  // from P itself; the field shows it rounded
    ed_parameter->setText(zweistellig(P));
  }
  PaintBox1Paint();
}
