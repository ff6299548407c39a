#include "termanzeige.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolTip>

#include "graf_rus.h"
#include "steuerzustand.h"
#include "termfelder.h"

namespace {

// The frame of a failed input.
const QString rotrahmen = QStringLiteral("QLineEdit { border: 2px solid #d00000; }");

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
  if (gesagt && gesagt->isVisible())
    QToolTip::showText(gesagt->mapToGlobal(QPoint(0, gesagt->height())), erstes, gesagt);
}
