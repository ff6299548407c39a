// The drawing area: a widget that owns its screen image. The program draws into
// the image and shows it; a paint request of the platform (first display, a new
// size) runs the full repaint first.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent);

  // The screen image, always of the widget's size after `bildanpassen`.
  QImage bild;
  void bildanpassen();

  // Shows the screen image as it is now, without redrawing it.
  void zeigen();

  // The colour of the screen pixel, or an invalid colour outside the image.
  QRgb pixel(int x, int y) const;

  // A small cross shown over the image at a pixel, or none; it is not part of
  // the image, so `pixel` never sees it.
  void kreuzsetzen(std::optional<QPoint> ort);
  std::optional<QPoint> kreuz() const { return kreuzort; }

  std::function<void()> OnPaint;
  std::function<void(Qt::MouseButton, int, int)> OnMouseDown;
  std::function<void(int, int)> OnMouseMove;
  std::function<void(int, int)> OnMouseUp;
  // The modifier keys held at the last mouse event on the drawing.
  Qt::KeyboardModifiers tasten;

  // Whole notches of the wheel at the pointer, positive away from the user.
  std::function<void(int, int, int)> OnMouseWheel;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  std::optional<QPoint> kreuzort;
  bool nurzeigen = false;
  bool malt = false;
  int radrest = 0;  // eighths of a degree short of a whole notch
};
