// Driving the modal dialogs of the window from a test, as a user does.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>

// Types a name into the dialog's name field, as a user does.
inline void namensfeld(QFileDialog* d, const QString& name) {
  if (auto* feld = d->findChild<QLineEdit*>("fileNameEdit")) feld->setText(name);
}

// Runs `handeln` once the next modal dialog is up, with it as argument. Where
// the dialog may not come, `besitzer` ends the waiting with its own life.
inline void beimdialog(std::function<void(QWidget*)> handeln, QObject* besitzer = nullptr) {
  auto* uhr = new QTimer(besitzer);
  uhr->setInterval(20);
  QObject::connect(uhr, &QTimer::timeout, [uhr, handeln] {
    if (QWidget* d = QApplication::activeModalWidget()) {
      uhr->stop();
      uhr->deleteLater();
      handeln(d);
    }
  });
  uhr->start();
}
