// Picture export from the menu "Графика": copy, print and save. The work is
// done by the export unit; here are the dialog and the error display.
#include <QCheckBox>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QFileInfo>
#include <QMessageBox>

#include "bildexport.h"
#include "ergebnisblatt.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "steuerzustand.h"

namespace {

void fehleranzeigen(QWidget* fenster, const QString& titel, const QString& grund) {
  QMessageBox::critical(fenster, titel, grund);
}

}  // namespace

void TFGraf::alsWMFkopieren1Click() {
  const QString leer = ohnebildpunkte(steuer.PaintBox1_width, steuer.PaintBox1_height);
  if (!leer.isEmpty()) return fehleranzeigen(this, QStringLiteral("Kопия графика"), leer);
  // The mapping as the last screen redraw left it.
  zwischenablagekopieren(steuer.PaintBox1_width, steuer.PaintBox1_height);
}

void TFGraf::GrafikdruckenClick() {
  const QString fehler = standarddruck(PaintBox1->width(), PaintBox1->height());
  if (!fehler.isEmpty()) fehleranzeigen(this, QStringLiteral("Печать графики"), fehler);
}

void TFGraf::Speichern1Click() {
  const QString leer = ohnebildpunkte(PaintBox1->width(), PaintBox1->height());
  if (!leer.isEmpty()) return fehleranzeigen(this, QStringLiteral("Сохранить изображение"), leer);
  QFileDialog SD1(this);
  sd1einrichten(SD1);
  if (SD1.exec() != QDialog::Accepted || SD1.selectedFiles().isEmpty()) return;
  const int filterindex = static_cast<int>(sd1filter.indexOf(SD1.selectedNameFilter())) + 1;
  const QString gewaehlt = SD1.selectedFiles().first();
  const Bildziel ziel = bildziel(filterindex, gewaehlt);
  // The dialog asked about the name it returned; a name it never saw is asked about here.
  if (ziel.name != gewaehlt && QFileInfo::exists(ziel.name) &&
      QMessageBox::question(this, QStringLiteral("Сохранить изображение"),
                            QStringLiteral("Файл %1 уже существует. Заменить его?").arg(ziel.name)) !=
          QMessageBox::Yes)
    return;
  neuzeichnen();
  const QString fehler = bildspeichern(ziel.filterindex, ziel.name, PaintBox1->bild);
  if (!fehler.isEmpty()) fehleranzeigen(this, QStringLiteral("Сохранить изображение"), fehler);
}

void TFGraf::DruckenClick() {
  const QString titel = QStringLiteral("Печать");
  const int breite = PaintBox1->width(), hoehe = PaintBox1->height();
  const QString leer = ohnebildpunkte(breite, hoehe);
  if (!leer.isEmpty()) return fehleranzeigen(this, titel, leer);
  // Qt's preview: its tool bar turns the page, its print button opens the
  // print dialog with every printer, a PDF file and the number of copies.
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setDocName(QStringLiteral("Function"));
  QPrintPreviewDialog vorschau(&drucker, this);
  vorschau.setWindowTitle(titel);
  auto* mitliste = new QCheckBox(QStringLiteral("с результатами"));
  mitliste->setObjectName(QStringLiteral("mitliste"));
  mitliste->setChecked(steuer.Mergebnis_visible);
  if (auto* leiste = vorschau.findChild<QToolBar*>()) {
    leiste->addSeparator();
    leiste->addWidget(mitliste);
  }
  auto* seiten = vorschau.findChild<QPrintPreviewWidget*>();
  connect(mitliste, &QCheckBox::toggled, &vorschau, [seiten] {
    if (seiten) seiten->updatePreview();
  });
  QString fehler;
  connect(&vorschau, &QPrintPreviewDialog::paintRequested, &vorschau, [&](QPrinter* p) {
    fehler = druckauftrag(*p, breite, hoehe, mitliste->isChecked());
  });
  vorschau.exec();
  if (!fehler.isEmpty()) fehleranzeigen(this, titel, fehler);
}
