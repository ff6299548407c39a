#include "updown.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>
#include <QWheelEvent>

int schrittzahl(Qt::KeyboardModifiers tasten) {
  if (tasten & Qt::ControlModifier) return 100;
  if (tasten & Qt::ShiftModifier) return 10;
  return 1;
}

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
  hoch = new QToolButton(this);
  runter = new QToolButton(this);
  hoch->setArrowType(Qt::UpArrow);
  runter->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {hoch, runter}) {
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(100);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(7, 7));
  }
  connect(hoch, &QToolButton::clicked, this,
          [this] { klick(true, schrittzahl(QGuiApplication::keyboardModifiers())); });
  connect(runter, &QToolButton::clicked, this,
          [this] { klick(false, schrittzahl(QGuiApplication::keyboardModifiers())); });
}

void UpDown::klick(bool nachoben, int schritte) {
  laufend = schritte;
  if (OnChangingEx) OnChangingEx(nachoben);
  laufend = 1;
}

void UpDown::feldsteuern(QLineEdit* feld) {
  radschritte = true;
  feld->installEventFilter(this);
}

void UpDown::rad(QWheelEvent* e) {
  // Fine-grained wheels send parts of a notch (120); they add up. Some
  // platforms turn the wheel with Shift into a sideways one.
  const QPoint d = e->angleDelta();
  radrest += d.y() != 0 ? d.y() : d.x();
  const int raster = radrest / 120;
  radrest -= raster * 120;
  if (raster != 0) klick(raster > 0, std::abs(raster) * schrittzahl(e->modifiers()));
  e->accept();
}

void UpDown::wheelEvent(QWheelEvent* e) {
  if (radschritte) rad(e);
  else e->ignore();
}

bool UpDown::eventFilter(QObject*, QEvent* e) {
  if (e->type() == QEvent::Wheel) {
    rad(static_cast<QWheelEvent*>(e));
    return true;
  }
  if (e->type() != QEvent::KeyPress) return false;
  auto* k = static_cast<QKeyEvent*>(e);
  const bool hinauf = k->key() == Qt::Key_Up || k->key() == Qt::Key_PageUp;
  const bool hinab = k->key() == Qt::Key_Down || k->key() == Qt::Key_PageDown;
  if (!hinauf && !hinab) return false;
  klick(hinauf, schrittzahl(k->modifiers()));
  return true;
}

void UpDown::resizeEvent(QResizeEvent* e) {
  const int w = e->size().width(), h = e->size().height();
  hoch->setGeometry(0, 0, w, h / 2);
  runter->setGeometry(0, h / 2, w, h - h / 2);
}
