// The program: the application with its title, the main window and a hidden
// About window; it runs until the main window closes.
#include <QApplication>

#include "graf_rus.h"
#include "info2_russ.h"
#include "qtcanvas.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString titel = QStringLiteral("Графическое представление функции");
  QApplication::setApplicationName(titel);
  QApplication::setApplicationDisplayName(titel);
  tastenfilteranbringen();
  schriftersatz();
  TFGraf FGraf;
  TF35 F35(&FGraf);  // never shown; the menu command makes its own
  FGraf.show();
  return app.exec();
}
