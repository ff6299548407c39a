// The main window: every control of the program, bound to the control state
// `steuer`, with the handlers that keep `funktionsliste`, P and the view window
// up to date and end in one of the two redraw entries.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <string>
#include <variant>

#include "steuerzustand.h"

class Canvas;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class Statuszeile;
class TPaintBox;
class UpDown;
class Verlaufsfuehrung;
struct Sicht;

class TFGraf : public QMainWindow {
  Q_OBJECT

 public:
  TFGraf();
  ~TFGraf() override;

  // Redraw entries: the picture only, and the picture with the result memo.
  void neuzeichnen();
  void PaintBox1Paint();

  // Part of the main window's handlers that tests and other units call directly.
  void b_zeichnenClick();
  void button_fstrichClick();
  void button_f2strichClick();
  void TB1Change();
  void Bergebnis();
  void ListekopierenClick();
  void Menueinstellungen(QAction* item);
  void SEndeClick();
  void About1Click();

  // View navigation.
  void slinksClick();
  void srechtsClick();
  void shochClick();
  void srunterClick();
  void sgroesserClick();
  void SkleinerClick();
  void SgrundClick();
  void S31Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int X, int Y);
  void PaintBox1MouseMove(int X, int Y);
  void PaintBox1MouseUp(int X, int Y);
  // Additions: the wheel zooms about the pointer (`raster` notches, positive
  // away from the user), the middle button drags the picture.
  void PaintBox1MouseWheel(int X, int Y, int raster);

  // Parameter stepping and animation; `nachoben` is the direction of the step.
  void UpDown2ChangingEx(bool nachoben);
  void UpDown5ChangingEx(bool nachoben);
  void UpDown3ChangingEx(bool nachoben);
  void UpDown4ChangingEx(bool nachoben);
  void b_animationClick();
  void Timer1Timer();

  // Picture export (separate unit).
  void alsWMFkopieren1Click();
  void GrafikdruckenClick();
  void Speichern1Click();

  // Worksheet files (separate unit): the two menu commands, and a file named
  // at the start, which opens at the first activation after the standard view.
  void BlattoeffnenClick();
  void BlattspeichernClick();
  void blattvormerken(const QString& pfad);
  // Reads the file; when it is accepted the whole state and its view are set
  // and drawn once. Returns the message of a refusal, or empty.
  QString blattoeffnen(const QString& pfad);
  // Shows the control state in the widgets, sets the view (null: the standard
  // view) and draws it once.
  void zustandsetzen(const Sicht* sicht);

  // Additions at the end of the menu "Графика": the print dialog with its
  // choice of the result list, the state kept at the program's end, and the
  // worksheets used last (separate units).
  void DruckenClick();
  void LetzteroeffnenClick();
  // Writes the kept state; the message of a failure, or empty.
  QString letztenstandbehalten();

  // Window events.
  void FormShow();
  void FormActivate();
  void FormResize();

  // Lays the docked regions out for the current client size.
  void anordnen();

  // Controls, under their names.
  TPaintBox* PaintBox1 = nullptr;
  QPlainTextEdit* Mergebnis = nullptr;
  QTimer Timer1;

  QLabel *Label1, *Label2, *Label3, *Label4, *Label8, *Label9, *Label10, *Label11, *Label12,
      *Label13, *Label14, *Label15, *Label16;
  QLineEdit *ed_f1, *ed_f2, *ed_f3, *ed_f4, *ed_xvon, *ed_xbis, *ed_parameter, *ed_q,
      *ed_schardiff, *ed_A, *ed_B, *ed_von, *ed_bis, *ed_delta, *ed_breite;
  QCheckBox *c_f1, *c_f2, *c_f3, *c_f4, *c_1ableitung, *c_2ableitung, *c_nullstellen, *c_extrema,
      *c_wendepunkte, *c_wendetangente, *c_stammfunktion, *c_schnittpunkte, *c_pktanzeige,
      *c_schar, *c_punktA, *c_punktB, *c_tangente, *c_normale, *c_sekante, *c_integral,
      *c_wertetabelle, *c_ergebnisliste;
  QRadioButton *rb_punkta, *rb_punktB, *rb_parameter;
  QPushButton *b_animation, *b_zeichnen, *button_fstrich, *button_f2strich;
  QToolButton *slinks, *shoch, *srunter, *srechts, *sgroesser, *skleiner, *sgrundeinstellung;
  UpDown *UpDown1, *UpDown2, *UpDown3, *UpDown4, *UpDown5;

  QAction *M02, *About1, *Vektorgrafikkopieren1, *Vektorgrafikdrucken1, *Speichern1, *M1;
  QAction *Blattoeffnen1, *Blattspeichern1;
  QAction *Letzteroeffnen1, *Drucken1;
  QList<QAction*> zuletzt;  // the recent worksheets, newest first; hidden when unused
  QAction *MAchsen1, *MAchsen21, *M_rahmen, *M_winkel, *M_bogen, *m_raster, *m_mmraster,
      *m_terme, *m_farbe, *m_asymptoten;
  QAction *intervallverkleinern, *intervallvergroessern, *grundeinstellung, *aufloesunganpassen,
      *Animation1, *Zeichnen1;
  QAction *spiegelungxachse, *spiegelungursprung, *spiegelungyachse, *verschiebungxachse,
      *streckungxachse, *verschiebungyachse, *streckungyachse, *nacheinanderausfuehrung,
      *funktionsaddition, *funktionssubtraktion1, *funktionsmultiplikation, *funktionsdivision1,
      *Umkehrkurvezuf1x1, *c_untersuchung;
  QMenu *Bearbeiten1, *M_ksystem, *M2;
  // Undo and redo, with their two menu items.
  Verlaufsfuehrung* verlauf = nullptr;
  // The coordinates under the pointer, in the free row of the term panel below the drawing.
  Statuszeile* statuszeile = nullptr;

  // Regions of the client area.
  QWidget *Panel1, *rechtspanel, *ansichtsleiste, *optionen, *zeichenbereich, *termpanel;

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void steuerelementeanlegen();
  void flaechenanlegen();
  void ansichtsleisteanlegen();
  void felderanlegen();
  void kaestenanlegen();
  void beschriftungenanlegen();
  void spinneranlegen();
  void animationanlegen();
  void knoepfeanlegen();
  void menuesanlegen();
  // The screen image for the paint box's size, drawn by `malen`; then the
  // outputs and the image shown.
  void aufdenschirm(const std::function<void(Canvas&)>& malen);
  void ausgabenzeigen();
  void rollbalkensetzen();
  void memofuellen();
  void memosetzen(bool sichtbar);
  // The widgets take the control state without running their handlers.
  void zustandzeigen();
  void blattfehlerzeigen(const QString& fehler);
  // The recent list's items and the title's watch over every control.
  void sitzungeinrichten();
  void zuletztzeigen(const QStringList& liste);
  // The worksheet the state now is: its name goes into the title, and the
  // state is remembered to tell a change. Empty: no name.
  void blattmerken(const QString& pfad);
  // The title: the worksheet's name with a mark when the state has changed since.
  void titelsetzen();
  void yausx();
  void rahmenzeichnen(int x0, int y0, int x1, int y1);
  void punktziehen(QLineEdit* feld, int X);
  void bildschieben(int X, int Y);
  void spinnerschritt(QLineEdit* feld, double* parameter, bool nachoben, int schritte = 1);
  void animationsschritt(QLineEdit* feld);

  bool gezeigt = false;
  bool aktiviert = false;
  bool vomeigenenfenster = false;
  QString vorgemerkt;
  QString grundtitel;
  QString blattname;         // the worksheet saved or opened last, or empty
  std::string blattstand;    // its state as a worksheet document
  std::size_t memozeilen = 0;  // lines the memo shows
};

// The caption a user sees for the control whose state is `feld` (a member of
// Steuerzustand: text, switch or number), for the command line's help; empty
// for a state no control shows.
std::u16string beschriftungvon(const std::variant<std::u16string Steuerzustand::*, bool Steuerzustand::*,
                                                   int Steuerzustand::*>& feld);

// The application-wide filter that gives the four shortcut keys to the menu
// before a focused edit field claims them.
void tastenfilteranbringen();

// Mouse state of the drawing: 0 idle, 1 dragging A, 2 dragging B; and the zoom
// rectangle with its start and last drawn corner.
extern int ziehmodus;
extern bool rahmenaktiv;
extern int rx0, ry0, rx1, ry1;
// A drag of the picture with the middle button, and where the pointer was last.
extern bool schiebeaktiv;
extern int sx, sy;

// True while the animated value grows; shared by the three kinds of animation.
extern bool animrichtung;
