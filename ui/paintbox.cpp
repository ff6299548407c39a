#include "paintbox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::bildanpassen() {
  if (bild.size() == size()) return;
  bild = QImage(size(), QImage::Format_RGB32);
  bild.fill(Qt::white);
}

void TPaintBox::zeigen() {
  if (malt) return;  // the paint event under way shows the image anyway
  nurzeigen = true;
  update();
}

QRgb TPaintBox::pixel(int x, int y) const {
  if (!bild.valid(x, y)) return 0xFF000001u;  // never one of the marker colours
  return bild.pixel(x, y) | 0xFF000000u;
}

void TPaintBox::paintEvent(QPaintEvent*) {
  // Every paint that the program did not ask for by `zeigen` is a request of the
  // platform and draws everything anew.
  malt = true;
  if (!nurzeigen || bild.size() != size()) {
    bildanpassen();
    if (OnPaint) OnPaint();
  }
  nurzeigen = false;
  malt = false;
  QPainter p(this);
  p.drawImage(0, 0, bild);
  if (!kreuzort) return;
  p.setPen(QPen(Qt::black, 1));
  const QPoint k = *kreuzort;
  p.drawLine(k - QPoint(5, 5), k + QPoint(5, 5));
  p.drawLine(k + QPoint(-5, 5), k + QPoint(5, -5));
}

void TPaintBox::kreuzsetzen(std::optional<QPoint> ort) {
  if (ort == kreuzort) return;
  kreuzort = ort;
  zeigen();
}

void TPaintBox::resizeEvent(QResizeEvent*) {
  nurzeigen = false;
}

void TPaintBox::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  tasten = e->modifiers();
  if (OnMouseDown) OnMouseDown(e->button(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  tasten = e->modifiers();
  if (OnMouseMove) OnMouseMove(p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  tasten = e->modifiers();
  if (OnMouseUp) OnMouseUp(p.x(), p.y());
}

void TPaintBox::wheelEvent(QWheelEvent* e) {
  // Fine-grained wheels and touch pads send parts of a notch (120); they add up.
  radrest += e->angleDelta().y();
  const int raster = radrest / 120;
  radrest -= raster * 120;
  const QPoint p = e->position().toPoint();
  if (raster != 0 && OnMouseWheel) OnMouseWheel(p.x(), p.y(), raster);
  e->accept();
}
