// The one write routine and the checked opening for reading: what a target may
// be, what is left after a failure or a kill, the formats' completeness checks
// on real files cut short, worksheets that could not be opened again, and the
// probe's save through the same routine.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "bildexport.h"
#include "blattdatei.h"
#include "dateischreiben.h"
#include "leser.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

const QByteArray altinhalt("alter Inhalt\0\xff", 14);

void anlegen(const QString& pfad, const QByteArray& inhalt = altinhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(inhalt), inhalt.size());
}

QString schreiben(const QString& ziel, const QByteArray& neu = "neuer Inhalt") {
  return dateischreiben(ziel, [&](QIODevice& d, QString&) { return d.write(neu) == neu.size(); });
}

QStringList eintraege(const QString& ordner) {
  return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class DateienTest : public QObject {
  Q_OBJECT

  QTemporaryDir ordner;
  QString pfad(const QString& name) { return ordner.filePath(name); }

 private slots:
  void initTestCase() {
    schriftersatz();
    QVERIFY(ordner.isValid());
  }

  // Regular files are replaced (keeping their permissions) and links to them
  // written through; FIFOs, devices, folders and missing folders are refused
  // at once and stay what they were.
  void zieleUndIhreArt() {
    QDir(ordner.path()).mkdir("ziele");
    const QString o = pfad("ziele");
    anlegen(o + "/alt.txt");
    QFile::setPermissions(o + "/alt.txt", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    anlegen(o + "/echt.txt");
    QVERIFY(QFile::link("echt.txt", o + "/verweis.txt"));
    QVERIFY(QFile::link("/dev/null", o + "/geraet.txt"));
    QVERIFY(QFile::link("nirgends.txt", o + "/lose.txt"));
    QCOMPARE(mkfifo(QFile::encodeName(o + "/kanal.txt").constData(), 0644), 0);
    QDir(o).mkdir("ordner.txt");

    QCOMPARE(schreiben(o + "/alt.txt"), QString());
    QCOMPARE(lesen(o + "/alt.txt"), QByteArray("neuer Inhalt"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(o + "/alt.txt").constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0640u);
    QCOMPARE(schreiben(o + "/neu.txt"), QString());
    QCOMPARE(schreiben(o + "/verweis.txt"), QString());
    QVERIFY(QFileInfo(o + "/verweis.txt").isSymLink());
    QCOMPARE(lesen(o + "/echt.txt"), QByteArray("neuer Inhalt"));
    QCOMPARE(schreiben(o + "/lose.txt"), QString());
    QCOMPARE(lesen(o + "/nirgends.txt"), QByteArray("neuer Inhalt"));

    struct Fall {
      const char* name;
      const char* grund;
    };
    const Fall faelle[] = {
        {"kanal.txt", "это именованный канал, а не обычный файл"},
        {"geraet.txt", "это устройство, а не обычный файл"},
        {"ordner.txt", "это папка, а не обычный файл"},
        {"fehlt/neu.txt", "папка или файл не существует"},
    };
    for (const Fall& f : faelle) {
      const QString meldung = schreiben(o + "/" + f.name);
      QVERIFY2(meldung.startsWith("Файл «" + o + "/" + f.name + "» не записан: " + f.grund), qPrintable(meldung));
    }
    QVERIFY(QFileInfo(o + "/kanal.txt").isFile() == false && QFileInfo(o + "/ordner.txt").isDir());
    QVERIFY(QFileInfo(o + "/geraet.txt").isSymLink());
    QCOMPARE(schreiben(QString()), QStringLiteral("Имя файла не задано."));
    QCOMPARE(eintraege(o), (QStringList{"alt.txt", "echt.txt", "geraet.txt", "kanal.txt", "lose.txt", "neu.txt",
                                        "nirgends.txt", "ordner.txt", "verweis.txt"}));
  }

  // The writer's own failure and a failed completeness check keep the old file;
  // a process killed while writing leaves nothing but the old file either.
  void fehlschlagUndAbbruchLassenNurDasAlte() {
    QDir(ordner.path()).mkdir("abbruch");
    const QString ziel = pfad("abbruch/alt.pdf");
    anlegen(ziel);
    QString meldung = dateischreiben(ziel, [](QIODevice& d, QString& fehler) {
      d.write("halb");
      fehler = "кодировщик отказал";
      return false;
    });
    QCOMPARE(meldung, "Файл «" + ziel + "» не записан: кодировщик отказал. Прежний файл не изменён.");
    meldung = dateischreiben(
        ziel, [](QIODevice& d, QString&) { return d.write("%PDF-1.4\n") == 9; }, pdfvollstaendig);
    QVERIFY2(meldung.contains("документ PDF записан не полностью"), qPrintable(meldung));

    const pid_t kind = fork();
    if (kind == 0) {
      dateischreiben(ziel, [](QIODevice& d, QString&) {
        d.write(QByteArray(100000, 'x'));
        ::raise(SIGKILL);
        return true;
      });
      ::_exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(kind, &status, 0), kind);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    QCOMPARE(lesen(ziel), altinhalt);
    QCOMPARE(eintraege(pfad("abbruch")), QStringList{"alt.pdf"});
  }

  // Each format's check accepts the whole file the program writes and refuses
  // it cut short anywhere, and refuses a file of another format.
  void vollstaendigkeitDerFormate() {
    steuer = Steuerzustand{};
    steuer.PaintBox1_width = 120, steuer.PaintBox1_height = 90;
    xmin = -6, xmax = 6, ymin = -4.5, ymax = 4.5;
    funktionslistefuellen();
    const QImage schirm = bildschirm();
    struct Fall {
      int filter;
      QString (*pruefen)(QIODevice&);
    };
    const Fall faelle[] = {{filter_bmp, bmpvollstaendig}, {filter_bmp16, bmpvollstaendig},
                           {filter_gif, gifvollstaendig}, {filter_emf, emfvollstaendig},
                           {filter_svg, svgvollstaendig}, {filter_pdf, pdfvollstaendig}};
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QBuffer::WriteOnly);
    QVERIFY(schirm.save(&puffer, "PNG"));
    const auto pruefe = [](QString (*pruefen)(QIODevice&), QByteArray daten) {
      QBuffer b(&daten);
      b.open(QBuffer::ReadOnly);
      return pruefen(b);
    };
    const auto alle = [&](const QByteArray& ganz, QString (*pruefen)(QIODevice&), const char* was) {
      QVERIFY2(pruefe(pruefen, ganz).isEmpty(), was);
      for (const double anteil : {0.0, 0.3, 0.9, 0.999})
        QVERIFY2(!pruefe(pruefen, ganz.left(qsizetype(ganz.size() * anteil))).isEmpty(), was);
      QVERIFY2(!pruefe(pruefen, ganz.trimmed().chopped(1)).isEmpty(), was);
    };
    alle(png, pngvollstaendig, "png");
    for (const Fall& f : faelle) {
      const QString name = dateiname(f.filter, pfad(QString("voll%1").arg(f.filter)));
      QCOMPARE(bildspeichern(f.filter, name, schirm), QString());
      alle(lesen(name), f.pruefen, qPrintable(name));
      QVERIFY2(!pruefe(f.pruefen, png).isEmpty(), qPrintable(name));
    }
  }

  // A file read is opened only when it is a regular file: a FIFO nobody writes
  // to, a device and a folder are refused at once.
  void lesenNurAusRegulaerenDateien() {
    const QString kanal = pfad("lesekanal.fpblatt");
    QCOMPARE(mkfifo(QFile::encodeName(kanal).constData(), 0644), 0);
    QDir(ordner.path()).mkdir("lesen.fpblatt");
    struct Fall {
      QString pfad;
      const char* grund;
    };
    const Fall faelle[] = {{kanal, "это именованный канал"},
                           {"/dev/zero", "это устройство"},
                           {pfad("lesen.fpblatt"), "это папка"},
                           {pfad("fehlt.fpblatt"), "не существует"}};
    for (const Fall& f : faelle) {
      Steuerzustand z;
      z.c_f2 = true;
      std::optional<Sicht> sicht;
      const QString meldung = blattladen(f.pfad, z, sicht);
      QVERIFY2(meldung.startsWith("Файл «" + f.pfad + "» не открыт: ") && meldung.contains(f.grund),
               qPrintable(meldung));
      QVERIFY(z.c_f2);
    }
  }

  // A worksheet is saved only when it opens again: not over the reader's size
  // limit, also when its texts grew on the way to capitals.
  void blattNurWennEsWiederAufgeht() {
    const QString ziel = pfad("gross.fpblatt");
    anlegen(ziel);
    Steuerzustand z;
    z.ed_f1 = std::u16string(blatthoechstgroesse, u'X');
    QVERIFY(blattsichern(ziel, z, Sicht{-1, 1, -1, 1}).contains("больше 1 МиБ"));
    QCOMPARE(lesen(ziel), altinhalt);

    // "ŉ" is two bytes and its capital "ʼN" three: a file below the limit
    // becomes a state above it.
    const QString klein = pfad("klein.fpblatt");
    const QString text = QString(400000, QChar(0x0149));
    anlegen(klein, "{\"format\": \"funktionsplotter-blatt\", \"version\": \"1.0\", \"controls\": {\"ed_f2\": \"" +
                       text.toUtf8() + "\"}}");
    Steuerzustand gelesen;
    std::optional<Sicht> sicht;
    QCOMPARE(blattladen(klein, gelesen, sicht), QString());
    const QByteArray vorher = lesen(klein);
    const QString meldung = blattsichern(klein, gelesen, Sicht{-1, 1, -1, 1});
    QVERIFY2(meldung.contains("больше 1 МиБ") && meldung.contains("Прежний файл не изменён"), qPrintable(meldung));
    QCOMPARE(lesen(klein), vorher);
    QCOMPARE(eintraege(ordner.path()).filter(".fpblatt.").size(), 0);
  }

  // The probe saves through the same routine as Ctrl+S.
  void probeSichertWieDasFenster() {
    const QString gut = pfad("probe.fpblatt"), kanal = pfad("probekanal.fpblatt");
    QCOMPARE(mkfifo(QFile::encodeName(kanal).constData(), 0644), 0);
    QProcess probe;
    probe.start(QStringLiteral(PROBE), {});
    QVERIFY(probe.waitForStarted());
    for (const QString& ziel : {gut, kanal})
      probe.write("{\"op\": \"blatt_sichern\", \"path\": \"" + ziel.toUtf8() +
                  "\", \"state\": {\"ed_f1\": \"X^3\", \"UpDown1\": 4}}\n");
    probe.closeWriteChannel();
    QVERIFY(probe.waitForFinished(30000));
    const QList<QByteArray> antworten = probe.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(antworten.size(), 2);
    QVERIFY2(antworten[0].contains("\"file\""), antworten[0].constData());
    QVERIFY2(antworten[1].contains("\"error\"") && antworten[1].contains("именованный канал"), antworten[1].constData());
    Steuerzustand z;
    std::optional<Sicht> sicht;
    QCOMPARE(blattladen(gut, z, sicht), QString());
    QVERIFY(z.ed_f1 == u"X^3" && z.UpDown1 == 4 && z.ed_breite == u"4");
  }
};

QTEST_MAIN(DateienTest)
#include "test_dateien.moc"
