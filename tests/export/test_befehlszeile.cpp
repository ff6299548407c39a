// The built program on the command line, without a display: every format read
// back by the export tests' own readers and compared with the window's drawing
// of the same state, the result list, usage errors and files that cannot be
// read or written.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "abbildung.h"
#include "bildexport.h"
#include "leser.h"
#include "plotpass.h"
#include "programm.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "uableitung.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace abbildung;

namespace {

constexpr QRgb blau = 0xFF0000FF, rot = 0xFFFF0000;

struct Lauf {
  int status = -1;
  QByteArray aus, fehler;
};

// The program with no display at all: it has to choose its platform itself.
Lauf starten(const QStringList& argumente, const QString& ordner) {
  QProcess p;
  QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
  for (const char* n : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) umgebung.remove(n);
  p.setProcessEnvironment(umgebung);
  p.setWorkingDirectory(ordner);
  p.start(QStringLiteral(PROGRAMM), argumente);
  if (!p.waitForFinished(60000)) return {};
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

// The program with its standard output on `fd` (and errors dropped); the exit status.
int mitausgabe(int fd, const QStringList& argumente) {
  std::vector<QByteArray> texte{QByteArray(PROGRAMM)};
  for (const QString& a : argumente) texte.push_back(a.toUtf8());
  std::vector<char*> argv;
  for (QByteArray& t : texte) argv.push_back(t.data());
  argv.push_back(nullptr);
  const pid_t kind = fork();
  if (kind == 0) {
    dup2(fd, 1);
    const int nichts = open("/dev/null", O_WRONLY);
    dup2(nichts, 2);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(kind, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

// The state as the window would hold it, drawn as its repaint draws the screen.
QImage fensterbild(int breite, int hoehe) {
  steuer.PaintBox1_width = breite;
  steuer.PaintBox1_height = hoehe;
  xmin = -6, xmax = 6, ymin = hoehe * -6.0 / breite, ymax = hoehe * 6.0 / breite;
  funktionslistefuellen();
  return bildschirm();
}

}  // namespace

class BefehlszeileTest : public QObject {
  Q_OBJECT

  QTemporaryDir ordner;
  QString pfad(const QString& name) { return ordner.filePath(name); }

 private slots:
  void initTestCase() {
    // The kept state of --last lives here, never in the real home.
    qputenv("XDG_STATE_HOME", pfad("zustand").toUtf8());
    schriftersatz();
    ersetzungslisteladen();
    QVERIFY(ordner.isValid());
  }

  void jedesFormatWieImFenster() {
    schreiben(pfad("zwei.fpblatt"),
              R"({"format": "funktionsplotter-blatt", "version": "1.0", "controls": {"c_f2": true}})");
    steuer = Steuerzustand{};
    steuer.c_f2 = steuer.c_stammfunktion = true;
    const QImage schirm = fensterbild(830, 597);
    const char* const namen[] = {"a.png", "a.bmp", "b.bmp", "a.gif", "a.emf", "a.wmf", "a.svg", "a.pdf"};
    for (const QString name : namen) {
      QStringList argumente = {"--export", name, "--set", "c_stammfunktion=true", "zwei.fpblatt"};
      if (name == "b.bmp") argumente << "--bmp16";
      const Lauf l = starten(argumente, ordner.path());
      QVERIFY2(l.status == 0, qPrintable(name + ": " + l.fehler));
      QVERIFY(l.aus.isEmpty());
      const QByteArray d = lesen(pfad(name));
      const QString endung = name.section('.', -1);
      if (name == "b.bmp") {
        QCOMPARE(le16(d, 28), quint16(4));
        QVERIFY(hat(QImage(pfad(name)), blau) && hat(QImage(pfad(name)), rot));
      } else if (endung == "png" || endung == "bmp" || (endung == "gif" && farben(schirm).size() <= 256)) {
        QCOMPARE(QImage(pfad(name)).convertToFormat(QImage::Format_RGB32), schirm);
      } else if (endung == "gif") {
        QCOMPARE(d.left(3), QByteArray("GIF"));
        QVERIFY(hat(QImage(pfad(name)), blau));
      } else if (endung == "emf" || endung == "wmf") {
        emfkopfpruefen(d, 830, 597);
        const QString svg = emfalssvg(d);
        QVERIFY2(svg.contains("Первообразная f1"), "Cyrillic label");
        QVERIFY(svg.contains("Y = X^2/4-2"));
      } else if (endung == "svg") {
        QSvgRenderer r(d);
        QVERIFY(r.isValid());
        QCOMPARE(r.viewBox(), QRect(0, 0, 830, 597));
      } else {
        QCOMPARE(d.left(5), QByteArray("%PDF-"));
        const QImage seite = pdfseite(pfad(name), 96);
        if (!seite.isNull()) QVERIFY(hat(seite, blau) && hat(seite, rot));
      }
    }
  }

  void listeGleichDerErgebnisliste() {
    schreiben(pfad("analyse.fpblatt"), R"({"format": "funktionsplotter-blatt", "version": "1.0",
        "controls": {"c_nullstellen": true, "c_extrema": true, "c_wertetabelle": true, "ed_delta": "0,5"}})");
    const Lauf l = starten({"--list", "--size", "700x500", "--set", "ed_f1=x^3-x", "--set", "UpDown1=3",
                            "analyse.fpblatt"},
                           ordner.path());
    QCOMPARE(l.status, 0);
    steuer = Steuerzustand{};
    steuer.c_nullstellen = steuer.c_extrema = steuer.c_wertetabelle = true;
    steuer.ed_delta = u"0,5";
    steuer.ed_f1 = u"X^3-X";
    steuer.UpDown1 = 3;
    steuer.ed_breite = u"3";
    fensterbild(700, 500);
    QByteArray erwartet;
    for (const auto& z : ergebnisliste) erwartet += QString::fromStdU16String(z).toUtf8() + "\n";
    QVERIFY(erwartet.contains("\t") && erwartet.contains("Функция Y = X^3-X"));
    QCOMPARE(l.aus, erwartet);
  }

  // --with-list puts the result list below the drawing of an SVG or PDF;
  // --last takes the state kept at the window's end instead of a FILE.
  void listeImBildUndLetzterStand() {
    QVERIFY(QDir().mkpath(pfad("zustand/funktionsplotter")));
    schreiben(pfad("zustand/funktionsplotter/letzter.fpblatt"),
              R"({"format": "funktionsplotter-blatt", "version": "1.0",
                  "controls": {"ed_f1": "x^2-4", "c_nullstellen": true, "c_extrema": true}})");
    const Lauf liste = starten({"--last", "--list"}, ordner.path());
    QCOMPARE(liste.status, 0);
    const QList<QByteArray> zeilen = liste.aus.trimmed().split('\n');
    QVERIFY2(zeilen.value(0) == "Функция Y = X^2-4" && zeilen.size() > 5, liste.aus.constData());

    const Lauf pdf = starten({"--export", "liste.pdf", "--with-list", "--last"}, ordner.path());
    QVERIFY2(pdf.status == 0, pdf.fehler.constData());
    const Lauf svg = starten({"--export", "liste.svg", "--with-list", "--last"}, ordner.path());
    QVERIFY2(svg.status == 0, svg.fehler.constData());
    const QByteArray svgtext = lesen(pfad("liste.svg"));
    QVERIFY(QSvgRenderer(svgtext).isValid());
    QVERIFY(svgtext.contains("f1(x) = X^2-4") && svgtext.contains(zeilen.last().trimmed().split('\t').last()));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    QProcess p;
    p.start("pdftotext", {pfad("liste.pdf"), "-"});
    QVERIFY(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    QVERIFY2(text.contains("f1(x) = X^2-4"), qPrintable(text));
    for (const QByteArray& zeile : zeilen)
      QVERIFY2(text.contains(QString::fromUtf8(zeile).simplified()), zeile.constData());
  }

  void versionUndHilfe() {
    const Lauf v = starten({"--version"}, ordner.path());
    QCOMPARE(v.status, 0);
    QCOMPARE(v.aus, QByteArray(programmname) + " " + programmversion + "\n");
    QCOMPARE(v.aus, QByteArray("funktionsplotter 1.0.0\n"));
    const Lauf h = starten({"--help"}, ordner.path());
    QCOMPARE(h.status, 0);
    QVERIFY(h.aus.contains("--export") && h.aus.contains("c_nullstellen"));
  }

  void bedienfehlerGebenZweiUndEineZeile() {
    struct Fall {
      QStringList argumente;
      const char* meldung;
    };
    const Fall faelle[] = {
        {{"--bogus"}, "неизвестный параметр «--bogus»"},
        {{"--export"}, "--export: не хватает значения"},
        {{"--export", "a.jpg"}, "расширение «a.jpg» не известно"},
        {{"--export", "a.png", "--export", "b.png"}, "--export указан дважды"},
        {{"--export", "a.png", "--set", "c_f9=1"}, "неизвестное имя «c_f9»"},
        {{"--export", "a.png", "--set", "c_f1=vielleicht"}, "c_f1: ожидается true или false"},
        {{"--export", "a.png", "--set", "UpDown1=7"}, "UpDown1: ожидается целое число от 1 до 6"},
        {{"--export", "a.png", "--set", "ed_f1"}, "ожидается ИМЯ=ЗНАЧЕНИЕ"},
        {{"--export", "a.png", "--size", "0x5"}, "--size: ожидается"},
        {{"--export=a.png", "--size=800"}, "--size: ожидается"},
        {{"--export", "a.gif", "--bmp16"}, "--bmp16 действует только для файлов .bmp"},
        {{"--size", "10x10"}, "только вместе с --export или --list"},
        {{"eins.fpblatt", "zwei.fpblatt"}, "лишний аргумент «zwei.fpblatt»"},
        {{"--export", "a.png", "--with-list"}, "--with-list действует только для файлов .svg и .pdf"},
        {{"--with-list", "--list"}, "--with-list действует только вместе с --export"},
        {{"--list", "--last", "eins.fpblatt"}, "--last и ФАЙЛ вместе не действуют"},
        {{"--list", ""}, "пустое имя файла набора"},
        {{"--list", "--set", "ed_f1=X\nФункция Y = 1"}, "--set ed_f1: управляющий символ в значении (знак 2)"},
        {{"--list", "--set", "ed_parameter=\t"}, "--set ed_parameter: управляющий символ"},
    };
    const QStringList vorher = QDir(ordner.path()).entryList(QDir::Files);
    for (const Fall& f : faelle) {
      const Lauf l = starten(f.argumente, ordner.path());
      const QString fehler = QString::fromUtf8(l.fehler);
      QVERIFY2(l.status == 2, qPrintable(f.argumente.join(' ')));
      QVERIFY2(fehler.contains(QString::fromUtf8(f.meldung)), qPrintable(fehler));
      QVERIFY2(fehler.startsWith("funktionsplotter: ") && fehler.count('\n') == 1, qPrintable(fehler));
    }
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), vorher);
  }

  void dateifehlerGebenEinsUndLassenAltes() {
    schreiben(pfad("alt.png"), "alter Inhalt");
    schreiben(pfad("fremd.fpblatt"), R"({"format": "anderes"})");
    struct Fall {
      QStringList argumente;
      const char* meldung;
    };
    const Fall faelle[] = {
        {{"--export", "fehlt/a.png"}, "fehlt/a.png"},
        {{"--export", "fehlt/a.svg"}, "fehlt/a.svg"},
        {{"--export", "alt.png", "nicht-da.fpblatt"}, "Файл «nicht-da.fpblatt» не открыт"},
        {{"--export", "alt.png", "fremd.fpblatt"}, "Файл «fremd.fpblatt» не является набором функций"},
    };
    for (const Fall& f : faelle) {
      const Lauf l = starten(f.argumente, ordner.path());
      QVERIFY2(l.status == 1, qPrintable(f.argumente.join(' ')));
      QVERIFY2(QString::fromUtf8(l.fehler).contains(QString::fromUtf8(f.meldung)), l.fehler.constData());
    }
    QCOMPARE(lesen(pfad("alt.png")), QByteArray("alter Inhalt"));
    QVERIFY(!QDir(pfad("fehlt")).exists());
  }

  // Only regular files are read and replaced: a FIFO as FILE or OUT is refused
  // at once (nobody writes to it), a link to a device stays, a link to a
  // regular file is written through.
  void nurRegulaereDateien() {
    for (const char* kanal : {"kanal.fpblatt", "kanal.png"})
      QCOMPARE(mkfifo(QFile::encodeName(pfad(kanal)).constData(), 0644), 0);
    QVERIFY(QFile::link("/dev/null", pfad("geraet.png")));
    schreiben(pfad("echt.png"), "alt");
    QVERIFY(QFile::link("echt.png", pfad("verweis.png")));
    struct Fall {
      QStringList argumente;
      int status;
      const char* meldung;
    };
    const Fall faelle[] = {
        {{"--list", "kanal.fpblatt"}, 1, "Файл «kanal.fpblatt» не открыт: это именованный канал"},
        {{"--export", "kanal.png"}, 1, "Файл «kanal.png» не записан: это именованный канал"},
        {{"--export", "geraet.png"}, 1, "Файл «geraet.png» не записан: это устройство"},
        {{"--export", "verweis.png"}, 0, ""},
    };
    for (const Fall& f : faelle) {
      const Lauf l = starten(f.argumente, ordner.path());
      QVERIFY2(l.status == f.status, qPrintable(f.argumente.join(' ') + ": " + l.fehler));
      QVERIFY2(QString::fromUtf8(l.fehler).contains(QString::fromUtf8(f.meldung)), l.fehler.constData());
    }
    QVERIFY(!QFileInfo(pfad("kanal.png")).isFile() && QFileInfo(pfad("kanal.png")).exists());
    QVERIFY(QFileInfo(pfad("geraet.png")).isSymLink() && QFileInfo(pfad("verweis.png")).isSymLink());
    QCOMPARE(QImage(pfad("echt.png")).size(), QSize(830, 597));
  }

  // A size limit on the process (as a full disk): the picture and the PDF are
  // refused with exit 1, the old file stays and nothing else is left.
  void groessengrenzeLaesstAltes() {
    QDir(ordner.path()).mkdir("grenze");
    const QString o = pfad("grenze");
    for (const char* name : {"alt.png", "alt.pdf", "alt.svg"}) {
      schreiben(o + "/" + name, "alter Inhalt");
      QProcess p;
      p.setWorkingDirectory(o);
      p.start("bash", {"-c", "ulimit -f 4 && exec \"$0\" --export \"$1\"", PROGRAMM, name});
      QVERIFY(p.waitForFinished(60000));
      const QString fehler = QString::fromUtf8(p.readAllStandardError());
      QVERIFY2(p.exitCode() == 1, qPrintable(name + (": " + fehler)));
      QVERIFY2(fehler.contains(QStringLiteral("Файл «%1» не записан: файл превысил допустимый размер. Прежний файл не изменён.").arg(name)),
               qPrintable(fehler));
      QCOMPARE(lesen(o + "/" + name), QByteArray("alter Inhalt"));
    }
    QCOMPARE(QDir(o).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"alt.pdf", "alt.png", "alt.svg"}));
  }

  // Standard output is checked like a file: a full device and a pipe closed
  // by its reader make the run fail.
  void standardausgabeGeprueft() {
    const int voll = open("/dev/full", O_WRONLY);
    QVERIFY(voll >= 0);
    int rohr[2];
    QCOMPARE(pipe(rohr), 0);
    close(rohr[0]);
    for (const QStringList& argumente : {QStringList{"--list"}, QStringList{"--help"}, QStringList{"--version"}}) {
      QCOMPARE(mitausgabe(voll, argumente), 1);
      QCOMPARE(mitausgabe(rohr[1], argumente), 1);
    }
    close(voll);
    close(rohr[1]);
    const int offen = open("/dev/null", O_WRONLY);
    QCOMPARE(mitausgabe(offen, {"--list"}), 0);
    close(offen);
  }
};

QTEST_MAIN(BefehlszeileTest)
#include "test_befehlszeile.moc"
