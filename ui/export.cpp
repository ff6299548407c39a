// Picture export from the menu "Графика": copy, print and save. The work is
// done by the export unit; here are the dialog and the error display.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "bildexport.h"
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
