// The program: the application with its title, the main window and a hidden
// About window; it runs until the main window closes.
#include <QApplication>
#include <QFile>

#include <csignal>

#include "befehlszeile.h"
#include "graf_rus.h"
#include "info2_russ.h"
#include "plattform.h"
#include "qtcanvas.h"

int main(int argc, char** argv) {
  // A file-size limit makes a write fail, which the write routine reports,
  // instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const Aufruf aufruf = aufruflesen({argv + 1, argv + argc});
  // Everything but the window runs without a display: export, help, version, usage errors.
  if (aufruf.art != Aufruf::fenster) return befehlausfuehren(aufruf);
  QApplication app(argc, argv);
  const QString titel = QStringLiteral("Графическое представление функции");
  // Only the name: a display name would be appended to every window's title.
  QApplication::setApplicationName(titel);
  qtrussisch();
  tastenfilteranbringen();
  schriftersatz();
  TFGraf FGraf;
  if (!aufruf.blatt.empty()) FGraf.blattvormerken(QFile::decodeName(aufruf.blatt.c_str()));
  TF35 F35(&FGraf);  // never shown; the menu command makes its own
  FGraf.show();
  return app.exec();
}
