// The state of the controls that the drawing and analysis read and write, under
// the controls' names. Plain data: the window binds its widgets to it, and the
// logic runs against it without a window.
#pragma once

#include <string>

struct Steuerzustand {
  // Edit fields, as typed.
  std::u16string ed_f1 = u"X*SIN(X+P)";
  std::u16string ed_f2 = u"X^2/4-2";
  std::u16string ed_f3;
  std::u16string ed_f4;
  std::u16string ed_xvon = u"-1000";
  std::u16string ed_xbis = u"1000";
  std::u16string ed_parameter = u"1";
  std::u16string ed_q = u"2";
  std::u16string ed_schardiff = u"0,1";
  std::u16string ed_A = u"1";
  std::u16string ed_B = u"0";
  std::u16string ed_von = u"-6";
  std::u16string ed_bis = u"6";
  std::u16string ed_delta = u"0,08";
  std::u16string ed_breite = u"1";
  int UpDown1 = 1;  // pen width, 1 to 6

  // Check boxes.
  bool c_f1 = true, c_f2 = false, c_f3 = true, c_f4 = true;
  bool c_1ableitung = false, c_2ableitung = false;
  bool c_nullstellen = false, c_extrema = false, c_wendepunkte = false, c_schnittpunkte = false;
  bool c_wendetangente = false, c_pktanzeige = false, c_stammfunktion = false, c_schar = false;
  bool c_punktA = false, c_punktB = false;
  bool c_tangente = false, c_normale = false, c_sekante = false;
  bool c_integral = false, c_wertetabelle = false, c_ergebnisliste = false;

  // Radio buttons: what the animation moves.
  bool rb_parameter = true, rb_punkta = false, rb_punktB = false;

  // Settings menu check marks.
  bool MAchsen1 = true, MAchsen21 = false, M_rahmen = false;
  bool M_winkel = false, M_bogen = false;
  bool m_raster = true, m_mmraster = false, m_terme = true, m_farbe = true;
  bool m_asymptoten = true;  // dashed lines at the poles of a curve
  bool spiegelungxachse = false, spiegelungyachse = false, spiegelungursprung = false;
  bool nacheinanderausfuehrung = false, verschiebungxachse = false, streckungxachse = false;
  bool verschiebungyachse = false, streckungyachse = false;
  bool funktionsaddition = false, funktionssubtraktion1 = false;
  bool funktionsmultiplikation = false, funktionsdivision1 = false;
  bool Umkehrkurvezuf1x1 = false;
  bool c_untersuchung = false;  // the curve discussion of f1 in the result list

  // Outputs written by the logic.
  std::u16string Label11 = u";       )";
  std::u16string Label10 = u";       )";
  std::u16string Label13 = u"= ";
  std::u16string Label15 = u"= ";

  // Memo `Mergebnis`: visibility, scroll bar, and what it needs to count rows.
  bool Mergebnis_visible = false;
  bool Mergebnis_scrollbar = false;
  int Mergebnis_clientheight = 0;
  int Mergebnis_fontsize = 8;

  // The drawing surface's size.
  int PaintBox1_width = 830;
  int PaintBox1_height = 597;
};

// The one control state of the program.
extern Steuerzustand steuer;
