// The About window: logo, title and credits; Enter or Esc closes it.
#pragma once

#include <QDialog>

class TF35 : public QDialog {
  Q_OBJECT

 public:
  explicit TF35(QWidget* eltern);
  ~TF35() override;

  void B1C();

  // Windows of this kind alive now; each command makes and releases its own.
  static int anzahl;

 protected:
  void showEvent(QShowEvent* e) override;
};
