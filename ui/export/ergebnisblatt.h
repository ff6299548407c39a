// The drawing together with its terms and its result list, for paper and for
// picture files that carry the list: a heading with the terms drawn, the
// drawing at its largest in scale, and the result lines below it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QPrinter;

// One drawing of W x H with what goes around it.
struct Ergebnisblatt {
  QStringList kopf;      // "f1(x) = ..." for each term that is drawn, as typed
  QByteArray zeichnung;  // the vector drawing as SVG, cut to its area
  int breite = 0, hoehe = 0;
  QStringList zeilen;    // the result list of the pass that made the drawing
};

// Records the drawing for W x H with the mapping recomputed, as the print
// does, and takes the result list that pass wrote.
Ergebnisblatt ergebnisblattaufnehmen(int breite, int hoehe);

// The print dialog's job on a printer that is set up already: with `mitliste`
// the heading, drawing and list over as many pages as the list needs, else
// the one page of the print command. A PDF printer's file is replaced only by
// a complete document. Returns the reason of a failure, or empty.
QString druckauftrag(QPrinter& drucker, int breite, int hoehe, bool mitliste);

// Picture files with the list below the drawing: one page W wide and as high
// as everything needs, in drawing pixels. Empty on failure.
QByteArray svgmitliste(const Ergebnisblatt& blatt);
QByteArray pdfmitliste(const Ergebnisblatt& blatt);
