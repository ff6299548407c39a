// What the window takes from the platform beyond its plain widgets: fonts that
// stand in for the designed ones, captions that keep to their designed room,
// and Qt's own texts (dialogs, context menus) in Russian.
#pragma once

#include <QFont>
#include <QString>

class QAbstractButton;
class QFontMetrics;

// The named font at a pixel size; where the platform lacks it, a font of
// matching width stands in (see the table in plattform.cpp).
QFont schrift(const QString& familie, int pixel);

// Room for the caption of a check box or radio button: its width less the
// indicator and the gap after it; of a push button: less its margins.
int beschriftungsraum(const QAbstractButton* knopf);

// The caption broken at blanks into lines of at most `breite` pixels; a caption
// that fits stays one line. A single word wider than the room keeps its line.
QString umbrechen(const QString& text, const QFontMetrics& metrik, int breite);

// Loads Qt's Russian translation of its own dialogs and menus; key names of
// shortcuts stay as the menus name them ("Space", "Enter").
void qtrussisch();
