// An up-down spinner beside an edit field: two arrow buttons that report the
// direction of each step; holding a button repeats the step.
#pragma once

#include <QWidget>
#include <functional>

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent);

  // Called before each step with true for up, false for down.
  std::function<void(bool)> OnChangingEx;

  // One step as a click on an arrow does it.
  void klick(bool nachoben);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  class QToolButton* hoch;
  class QToolButton* runter;
};
