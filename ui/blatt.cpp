// Worksheet files from the menu "Графика" and by dropping one onto the window.
// Reading and writing are the worksheet unit's; here are the dialogs, taking the
// state into the widgets and the error display.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include "abbildung.h"
#include "blattdatei.h"
#include "graf_rus.h"
#include "letzterstand.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

const QString oeffnentitel = QStringLiteral("Открыть набор");
const QString speicherntitel = QStringLiteral("Сохранить набор");

void dialogeinrichten(QFileDialog& d, const QString& titel) {
  d.setWindowTitle(titel);
  d.setNameFilter(blattfilter());
  d.setDefaultSuffix(blattendungtext());
}

// The one local worksheet file a drag carries, or empty.
QString gezogenesblatt(const QMimeData* daten) {
  if (!daten || !daten->hasUrls() || daten->urls().size() != 1) return {};
  const QUrl url = daten->urls().first();
  const QString pfad = url.isLocalFile() ? url.toLocalFile() : QString();
  return pfad.endsWith(QLatin1Char('.') + blattendungtext(), Qt::CaseInsensitive) ? pfad : QString();
}

}  // namespace

void TFGraf::blattvormerken(const QString& pfad) { vorgemerkt = pfad; }

QString TFGraf::blattoeffnen(const QString& pfad) {
  std::optional<Sicht> sicht;
  if (QString fehler = blattladen(pfad, steuer, sicht); !fehler.isEmpty()) return fehler;
  zustandsetzen(sicht ? &*sicht : nullptr);
  // The kept state is no worksheet of the user's: it names nothing.
  blattmerken(QFileInfo(pfad) == QFileInfo(letzterstandpfad()) ? QString() : pfad);
  return {};
}

void TFGraf::zustandsetzen(const Sicht* sicht) {
  zustandzeigen();
  if (sicht) {
    xmin = sicht->xmin, xmax = sicht->xmax, ymin = sicht->ymin, ymax = sicht->ymax;
  } else {
    xmin = -6, xmax = 6;
    yausx();
  }
  b_zeichnenClick();
}

void TFGraf::blattfehlerzeigen(const QString& fehler) {
  // Not inside the event that found it (an activation, a drop): the message
  // box runs an event loop of its own.
  QTimer::singleShot(0, this, [this, fehler] { QMessageBox::critical(this, oeffnentitel, fehler); });
}

void TFGraf::BlattoeffnenClick() {
  QFileDialog d(this);
  dialogeinrichten(d, oeffnentitel);
  d.setAcceptMode(QFileDialog::AcceptOpen);
  d.setFileMode(QFileDialog::ExistingFile);
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
  if (const QString fehler = blattoeffnen(d.selectedFiles().first()); !fehler.isEmpty()) blattfehlerzeigen(fehler);
}

void TFGraf::BlattspeichernClick() {
  QFileDialog d(this);
  dialogeinrichten(d, speicherntitel);
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  d.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
  const QString pfad = d.selectedFiles().first();
  const QString fehler = blattsichern(pfad, steuer, Sicht{xmin, xmax, ymin, ymax});
  if (!fehler.isEmpty()) return (void)QMessageBox::critical(this, speicherntitel, fehler);
  blattmerken(pfad);
}

void TFGraf::dragEnterEvent(QDragEnterEvent* e) {
  if (!gezogenesblatt(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void TFGraf::dropEvent(QDropEvent* e) {
  const QString pfad = gezogenesblatt(e->mimeData());
  if (pfad.isEmpty()) return;
  e->acceptProposedAction();
  if (const QString fehler = blattoeffnen(pfad); !fehler.isEmpty()) blattfehlerzeigen(fehler);
}
