#include "verlaufsfuehrung.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "abbildung.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "steuertabelle.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

Stand jetzigerstand() { return Stand{steuer, Sicht{xmin, xmax, ymin, ymax}}; }

bool istwendetaste(const QKeyEvent* k) {
  return k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) ||
         k->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

Verlaufsfuehrung::Verlaufsfuehrung(TFGraf* fenster) : QObject(fenster), f(fenster) {
  f->Bearbeiten1->addSeparator();
  rueckgaengig = f->Bearbeiten1->addAction(QStringLiteral("Отменить"));
  rueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  wiederholen = f->Bearbeiten1->addAction(QStringLiteral("Повторить"));
  wiederholen->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(rueckgaengig, &QAction::triggered, this, &Verlaufsfuehrung::zurueck);
  connect(wiederholen, &QAction::triggered, this, &Verlaufsfuehrung::vor);
  menuestand();

  // A radio button changes the state without a repaint; every button click counts.
  for (QAbstractButton* b : f->findChildren<QAbstractButton*>())
    connect(b, &QAbstractButton::clicked, this, &Verlaufsfuehrung::vormerken);
  qApp->installEventFilter(this);
}

bool Verlaufsfuehrung::gesteunterwegs() const {
  return f->Timer1.isActive() || ziehmodus != 0 || rahmenaktiv || schiebeaktiv;
}

void Verlaufsfuehrung::vormerken() {
  if (vorgemerkt) return;
  vorgemerkt = true;
  QTimer::singleShot(0, this, [this] {
    vorgemerkt = false;
    merken();
  });
}

void Verlaufsfuehrung::merken() {
  if (!gestartet || wendetan || gesteunterwegs()) return;
  // Most repaints change nothing; they need no copy of the state.
  const Stand* s = schritte.aktuell();
  if (s && gleichesteuerung(s->steuer, steuer) && s->sicht.xmin == xmin && s->sicht.xmax == xmax &&
      s->sicht.ymin == ymin && s->sicht.ymax == ymax)
    return;
  schritte.merken(jetzigerstand(), folgt ? Verlauf::Art::fortsetzbar : Verlauf::Art::einzeln);
  menuestand();
}

// The run's last position is already drawn; it joins the run before the run ends.
void Verlaufsfuehrung::folgenbeenden() {
  merken();
  folgt = false;
  schritte.abschliessen();
}

void Verlaufsfuehrung::menuestand() {
  rueckgaengig->setEnabled(schritte.kannzurueck());
  wiederholen->setEnabled(schritte.kannvor());
}

void Verlaufsfuehrung::anwenden(const Stand* s) {
  if (!s) return;
  wendetan = true;
  for (const Steuerelement& e : steuerelemente())
    std::visit([&](auto feld) { steuer.*feld = s->steuer.*feld; }, e.feld);
  f->zustandsetzen(&s->sicht);
  wendetan = false;
  menuestand();
}

void Verlaufsfuehrung::zurueck() {
  if (f->Timer1.isActive()) f->b_animationClick();
  merken();
  anwenden(schritte.zurueck());
}

void Verlaufsfuehrung::vor() {
  if (f->Timer1.isActive()) f->b_animationClick();
  merken();
  anwenden(schritte.vor());
}

// A field is being edited while the state differs from the recorded one: then
// the keys of undo and redo are the field's own.
bool Verlaufsfuehrung::feldbearbeitet(QObject* o) const {
  const Stand* s = schritte.aktuell();
  return qobject_cast<QLineEdit*>(o) && s && !gleichesteuerung(s->steuer, steuer);
}

bool Verlaufsfuehrung::eventFilter(QObject* o, QEvent* e) {
  switch (e->type()) {
    case QEvent::ShortcutOverride: {
      auto* w = qobject_cast<QWidget*>(o);
      if (!w || w->window() != f || !istwendetaste(static_cast<QKeyEvent*>(e)) || feldbearbeitet(o))
        return false;
      // Taken from the field, so that the menu's shortcut acts.
      e->ignore();
      return true;
    }
    case QEvent::ActivationChange:
      if (o == f && f->isActiveWindow() && !gestartet) {
        gestartet = true;
        vormerken();
      }
      return false;
    case QEvent::MouseMove:
      if (o == f->PaintBox1) {
        const bool shift = static_cast<QMouseEvent*>(e)->modifiers() & Qt::ShiftModifier;
        if (folgt && !shift) folgenbeenden();
        folgt = shift;
      }
      return false;
    case QEvent::Paint:
    case QEvent::MouseButtonRelease:
      if (o == f->PaintBox1) vormerken();
      return false;
    case QEvent::Leave:
      if (o == f->PaintBox1 && folgt) folgenbeenden();
      return false;
    default:
      return false;
  }
}
