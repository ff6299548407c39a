// The program: the application with its title, the main window and a hidden
// About window; it runs until the main window closes.
#include <QApplication>

#include "graf_rus.h"
#include "info2_russ.h"
#include "plattform.h"
#include "qtcanvas.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString titel = QStringLiteral("Графическое представление функции");
  // Only the name: a display name would be appended to every window's title.
  QApplication::setApplicationName(titel);
  qtrussisch();
  tastenfilteranbringen();
  schriftersatz();
  TFGraf FGraf;
  TF35 F35(&FGraf);  // never shown; the menu command makes its own
  FGraf.show();
  return app.exec();
}
