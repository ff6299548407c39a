// The About window: logo, title and credits; Enter or Esc closes it.
#pragma once

#include <QDialog>

class TF35 : public QDialog {
  Q_OBJECT

 public:
  explicit TF35(QWidget* eltern);

  void B1C();

 protected:
  void showEvent(QShowEvent* e) override;
};
