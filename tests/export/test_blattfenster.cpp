// Worksheet files in the window: opening sets every widget and the saved view,
// which the activation's view reset does not overwrite; a refused file changes
// nothing and says why; Ctrl+S and Ctrl+O from inside an edit field; a dropped
// file opens; the state kept at the end and reopened; the title and the
// recent worksheets.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include <sys/stat.h>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "blattdatei.h"
#include "dialoge.h"
#include "fktint.h"
#include "graf_rus.h"
#include "leser.h"
#include "letzterstand.h"
#include "paintbox.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

const Sicht gespeichert{-2.5, 3.5, -1.25, 2.75};

// A state away from the defaults in every kind of control.
Steuerzustand unterricht() {
  Steuerzustand z;
  z.ed_f1 = u"X^2-1";
  z.ed_f2 = u"SIN(X)";
  z.c_f2 = true;
  z.c_nullstellen = true;
  z.c_f3 = false;
  z.rb_parameter = false;
  z.rb_punktB = true;
  z.M_rahmen = true;
  z.m_raster = false;
  z.spiegelungyachse = true;
  z.UpDown1 = 3;
  z.ed_breite = u"3";
  z.c_ergebnisliste = z.Mergebnis_visible = true;
  return z;
}

void schreiben(const QString& pfad, const std::string& inhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(inhalt.data(), static_cast<qint64>(inhalt.size()));
}

// The mime data of a file dragged from a file manager.
std::unique_ptr<QMimeData> gezogen(const QString& pfad) {
  auto d = std::make_unique<QMimeData>();
  d->setUrls({QUrl::fromLocalFile(pfad)});
  return d;
}

}  // namespace

class BlattFensterTest : public QObject {
  Q_OBJECT

  QTemporaryDir ordner;
  QTemporaryDir zustandsordner;  // the user's state folder, never the real one
  std::unique_ptr<TFGraf> f;
  QString pfad(const QString& name) { return ordner.filePath(name); }

  void fensterstarten(const QString& blatt = QString()) {
    steuer = Steuerzustand{};
    f = std::make_unique<TFGraf>();
    if (!blatt.isEmpty()) f->blattvormerken(blatt);
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    QTest::qWait(50);
  }

  // The widgets, the view and the picture all show the saved worksheet.
  void zeigtunterricht() {
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X^2-1"));
    QCOMPARE(f->ed_breite->text(), QStringLiteral("3"));
    QVERIFY(f->c_f2->isChecked() && f->c_nullstellen->isChecked() && !f->c_f3->isChecked());
    QVERIFY(f->rb_punktB->isChecked() && !f->rb_parameter->isChecked());
    QVERIFY(f->M_rahmen->isChecked() && !f->m_raster->isChecked() && f->spiegelungyachse->isChecked());
    QVERIFY(!f->Mergebnis->isHidden() && f->c_ergebnisliste->isChecked() && f->M1->isEnabled());
    QCOMPARE(f->PaintBox1->width(), 590);
    QCOMPARE(steuer.UpDown1, 3);
    QCOMPARE(xmin, gespeichert.xmin);
    QCOMPARE(ymax, gespeichert.ymax);
    QVERIFY(f->Mergebnis->toPlainText().startsWith("Функция Y = X^2-1"));
    QtBitmap nochmal(f->PaintBox1->width(), f->PaintBox1->height());
    neuzeichnen(nochmal.canvas());
    QCOMPARE(f->PaintBox1->bild, nochmal.image());
  }

 private slots:
  void initTestCase() {
    QVERIFY(zustandsordner.isValid());
    qputenv("XDG_STATE_HOME", zustandsordner.path().toUtf8());
    schriftersatz();
    tastenfilteranbringen();
    QVERIFY(ordner.isValid());
    schreiben(pfad("unterricht.fpblatt"), blattschreiben(unterricht(), gespeichert));
    schreiben(pfad("kaputt.fpblatt"), R"({"format": "funktionsplotter-blatt", "version": "1.0", "controls": {"c_f1": 1}})");
  }

  void cleanup() {
    f.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void beimStartGenanntBleibtDieGespeicherteSicht() {
    fensterstarten(pfad("unterricht.fpblatt"));
    zeigtunterricht();
  }

  void abgelehntesBlattAendertNichts() {
    fensterstarten();
    const Sicht vorher{xmin, xmax, ymin, ymax};
    const std::string zustand = blattschreiben(steuer, vorher);
    const QString fehler = f->blattoeffnen(pfad("kaputt.fpblatt"));
    QVERIFY(fehler.contains(pfad("kaputt.fpblatt")) && fehler.contains("«c_f1»"));
    QCOMPARE(blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax}), zustand);
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X*SIN(X+P)"));

    // From the menu the message is shown.
    QString meldung;
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      QVERIFY(d && d->windowTitle() == "Открыть набор" && d->nameFilters() == QStringList("Набор функций (*.fpblatt)"));
      d->setDirectory(ordner.path());
      namensfeld(d, "kaputt.fpblatt");
      static_cast<QDialog*>(d)->accept();
    });
    f->BlattoeffnenClick();
    beimdialog([&](QWidget* w) {
      if (auto* m = qobject_cast<QMessageBox*>(w)) {
        meldung = m->text();
        m->accept();
      }
    });
    QTRY_VERIFY(!meldung.isEmpty());
    QCOMPARE(meldung, fehler);
    QCOMPARE(blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax}), zustand);
  }

  void tastenAusDemEingabefeldSpeichernUndOeffnen() {
    fensterstarten();
    f->ed_f1->setFocus();
    f->c_extrema->click();
    f->sgroesserClick();
    const Sicht sicht{xmin, xmax, ymin, ymax};
    QString titel;
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      QVERIFY(d);
      titel = d->windowTitle();
      d->setDirectory(ordner.path());
      namensfeld(d, "aus-dem-fenster");  // the extension comes with the dialog
      static_cast<QDialog*>(d)->accept();
    });
    QTest::keyClick(f->ed_f1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(titel, QStringLiteral("Сохранить набор"));
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X*SIN(X+P)"));  // not typed into the field

    Steuerzustand gelesen;
    std::optional<Sicht> gelesenesicht;
    QFile datei(pfad("aus-dem-fenster.fpblatt"));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QCOMPARE(blattlesen(datei.readAll().toStdString(), "x", gelesen, gelesenesicht), std::string());
    QVERIFY(gelesen.c_extrema && gelesenesicht && gelesenesicht->xmin == sicht.xmin);

    // The offscreen platform leaves the activation with the closed dialog.
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    beimdialog([&](QWidget* w) {
      titel = w->windowTitle();
      qobject_cast<QDialog*>(w)->reject();
    });
    QTest::keyClick(f->ed_f1, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(titel, QStringLiteral("Открыть набор"));
  }

  void fehlgeschlagenesSpeichernSagtWarum() {
    const Sicht sicht{-1, 1, -1, 1};
    QDir(ordner.path()).mkdir("ordner.fpblatt");
    for (const QString& name : {pfad("fehlt/neu.fpblatt"), pfad("ordner.fpblatt")}) {
      const QString fehler = blattsichern(name, Steuerzustand{}, sicht);
      QVERIFY2(fehler.startsWith("Файл «" + name + "» не записан: "), qPrintable(fehler));
    }
    QVERIFY(!QDir(pfad("fehlt")).exists() && QFileInfo(pfad("ordner.fpblatt")).isDir());
    // A good save replaces the old file as a whole.
    QCOMPARE(blattsichern(pfad("kaputt-kopie.fpblatt"), unterricht(), gespeichert), QString());
    QCOMPARE(blattsichern(pfad("kaputt-kopie.fpblatt"), Steuerzustand{}, sicht), QString());
    QCOMPARE(lesen(pfad("kaputt-kopie.fpblatt")).toStdString(), blattschreiben(Steuerzustand{}, sicht));
  }

  void abgelegteDateiOeffnet() {
    fensterstarten();
    const auto fremd = gezogen(pfad("bild.png"));
    QDragEnterEvent nein(QPoint(100, 100), Qt::CopyAction, fremd.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.get(), &nein);
    QVERIFY(!nein.isAccepted());

    const auto blatt = gezogen(pfad("unterricht.fpblatt"));
    QDragEnterEvent hinein(QPoint(100, 100), Qt::CopyAction, blatt.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.get(), &hinein);
    QVERIFY(hinein.isAccepted());
    QDropEvent ablegen(QPointF(100, 100), Qt::CopyAction, blatt.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.get(), &ablegen);
    zeigtunterricht();
  }

  // Esc ends the program at once and keeps the state; a new start still shows
  // the defaults, and the menu item brings the kept state back.
  void escBehaeltDenStandFuerDasMenue() {
    QVERIFY(letzterstandpfad().startsWith(zustandsordner.path() + "/"));
    fensterstarten();
    QString meldung;
    beimdialog([&](QWidget* w) {
      if (auto* m = qobject_cast<QMessageBox*>(w)) meldung = m->text();
      qobject_cast<QDialog*>(w)->accept();
    });
    f->LetzteroeffnenClick();
    QVERIFY2(meldung.contains("Последнего набора ещё нет"), qPrintable(meldung));

    f->ed_f1->setText("x^3-2*x");
    f->c_extrema->click();
    f->c_ergebnisliste->click();
    f->sgroesserClick();
    const std::string stand = blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax});
    // The offscreen platform leaves the activation with the closed message.
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    QTest::keyClick(f->ed_f1, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(lesen(letzterstandpfad()).toStdString(), stand);
    // Only the kept state and the recent list are in the folder: no temporary file.
    QStringList dateien = QFileInfo(letzterstandpfad()).dir().entryList(QDir::Files | QDir::Hidden);
    dateien.removeAll("zuletzt.txt");
    QCOMPARE(dateien, QStringList{"letzter.fpblatt"});

    cleanup();
    fensterstarten();
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X*SIN(X+P)"));
    QVERIFY(f->Mergebnis->isHidden());
    f->Letzteroeffnen1->trigger();
    QCOMPARE(blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax}), stand);
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X^3-2*X"));
    QVERIFY(f->c_extrema->isChecked() && !f->Mergebnis->isHidden());
    QVERIFY(f->Mergebnis->toPlainText().startsWith("Функция Y = X^3-2*X"));
    // The kept state names no worksheet of the user's.
    QCOMPARE(f->windowTitle(), QStringLiteral("Графическое представление функции"));

    // The next end replaces it as a whole.
    f->c_extrema->click();
    f->SEndeClick();
    QCOMPARE(lesen(letzterstandpfad()).toStdString(), blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax}));
  }

  // A state folder that cannot be made: the message says so, and the window
  // still closes at once.
  void unmoeglicherZustandsordner() {
    fensterstarten();
    schreiben(pfad("keinordner"), "eine Datei");
    qputenv("XDG_STATE_HOME", pfad("keinordner").toUtf8());
    QVERIFY(f->letztenstandbehalten().contains(pfad("keinordner/funktionsplotter")));
    f->SEndeClick();
    QVERIFY(!f->isVisible());
    qputenv("XDG_STATE_HOME", zustandsordner.path().toUtf8());
  }

  void titelUndZuletztGeoeffnete() {
    const QString grund = QStringLiteral("Графическое представление функции");
    fensterstarten();
    QCOMPARE(f->windowTitle(), grund);
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      d->setDirectory(ordner.path());
      namensfeld(d, "урок");
      static_cast<QDialog*>(d)->accept();
    });
    f->BlattspeichernClick();
    QCOMPARE(f->windowTitle(), "урок.fpblatt[*] — " + grund);
    QVERIFY(!f->isWindowModified());
    // A typed term, a ticked box, a moved view: each marks a change.
    const std::function<void()> aenderungen[] = {
        [&] { f->ed_f2->setText("X"); }, [&] { f->c_schar->click(); }, [&] { f->slinksClick(); },
        [&] { f->m_raster->trigger(); }};
    for (const auto& aendern : aenderungen) {
      QCOMPARE(f->blattoeffnen(pfad("урок.fpblatt")), QString());
      QVERIFY(!f->isWindowModified());
      aendern();
      QVERIFY(f->isWindowModified());
    }

    QCOMPARE(f->blattoeffnen(pfad("unterricht.fpblatt")), QString());
    QCOMPARE(f->windowTitle(), "unterricht.fpblatt[*] — " + grund);
    QVERIFY(!f->isWindowModified());
    QVERIFY(f->zuletzt[0]->isVisible() && f->zuletzt[1]->isVisible());
    QCOMPARE(f->zuletzt[0]->text(), QStringLiteral("&1 unterricht.fpblatt"));
    QCOMPARE(f->zuletzt[1]->text(), QStringLiteral("&2 урок.fpblatt"));
    // The list is at the end of the worksheet items, before the print item.
    const QList<QAction*> menue = f->Bearbeiten1->actions();
    QCOMPARE(menue.indexOf(f->zuletzt[0]), menue.indexOf(f->Letzteroeffnen1) + 1);
    QVERIFY(menue.indexOf(f->Drucken1) > menue.indexOf(f->zuletzt[0]));
    f->zuletzt[1]->trigger();
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X*SIN(X+P)"));
    QCOMPARE(f->windowTitle(), "урок.fpblatt[*] — " + grund);

    // Five at most, newest first, and kept for the next start.
    for (int i = 1; i <= 5; ++i) {
      schreiben(pfad(QString("blatt%1.fpblatt").arg(i)), blattschreiben(unterricht(), gespeichert));
      QCOMPARE(f->blattoeffnen(pfad(QString("blatt%1.fpblatt").arg(i))), QString());
    }
    cleanup();
    fensterstarten();
    QCOMPARE(f->windowTitle(), grund);
    QStringList namen;
    for (QAction* a : f->zuletzt) namen << (a->isVisible() ? a->text() : QString());
    QCOMPARE(namen, QStringList({"&1 blatt5.fpblatt", "&2 blatt4.fpblatt", "&3 blatt3.fpblatt", "&4 blatt2.fpblatt",
                                 "&5 blatt1.fpblatt"}));
  }

  // A FIFO named at the start or dropped is refused at once with a message,
  // instead of freezing the window in its open.
  void kanalWirdSofortAbgelehnt() {
    const QString kanal = pfad("kanal.fpblatt");
    QCOMPARE(mkfifo(QFile::encodeName(kanal).constData(), 0644), 0);
    QStringList meldungen;
    const auto mitschreiben = [&] {
      beimdialog([&](QWidget* w) {
        if (auto* m = qobject_cast<QMessageBox*>(w)) {
          meldungen << m->text();
          m->accept();
        }
      });
    };
    mitschreiben();
    fensterstarten(kanal);
    QTRY_COMPARE(meldungen.size(), 1);
    const auto blatt = gezogen(kanal);
    QDragEnterEvent hinein(QPoint(100, 100), Qt::CopyAction, blatt.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.get(), &hinein);
    QVERIFY(hinein.isAccepted());
    QDropEvent ablegen(QPointF(100, 100), Qt::CopyAction, blatt.get(), Qt::LeftButton, Qt::NoModifier);
    mitschreiben();
    QApplication::sendEvent(f.get(), &ablegen);
    QTRY_COMPARE(meldungen.size(), 2);
    for (const QString& m : meldungen)
      QCOMPARE(m, "Файл «" + kanal + "» не открыт: это именованный канал, а не обычный файл.");
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X*SIN(X+P)"));
  }

  // Field and spinner of the pen width from a worksheet that sets them apart:
  // one value, shown and drawn.
  void stiftbreiteEinWert() {
    fensterstarten();
    schreiben(pfad("breite.fpblatt"),
              R"({"format": "funktionsplotter-blatt", "version": "1.0", "controls": {"UpDown1": 2, "ed_breite": "5"}})");
    QCOMPARE(f->blattoeffnen(pfad("breite.fpblatt")), QString());
    QCOMPARE(f->ed_breite->text(), QStringLiteral("5"));
    QCOMPARE(steuer.UpDown1, 5);
  }
};

QTEST_MAIN(BlattFensterTest)
#include "test_blattfenster.moc"
