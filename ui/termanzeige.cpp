#include "termanzeige.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolTip>

#include "graf_rus.h"
#include "statuszeile.h"
#include "steuerzustand.h"
#include "termfelder.h"

namespace {

// The frame of a failed input.
const QString rotrahmen = QStringLiteral("QLineEdit { border: 2px solid #d00000; }");

// The line under the term fields that keeps the first message until the next
// taking: red for a term that does not read, grey for a rewrite. It shares the
// row with the status line: while it shows, the coordinates keep the left part.
QLabel* meldungszeile(TFGraf& f) {
  auto* zeile = f.termpanel->findChild<QLabel*>(QStringLiteral("termmeldung"));
  if (!zeile) {
    zeile = new QLabel(f.termpanel);
    zeile->setObjectName(QStringLiteral("termmeldung"));
    zeile->setFont(f.ed_f1->font());
  }
  const int x = Statuszeile::links + Statuszeile::geteiltebreite + 8;
  zeile->setGeometry(x, 70, std::max(0, f.termpanel->width() - x - 12), 17);
  return zeile;
}

}  // namespace

void termfelderzeigen(TFGraf& f) {
  const std::pair<QLineEdit*, const std::u16string*> felder[] = {
      {f.ed_f1, &steuer.ed_f1}, {f.ed_f2, &steuer.ed_f2}, {f.ed_f3, &steuer.ed_f3}, {f.ed_f4, &steuer.ed_f4}};
  QLineEdit* gesagt = nullptr;
  QString erstes;
  for (std::size_t i = 0; i < std::size(felder); ++i) {
    auto [feld, text] = felder[i];
    const QString neu = QString::fromStdU16String(*text);
    if (feld->text() != neu) {
      const QSignalBlocker stumm(feld);
      feld->setText(neu);
    }
    const QString meldung = QString::fromStdU16String(termfelder.meldung[i]);
    feld->setStyleSheet(meldung.isEmpty() ? QString() : rotrahmen);
    feld->setToolTip(meldung);
    if (!meldung.isEmpty() && !gesagt) gesagt = feld, erstes = meldung;
  }
  // Without a message, the first rewrite is said beside f1's row.
  if (!gesagt && !termfelder.hinweise.empty()) {
    gesagt = f.ed_f1;
    erstes = QString::fromStdU16String(termfelder.hinweise.front());
  }
  QLabel* zeile = meldungszeile(f);
  zeile->setStyleSheet(termfelder.meldung == decltype(termfelder.meldung){} ? QStringLiteral("color: #505050;")
                                                                             : QStringLiteral("color: #c00000;"));
  zeile->setText(erstes);
  zeile->setToolTip(erstes);
  zeile->setVisible(!erstes.isEmpty());
  if (f.statuszeile)
    f.statuszeile->resize(erstes.isEmpty() ? Statuszeile::breite : Statuszeile::geteiltebreite, f.statuszeile->height());
  if (gesagt && gesagt->isVisible())
    QToolTip::showText(gesagt->mapToGlobal(QPoint(0, gesagt->height())), erstes, gesagt);
}
