#include "info2_russ.h"

#include <QAction>
#include <QLabel>

#include "bilder.h"
#include "plattform.h"

namespace {

QFont kursiv(int pixel, bool fett) {
  QFont f = schrift(QStringLiteral("Verdana"), pixel);
  f.setBold(fett);
  f.setItalic(true);
  return f;
}

QLabel* beschriftung(QWidget* eltern, const QString& text, QRect ort, const QFont& f) {
  auto* l = new QLabel(text, eltern);
  l->setGeometry(ort);
  l->setFont(f);
  l->setAlignment(Qt::AlignRight | Qt::AlignTop);
  l->setAttribute(Qt::WA_TranslucentBackground);
  return l;
}

}  // namespace

TF35::TF35(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Около ..."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(322, 153);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(schrift(QStringLiteral("MS Sans Serif"), 11));

  auto* I1 = new QLabel(this);
  I1->setGeometry(36, 27, 69, 75);
  I1->setPixmap(QPixmap::fromImage(logobild()));
  I1->setScaledContents(true);
  I1->setAttribute(Qt::WA_TranslucentBackground);

  beschriftung(this, QStringLiteral("Графика\n2026"), QRect(157, 18, 140, 50), kursiv(21, true));
  beschriftung(this,
               QStringLiteral("2025 – 2026\nКоманда плоттера\nадрес сайта не задан\n"
                              "Свободная программа"),
               QRect(134, 81, 163, 56), kursiv(12, false));

  // Enter and Esc close the window; the actions live on no visible menu.
  auto* schliessen = new QAction(this);
  schliessen->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                            QKeySequence(Qt::Key_Escape)});
  schliessen->setShortcutContext(Qt::WindowShortcut);
  connect(schliessen, &QAction::triggered, this, &TF35::B1C);
  addAction(schliessen);
}

void TF35::showEvent(QShowEvent* e) {
  // Centred on the main window's frame; the platform's own placement leaves the
  // window a little up and to the left of it.
  QDialog::showEvent(e);
  if (QWidget* eltern = parentWidget()) {
    const QRect rahmen = frameGeometry();
    move(eltern->window()->frameGeometry().center() - QPoint(rahmen.width() / 2, rahmen.height() / 2));
  }
}

void TF35::B1C() { close(); }
