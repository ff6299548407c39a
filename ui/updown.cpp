#include "updown.h"

#include <QResizeEvent>
#include <QToolButton>

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
  connect(hoch, &QToolButton::clicked, this, [this] { klick(true); });
  connect(runter, &QToolButton::clicked, this, [this] { klick(false); });
}

void UpDown::klick(bool nachoben) {
  if (OnChangingEx) OnChangingEx(nachoben);
}

void UpDown::resizeEvent(QResizeEvent* e) {
  const int w = e->size().width(), h = e->size().height();
  hoch->setGeometry(0, 0, w, h / 2);
  runter->setGeometry(0, h / 2, w, h - h / 2);
}
