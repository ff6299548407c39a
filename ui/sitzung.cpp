// What outlasts one run of the window: the state kept at its end, the recent
// worksheets of the menu "Графика", and the title that names the worksheet and
// marks a change since it was saved or opened.
#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "graf_rus.h"
#include "letzterstand.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

const QString letztertitel = QStringLiteral("Открыть последний набор");

std::string jetzigerstand() { return blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax}); }

}  // namespace

void TFGraf::sitzungeinrichten() {
  grundtitel = windowTitle();
  // The recent worksheets follow the item of the kept state.
  const QList<QAction*> eintraege = Bearbeiten1->actions();
  QAction* danach = eintraege.value(eintraege.indexOf(Letzteroeffnen1) + 1);
  for (int i = 0; i < zuletztzahl; ++i) {
    auto* a = new QAction(this);
    a->setVisible(false);
    Bearbeiten1->insertAction(danach, a);
    connect(a, &QAction::triggered, this, [this, a] {
      if (const QString fehler = blattoeffnen(a->data().toString()); !fehler.isEmpty()) blattfehlerzeigen(fehler);
    });
    zuletzt << a;
  }
  zuletztzeigen(zuletztlesen());
  // Every control that is part of a worksheet may change the title's mark;
  // a redraw (a new view) checks it too.
  for (auto* feld : findChildren<QLineEdit*>()) connect(feld, &QLineEdit::textChanged, this, &TFGraf::titelsetzen);
  for (auto* knopf : findChildren<QAbstractButton*>()) connect(knopf, &QAbstractButton::toggled, this, &TFGraf::titelsetzen);
  for (QMenu* menue : {M_ksystem, M2})
    for (QAction* a : menue->actions()) connect(a, &QAction::toggled, this, &TFGraf::titelsetzen);
}

void TFGraf::zuletztzeigen(const QStringList& liste) {
  for (int i = 0; i < zuletzt.size(); ++i) {
    QAction* a = zuletzt[i];
    a->setVisible(i < liste.size());
    if (i >= liste.size()) continue;
    a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(liste[i]).fileName()));
    a->setData(liste[i]);
    a->setStatusTip(liste[i]);
    a->setToolTip(liste[i]);
  }
  Bearbeiten1->setToolTipsVisible(true);
}

void TFGraf::blattmerken(const QString& pfad) {
  if (pfad.isEmpty()) {
    blattname.clear();
    blattstand.clear();
  } else {
    blattname = QFileInfo(pfad).fileName();
    blattstand = jetzigerstand();
    zuletztzeigen(zuletztvormerken(pfad));
  }
  titelsetzen();
}

void TFGraf::titelsetzen() {
  if (blattname.isEmpty()) {
    setWindowTitle(grundtitel);
    setWindowModified(false);
    return;
  }
  setWindowTitle(QStringLiteral("%1[*] — %2").arg(blattname, grundtitel));
  setWindowModified(jetzigerstand() != blattstand);
}

QString TFGraf::letztenstandbehalten() { return zustandbehalten(steuer, Sicht{xmin, xmax, ymin, ymax}); }

void TFGraf::LetzteroeffnenClick() {
  const QString pfad = letzterstandpfad();
  if (!QFileInfo::exists(pfad)) {
    QMessageBox::information(this, letztertitel,
                             QStringLiteral("Последнего набора ещё нет: он сохраняется при выходе из программы."));
    return;
  }
  if (const QString fehler = blattoeffnen(pfad); !fehler.isEmpty()) blattfehlerzeigen(fehler);
}
