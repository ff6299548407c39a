#include "grafikstart.h"

#include <QGuiApplication>

#include <memory>

#include "qtcanvas.h"

void grafikstarten() {
  if (!QGuiApplication::instance()) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "plotter";
    static char* argv[] = {name, nullptr};
    // Ends with the program, before the library's own statics, which lets the
    // font system release what it holds.
    static std::unique_ptr<QGuiApplication> anwendung = std::make_unique<QGuiApplication>(argc, argv);
  }
  schriftersatz();
}
