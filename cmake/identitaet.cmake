# Who the program is when it leaves the build tree: its installed name, its
# application id and the names the desktop, the package and the man page use.
# The version is the one of project(); everything that prints or installs a name
# reads it from here.
set(PLOTTER_PROGRAMM funktionsplotter)
set(PLOTTER_APP_ID org.example.funktionsplotter)
set(PLOTTER_TITEL "Графическое представление функции")
set(PLOTTER_TITEL_EN "Function Plotter")
set(PLOTTER_ENTWICKLER "Команда плоттера")
set(PLOTTER_ENTWICKLER_EN "The plotter team")
set(PLOTTER_KONTAKT "funktionsplotter@example.org")
set(PLOTTER_HOMEPAGE "https://funktionsplotter.example.org/")
set(PLOTTER_RELEASEDATUM 2026-12-10)

# The worksheet file: its MIME type and file name extension.
set(PLOTTER_BLATT_MIME application/x-funktionsplotter-blatt)
set(PLOTTER_BLATT_ENDUNG fpblatt)
