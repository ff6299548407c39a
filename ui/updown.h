// An up-down spinner beside an edit field: two arrow buttons that report the
// direction of each step; holding a button repeats the step. Shift makes a
// click ten steps, Ctrl a hundred; a spinner may also take the wheel and the
// keys of its field.
#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;

// Steps of one click, key or wheel notch with these modifier keys held: ten
// with Shift, a hundred with Ctrl.
int schrittzahl(Qt::KeyboardModifiers tasten);

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent);

  // Called before each step with true for up, false for down.
  std::function<void(bool)> OnChangingEx;

  // One click as on an arrow; `schritte` is what the handler reads in
  // `schrittzahl` while it runs.
  void klick(bool nachoben, int schritte = 1);
  int schritte() const { return laufend; }

  // The wheel over the spinner and over `feld`, and the keys Up, Down, PageUp
  // and PageDown in `feld`, step as the arrows do.
  void feldsteuern(QLineEdit* feld);

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  class QToolButton* hoch;
  class QToolButton* runter;
  void rad(QWheelEvent* e);
  int laufend = 1;
  bool radschritte = false;
  int radrest = 0;  // eighths of a degree short of a whole notch
};
