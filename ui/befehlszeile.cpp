#include "befehlszeile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "abbildung.h"
#include "bildexport.h"
#include "blattdatei.h"
#include "dateischreiben.h"
#include "letzterstand.h"
#include "plotpass.h"
#include "programm.h"
#include "qtcanvas.h"
#include "steuertabelle.h"
#include "textkodierung.h"
#include "uableitung.h"

using namespace abbildung;

namespace {

constexpr int groesstemasse = 10000;

struct Format {
  const char* endung;
  int filterindex;  // of the save dialog
};
constexpr Format formate[] = {{"png", filter_png},          {"bmp", filter_bmp}, {"gif", filter_gif}, {"emf", filter_emf},
                              {"wmf", filter_emf}, {"svg", filter_svg}, {"pdf", filter_pdf}};

const char* const schalterwerte[][2] = {{"true", "false"}, {"1", "0"}};

std::optional<long long> ganzzahl(const std::string& s) {
  long long n = 0;
  const auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), n);
  if (fehler != std::errc() || ende != s.data() + s.size() || s.empty()) return std::nullopt;
  return n;
}

std::optional<bool> schalterwert(const std::string& s) {
  for (const auto& paar : schalterwerte) {
    if (s == paar[0]) return true;
    if (s == paar[1]) return false;
  }
  return std::nullopt;
}

// The reason a --set is refused, or empty.
std::string setzpruefen(const std::string& name, const std::string& wert) {
  const Steuerelement* e = steuerelement(name);
  if (!e) return "--set: неизвестное имя «" + name + "»; имена перечислены в --help";
  if (art(*e) == Steuerart::text)
    if (const std::size_t i = steuerzeichen(utf16(wert)); i != std::u16string::npos)
      return "--set " + name + ": управляющий символ в значении (знак " + std::to_string(i + 1) +
             "); текст поля — одна строка без таких символов";
  if (art(*e) == Steuerart::schalter && !schalterwert(wert))
    return "--set " + name + ": ожидается true или false, а не «" + wert + "»";
  if (art(*e) == Steuerart::zahl) {
    const auto n = ganzzahl(wert);
    if (!n || *n < e->kleinst || *n > e->groesst)
      return "--set " + name + ": ожидается целое число от " + std::to_string(e->kleinst) + " до " +
             std::to_string(e->groesst) + ", а не «" + wert + "»";
  }
  return {};
}

std::string groessepruefen(const std::string& s, Aufruf& a) {
  const auto x = s.find_first_of("xX");
  const auto b = x == std::string::npos ? std::nullopt : ganzzahl(s.substr(0, x));
  const auto h = x == std::string::npos ? std::nullopt : ganzzahl(s.substr(x + 1));
  if (!b || !h || *b < 1 || *h < 1 || *b > groesstemasse || *h > groesstemasse)
    return "--size: ожидается ШИРИНАxВЫСОТА от 1x1 до 10000x10000, а не «" + s + "»";
  a.breite = static_cast<int>(*b);
  a.hoehe = static_cast<int>(*h);
  return {};
}

std::string formatpruefen(Aufruf& a, bool bmp16, bool mitliste) {
  const auto punkt = a.ausgabe.find_last_of("./");
  std::string endung = punkt == std::string::npos || a.ausgabe[punkt] != '.' ? "" : a.ausgabe.substr(punkt + 1);
  std::transform(endung.begin(), endung.end(), endung.begin(), [](unsigned char c) { return std::tolower(c); });
  const auto f = std::find_if(std::begin(formate), std::end(formate),
                              [&](const Format& kandidat) { return endung == kandidat.endung; });
  if (f == std::end(formate))
    return "--export: расширение «" + a.ausgabe + "» не известно; возможны .png, .bmp, .gif, .emf, .wmf, .svg, .pdf";
  if (bmp16 && f->filterindex != filter_bmp) return "--bmp16 действует только для файлов .bmp";
  a.filterindex = bmp16 ? filter_bmp16 : f->filterindex;
  if (!mitliste) return {};
  // The formats that can carry the result list beside the drawing.
  for (const auto& [ohne, mit] : {std::pair{filter_svg, filter_svgliste}, std::pair{filter_pdf, filter_pdfliste}})
    if (a.filterindex == ohne) {
      a.filterindex = mit;
      return {};
    }
  return "--with-list действует только для файлов .svg и .pdf";
}

// Walks the arguments once; each option is checked as it comes.
struct Zerleger {
  explicit Zerleger(const std::vector<std::string>& liste) : argumente(liste) {}
  const std::vector<std::string>& argumente;
  std::size_t i = 0;
  Aufruf a;
  bool bmp16 = false, groesse = false, mitliste = false, letzter = false;

  // The option's value: what follows "=" in the same argument, else the next one.
  std::optional<std::string> wert(std::optional<std::string> angehaengt) {
    if (angehaengt) return angehaengt;
    if (i + 1 < argumente.size()) return argumente[++i];
    return std::nullopt;
  }

  std::string option(const std::string& arg) {
    const auto gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    std::optional<std::string> angehaengt;
    if (gleich != std::string::npos) angehaengt = arg.substr(gleich + 1);
    if (name == "--help" || name == "-h") a.art = Aufruf::hilfe;
    else if (name == "--version") a.art = Aufruf::version;
    else if (name == "--list") a.liste = true;
    else if (name == "--bmp16") bmp16 = true;
    else if (name == "--with-list") mitliste = true;
    else if (name == "--last") letzter = true;
    else if (name == "--export" || name == "--size" || name == "--set") return mitwert(name, angehaengt);
    else return "неизвестный параметр «" + arg + "»";
    return {};
  }

  std::string mitwert(const std::string& name, std::optional<std::string> angehaengt) {
    const auto w = wert(angehaengt);
    if (!w) return name + ": не хватает значения";
    if (name == "--export") {
      if (!a.ausgabe.empty()) return "--export указан дважды";
      if (w->empty()) return "--export: пустое имя файла";
      a.ausgabe = *w;
      return {};
    }
    if (name == "--size") {
      groesse = true;
      return groessepruefen(*w, a);
    }
    const auto gleich = w->find('=');
    if (gleich == std::string::npos) return "--set: ожидается ИМЯ=ЗНАЧЕНИЕ, а не «" + *w + "»";
    a.setzen.emplace_back(w->substr(0, gleich), w->substr(gleich + 1));
    return setzpruefen(a.setzen.back().first, a.setzen.back().second);
  }

  std::string alles() {
    for (; i < argumente.size(); ++i) {
      const std::string& arg = argumente[i];
      std::string fehler;
      if (arg.size() > 1 && arg[0] == '-') fehler = option(arg);
      else if (arg.empty()) fehler = "пустое имя файла набора";
      else if (!a.blatt.empty()) fehler = "лишний аргумент «" + arg + "»: файл набора уже задан";
      else a.blatt = arg;
      if (!fehler.empty()) return fehler;
    }
    if (a.art != Aufruf::fenster) return {};
    if (letzter) {
      if (!a.blatt.empty()) return "--last и ФАЙЛ вместе не действуют: --last открывает последний набор";
      a.blatt = QFile::encodeName(letzterstandpfad()).toStdString();
    }
    if (!a.ausgabe.empty()) {
      if (std::string fehler = formatpruefen(a, bmp16, mitliste); !fehler.empty()) return fehler;
    } else if (bmp16 || mitliste) {
      return std::string(bmp16 ? "--bmp16" : "--with-list") + " действует только вместе с --export";
    }
    if (!a.ausgabe.empty() || a.liste) a.art = Aufruf::stapel;
    else if (groesse || !a.setzen.empty()) return "--size и --set действуют только вместе с --export или --list";
    return {};
  }
};

void ausgeben(std::FILE* ziel, const std::string& text) { std::fwrite(text.data(), 1, text.size(), ziel); }

void fehlermelden(const QString& text) { ausgeben(stderr, std::string(programmname) + ": " + text.toStdString() + "\n"); }

// Standard output is a file like any other: a full disk, /dev/full or a closed
// pipe make the run fail. Returns the exit status.
int ausgabeschliessen() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  const QString grund = errno == EPIPE ? QStringLiteral("канал закрыт читающей стороной")
                        : errno == ENOSPC ? QStringLiteral("на диске нет места")
                                          : QString::fromLocal8Bit(std::strerror(errno));
  fehlermelden(QStringLiteral("стандартный вывод не записан: %1.").arg(grund));
  return 1;
}

std::string hilfetext() {
  std::string namen;
  std::size_t spalte = 0;
  for (const Steuerelement& e : steuerelemente()) {
    if (spalte + e.name.size() > 76) namen += "\n", spalte = 0;
    namen += "  " + std::string(e.name);
    spalte += e.name.size() + 2;
  }
  const std::string p = programmname;
  return "Использование:\n"
         "  " + p + " [ФАЙЛ]\n"
         "  " + p + " --export ВЫХОД [--size ШxВ] [--set ИМЯ=ЗНАЧЕНИЕ]... [--list] [--bmp16] [--with-list] [ФАЙЛ | --last]\n"
         "  " + p + " --list [--size ШxВ] [--set ИМЯ=ЗНАЧЕНИЕ]... [ФАЙЛ | --last]\n"
         "  " + p + " --last\n\n"
         "Без --export и --list открывается окно, с ФАЙЛОМ — с этим набором функций (*." +
         std::string(blattendung) + ").\n"
         "  --export ВЫХОД       рисунок без окна; формат по расширению:\n"
         "                       .png, .bmp, .gif, .emf, .wmf, .svg, .pdf\n"
         "  --size ШxВ           размер рисунка в пикселях (830x597, со списком результатов 590x597)\n"
         "  --set ИМЯ=ЗНАЧЕНИЕ   элемент управления по имени, после ФАЙЛА, по порядку:\n"
         "                       текст, true или false, целое число (ed_f1=X^2 c_nullstellen=true UpDown1=3)\n"
         "  --list               список результатов в стандартный вывод\n"
         "  --bmp16              16-цветный BMP (только для .bmp)\n"
         "  --with-list          список результатов под рисунком (только для .svg и .pdf)\n"
         "  --last               вместо ФАЙЛА — набор, сохранённый при последнем выходе из программы\n"
         "  --help, --version\n\n"
         "Коды выхода: 0 — успешно, 2 — ошибка в аргументах, 1 — файл не прочитан или не записан.\n\n"
         "Имена для --set:\n" + namen + "\n";
}

void setzen(const std::string& name, const std::string& wert) {
  const Steuerelement& e = *steuerelement(name);
  switch (art(e)) {
    case Steuerart::text:
      // As typed into the field, which makes every letter a capital.
      steuer.*std::get<Textfeld>(e.feld) = QString::fromUtf8(wert).toUpper().toStdU16String();
      break;
    case Steuerart::schalter:
      steuer.*std::get<Schalter>(e.feld) = *schalterwert(wert);
      break;
    case Steuerart::zahl:
      zahlsetzen(steuer, e, *ganzzahl(wert));
      break;
  }
}

// The state of the call, drawn as the window's repaint draws the screen.
QString zeichnen(const Aufruf& a, QImage& bild) {
  steuer = Steuerzustand{};
  std::optional<Sicht> sicht;
  if (!a.blatt.empty()) {
    const QString fehler = blattladen(QFile::decodeName(a.blatt.c_str()), steuer, sicht);
    if (!fehler.isEmpty()) return fehler;
  }
  for (const auto& [name, wert] : a.setzen) setzen(name, wert);
  breiteabgleichen(steuer);
  steuer.PaintBox1_width = a.breite ? a.breite : steuer.Mergebnis_visible ? 590 : 830;
  steuer.PaintBox1_height = a.hoehe ? a.hoehe : 597;
  const double b = steuer.PaintBox1_width, h = steuer.PaintBox1_height;
  // The standard view, as at the window's activation.
  const Sicht s = sicht.value_or(Sicht{-6, 6, h * -6 / b, h * 6 / b});
  xmin = s.xmin, xmax = s.xmax, ymin = s.ymin, ymax = s.ymax;
  funktionslistefuellen();
  bild = QImage(steuer.PaintBox1_width, steuer.PaintBox1_height, QImage::Format_RGB32);
  bild.fill(Qt::white);
  QtCanvas leinwand(bild);
  neuzeichnen(leinwand);
  return {};
}

int stapellauf(const Aufruf& a) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  std::string name = programmname;
  char* argv[] = {name.data(), nullptr};
  QGuiApplication anwendung(argc, argv);
  schriftersatz();
  ersetzungslisteladen();  // the rewrite table, as the window's FormShow loads it
  QImage bild;
  if (const QString fehler = zeichnen(a, bild); !fehler.isEmpty()) {
    fehlermelden(fehler);
    return 1;
  }
  if (a.liste)
    for (const auto& zeile : ergebnisliste) ausgeben(stdout, utf8(zeile) + "\n");
  if (ausgabeschliessen() != 0) return 1;
  if (a.ausgabe.empty()) return 0;
  const QString ziel = QFile::decodeName(a.ausgabe.c_str());
  const QString fehler = bildspeichern(a.filterindex, ziel, bild);
  if (fehler.isEmpty()) return 0;
  fehlermelden(fehler);
  return 1;
}

}  // namespace

Aufruf aufruflesen(const std::vector<std::string>& argumente) {
  Zerleger z(argumente);
  if (std::string fehler = z.alles(); !fehler.empty()) {
    z.a.art = Aufruf::fehler;
    z.a.meldung = fehler;
  }
  return z.a;
}

int befehlausfuehren(const Aufruf& a) {
  // A closed pipe is reported as a failed write, not by ending the process.
  std::signal(SIGPIPE, SIG_IGN);
  switch (a.art) {
    case Aufruf::hilfe:
      ausgeben(stdout, hilfetext());
      return ausgabeschliessen();
    case Aufruf::version:
      ausgeben(stdout, std::string(programmname) + " " + programmversion + "\n");
      return ausgabeschliessen();
    case Aufruf::fehler:
      fehlermelden(QString::fromStdString(a.meldung + "; см. " + programmname + " --help"));
      return 2;
    case Aufruf::stapel:
      return stapellauf(a);
    case Aufruf::fenster:
      break;
  }
  return 0;
}
