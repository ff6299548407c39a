// The everyday habits of the window: undo and redo of every state change, the
// coordinates under the pointer, quick stepping of P, Q, A and B, and the
// captions of the two reflections.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "fktint.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "plattform.h"
#include "qtcanvas.h"
#include "steuertabelle.h"
#include "steuerzustand.h"
#include "textkodierung.h"
#include "updown.h"
#include "statuszeile.h"
#include "verlaufsfuehrung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

void maus(QWidget* w, QEvent::Type art, Qt::MouseButton knopf, QPoint ort,
          Qt::KeyboardModifiers tasten = Qt::NoModifier) {
  const Qt::MouseButtons gedrueckt = art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(knopf);
  QMouseEvent e(art, QPointF(ort), w->mapToGlobal(QPointF(ort)),
                art == QEvent::MouseMove ? Qt::NoButton : knopf, gedrueckt, tasten);
  QApplication::sendEvent(w, &e);
}

void rad(QWidget* w, QPoint ort, int winkel, Qt::KeyboardModifiers tasten = Qt::NoModifier) {
  QWheelEvent e(QPointF(ort), w->mapToGlobal(QPointF(ort)), QPoint(), QPoint(0, winkel), Qt::NoButton, tasten,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

// What a step of the history must bring back: every control and the view.
struct Bild {
  Steuerzustand zustand;
  Sicht sicht;
};

Bild jetzt() { return {steuer, {xmin, xmax, ymin, ymax}}; }

bool gleich(const Bild& a, const Bild& b) {
  return gleichesteuerung(a.zustand, b.zustand) && a.sicht.xmin == b.sicht.xmin &&
         a.sicht.xmax == b.sicht.xmax && a.sicht.ymin == b.sicht.ymin && a.sicht.ymax == b.sicht.ymax;
}

QString unterschied(const Bild& a, const Bild& b) {
  QStringList namen;
  for (const Steuerelement& e : steuerelemente())
    if (!std::visit([&](auto feld) { return a.zustand.*feld == b.zustand.*feld; }, e.feld))
      namen << QString::fromUtf8(e.name.data(), qsizetype(e.name.size()));
  return namen.join(' ') + QStringLiteral(" view %1..%2 / %3..%4")
                               .arg(a.sicht.xmin).arg(a.sicht.xmax).arg(b.sicht.xmin).arg(b.sicht.xmax);
}

// The numbers of a status line, read back.
QList<double> zahlen(const QString& text) {
  QList<double> z;
  static const QRegularExpression zahl(QStringLiteral("-?[0-9]+(,[0-9]+)?(E[+-][0-9]+)?"));
  for (auto it = zahl.globalMatch(QString(text).remove(QRegularExpression("^f[1-4]"))); it.hasNext();)
    z << it.next().captured().replace(',', '.').toDouble();
  return z;
}

}  // namespace

class BedienungTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TFGraf> f;

  // Lets the window finish the events of the last action, as between two of a user's.
  static void ruhe() { QTest::qWait(20); }

  // The widgets show what the state says.
  void zeigtzustand() {
    QCOMPARE(f->ed_f1->text(), QString::fromStdU16String(steuer.ed_f1));
    QCOMPARE(f->ed_A->text(), QString::fromStdU16String(steuer.ed_A));
    QCOMPARE(f->c_extrema->isChecked(), steuer.c_extrema);
    QCOMPARE(f->m_raster->isChecked(), steuer.m_raster);
    QCOMPARE(f->rb_punkta->isChecked(), steuer.rb_punkta);
    QCOMPARE(f->ed_breite->text(), QString::fromStdU16String(steuer.ed_breite));
  }

 private slots:
  void initTestCase() {
    schriftersatz();
    qtrussisch();
    tastenfilteranbringen();
  }

  void init() {
    steuer = Steuerzustand{};
    xmin = -6, xmax = 6, ymin = -5, ymax = 5;
    P = 0;
    Q = 0;
    animrichtung = true;
    f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    ruhe();
  }

  void cleanup() {
    f.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void reflectionCaptionsNameTheirAxis() {
    // f1(-x) mirrors in the y axis (Cyrillic у), -f1(x) in the x axis (Latin x).
    QCOMPARE(f->spiegelungxachse->text(), QStringLiteral("f1(-x) , Отражение на оси у"));
    QCOMPARE(f->spiegelungyachse->text(), QStringLiteral("-f1(x) , Отражение на оси x"));
    QVERIFY(f->spiegelungxachse->text().endsWith(QChar(0x0443)));
    QVERIFY(f->spiegelungyachse->text().endsWith(QChar('x')));
    QCOMPARE(f->spiegelungursprung->text(), QStringLiteral("-f1(-x) , Размышления о происхождении"));
  }

  void undoMenuItemsCloseTheGraphicsMenu() {
    const QList<QAction*> eintraege = f->Bearbeiten1->actions();
    const auto n = eintraege.size();
    QVERIFY(n > 11 && eintraege[n - 3]->isSeparator() && !eintraege[n - 4]->isSeparator());
    QCOMPARE(eintraege[n - 2], f->verlauf->rueckgaengig);
    QCOMPARE(eintraege[n - 1], f->verlauf->wiederholen);
    QCOMPARE(f->verlauf->rueckgaengig->text(), QStringLiteral("Отменить"));
    QCOMPARE(f->verlauf->wiederholen->text(), QStringLiteral("Повторить"));
    QCOMPARE(f->verlauf->rueckgaengig->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(f->verlauf->wiederholen->shortcuts(),
             QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    // Nothing to take back at the start.
    QVERIFY(!f->verlauf->rueckgaengig->isEnabled() && !f->verlauf->wiederholen->isEnabled());
  }

  void undoRedoTwelveMixedChanges() {
    QTemporaryDir ordner;
    const QString blatt = ordner.filePath("a.fpblatt");
    {
      Steuerzustand z;
      z.ed_f2 = u"X^3/10";
      z.c_f2 = true;
      QFile datei(blatt);
      QVERIFY(datei.open(QIODevice::WriteOnly));
      datei.write(QByteArray::fromStdString(blattschreiben(z, Sicht{-2, 8, -3, 3})));
    }
    TPaintBox* p = f->PaintBox1;
    const std::function<void()> aenderungen[] = {
        [&] {  // a term taken by Enter
          f->ed_f1->setFocus();
          f->ed_f1->selectAll();
          QTest::keyClicks(f->ed_f1, "x^2-1");
          QTest::keyClick(f->ed_f1, Qt::Key_Return);
        },
        [&] { f->c_extrema->click(); },
        [&] { f->m_raster->trigger(); },
        [&] { f->rb_punkta->click(); },
        [&] { f->UpDown2->klick(true); },
        [&] { f->UpDown3->klick(false); },
        [&] { f->UpDown1->klick(true); },
        [&] { f->slinks->click(); },
        [&] { rad(p, {200, 400}, 120); },
        [&] {  // a zoom rectangle
          maus(p, QEvent::MouseButtonPress, Qt::LeftButton, {100, 100});
          maus(p, QEvent::MouseMove, Qt::LeftButton, {400, 300});
          maus(p, QEvent::MouseButtonRelease, Qt::LeftButton, {400, 300});
        },
        [&] { QVERIFY(f->blattoeffnen(blatt).isEmpty()); },
        [&] { f->button_fstrich->click(); },
    };
    std::vector<Bild> bilder{jetzt()};
    for (const auto& aendern : aenderungen) {
      aendern();
      ruhe();
      QVERIFY2(!gleich(jetzt(), bilder.back()), qPrintable(QString::number(bilder.size())));
      bilder.push_back(jetzt());
    }

    // Ctrl+Z from a check box, where no field is being edited.
    f->c_1ableitung->setFocus();
    for (std::size_t i = bilder.size() - 1; i-- > 0;) {
      QTest::keyClick(f->c_1ableitung, Qt::Key_Z, Qt::ControlModifier);
      ruhe();
      QVERIFY2(gleich(jetzt(), bilder[i]), qPrintable(QString::number(i) + ": " + unterschied(jetzt(), bilder[i])));
      zeigtzustand();
    }
    QVERIFY(!f->verlauf->rueckgaengig->isEnabled());
    QTest::keyClick(f->c_1ableitung, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(gleich(jetzt(), bilder[0]));

    // Redo, by both keys, returns each again.
    for (std::size_t i = 1; i < bilder.size(); ++i) {
      if (i % 2) QTest::keyClick(f->c_1ableitung, Qt::Key_Y, Qt::ControlModifier);
      else QTest::keyClick(f->c_1ableitung, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      ruhe();
      QVERIFY2(gleich(jetzt(), bilder[i]), qPrintable(QString::number(i) + ": " + unterschied(jetzt(), bilder[i])));
      zeigtzustand();
    }
    QVERIFY(!f->verlauf->wiederholen->isEnabled());
  }

  void ctrlZInAFieldBeingEditedIsTheFieldsOwn() {
    f->c_extrema->click();
    ruhe();
    f->ed_f2->setFocus();
    QTest::keyClicks(f->ed_f2, "+1");
    QCOMPARE(f->ed_f2->text(), QStringLiteral("X^2/4-2+1"));
    // Typed, not taken: the field takes back its last typing, the tick stays.
    QTest::keyClick(f->ed_f2, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(f->ed_f2->text() != QStringLiteral("X^2/4-2+1"));
    QVERIFY(steuer.c_extrema);
    while (f->ed_f2->text() != QStringLiteral("X^2/4-2")) QTest::keyClick(f->ed_f2, Qt::Key_Z, Qt::ControlModifier);
    // Back at what was taken, the same key takes back the tick.
    QTest::keyClick(f->ed_f2, Qt::Key_Z, Qt::ControlModifier);
    ruhe();
    QVERIFY(!steuer.c_extrema && !f->c_extrema->isChecked());
  }

  void gesturesAreOneStepEach() {
    const Bild start = jetzt();
    // An animation run of A.
    f->rb_punkta->click();
    ruhe();
    const Bild gewaehlt = jetzt();
    f->b_animation->click();
    QTRY_VERIFY(steuer.ed_A != u"1");
    QTest::qWait(100);
    f->b_animation->click();
    ruhe();
    const Bild animiert = jetzt();
    QVERIFY(!gleich(animiert, gewaehlt));

    // A dragged by its marker, over several moves.
    f->c_punktA->click();
    ruhe();
    const Bild markiert = jetzt();
    TPaintBox* p = f->PaintBox1;
    const QPoint a(Round(pixelx(editwert(steuer.ed_A))), Round(pixely(fktwert(steuer.ed_f1, editwert(steuer.ed_A)))));
    QCOMPARE(p->pixel(a.x(), a.y()), qRgb(255, 255, 0));
    maus(p, QEvent::MouseButtonPress, Qt::LeftButton, a);
    for (int x : {a.x() + 20, a.x() + 40, a.x() + 60}) {
      maus(p, QEvent::MouseMove, Qt::LeftButton, {x, a.y()});
      ruhe();
    }
    maus(p, QEvent::MouseButtonRelease, Qt::LeftButton, {a.x() + 60, a.y()});
    ruhe();
    const Bild gezogen = jetzt();

    // A following the pointer with Shift held: one step for the run.
    for (int x : {100, 150, 200, 250}) {
      maus(p, QEvent::MouseMove, Qt::NoButton, {x, 300}, Qt::ShiftModifier);
      ruhe();
    }
    QCOMPARE(steuer.ed_A, zahltext(1, 2, weltx(250)));
    const double ax = editwert(steuer.ed_A);
    QCOMPARE(f->statuszeile->text(), "f1: (" + QString::fromStdU16String(koordinatentext(ax, fx)) + "; " +
                                         QString::fromStdU16String(koordinatentext(fktwert(steuer.ed_f1, ax), fy)) + ")");
    maus(p, QEvent::MouseMove, Qt::NoButton, {260, 300});
    ruhe();

    const Bild erwartet[] = {gezogen, markiert, animiert, gewaehlt, start};
    for (const Bild& b : erwartet) {
      f->verlauf->zurueck();
      ruhe();
      QVERIFY2(gleich(jetzt(), b), qPrintable(unterschied(jetzt(), b)));
    }
    QVERIFY(!f->verlauf->verlauf().kannzurueck());
  }

  // Terms taken as by Enter.
  void terme(const char* f1, const char* f2) {
    f->ed_f1->setText(f1);
    f->ed_f2->setText(f2);
    f->c_f2->setChecked(true);
    f->b_zeichnenClick();
    ruhe();
  }

  QString zeigen(QPoint ort) {
    maus(f->PaintBox1, QEvent::MouseMove, Qt::NoButton, ort);
    ruhe();
    return f->statuszeile->text();
  }

  void statusLineShowsTheWorldUnderThePointer() {
    // The standard view on 830 x 597: 830/12 pixels a unit, origin at column 415
    // and row 298, so column 502 is x = 87*12/830 and row 326 is y = -28*12/830.
    QCOMPARE(zeigen({502, 326}), QStringLiteral("x = 1,26; y = -0,40"));
    QVERIFY(!f->PaintBox1->kreuz());
    QVERIFY(f->statuszeile->isVisible());
    QVERIFY(f->statuszeile->mapTo(f.get(), QPoint()).y() >= f->PaintBox1->mapTo(f.get(), QPoint(0, 597)).y());

    // Zoomed in, a pixel shows in the decimals: 0.06 over 830 pixels needs five,
    // over 597 pixels four.
    xmin = 1, xmax = 1.06, ymin = -0.03, ymax = 0.03;
    f->neuzeichnen();
    const QList<double> z = zahlen(zeigen({100, 200}));
    QCOMPARE(z.size(), 2);
    QVERIFY2(f->statuszeile->text().contains(QRegularExpression("^x = 1,[0-9]{5}; y = -?0,[0-9]{4}$")),
             qPrintable(f->statuszeile->text()));
    QVERIFY(std::fabs(z[0] - weltx(100)) <= 0.5e-5 && std::fabs(z[1] - welty(200)) <= 0.5e-4);

    QEvent weg(QEvent::Leave);
    QApplication::sendEvent(f->PaintBox1, &weg);
    ruhe();
    QVERIFY(f->statuszeile->text().isEmpty());

    const std::tuple<double, double, const char16_t*> faelle[] = {
        {-0.001, 69, u"0,00"}, {2.5, 1, u"2,50"}, {-1.25, 3000, u"-1,2500"},
        {1e13, 1e-10, u"1,000E+13"}, {-4.2e300, 1e-300, u"-4,200E+300"},
    };
    for (const auto& [wert, proeinheit, text] : faelle)
      QCOMPARE(QString::fromStdU16String(koordinatentext(wert, proeinheit)), QString::fromStdU16String(text));
  }

  void nearestCurveOfTwoIsPickedAndMarked() {
    terme("1", "2");
    const int r1 = Round(pixely(1)), r2 = Round(pixely(2));
    QCOMPARE(zeigen({300, r1 - 3}), "f1: (" + QString::fromStdU16String(koordinatentext(weltx(300), fx)) + "; 1,00)");
    QCOMPARE(f->PaintBox1->kreuz(), QPoint(300, r1));
    // The cross is drawn over the picture, not into it: the markers' colours stay readable.
    QCOMPARE(f->PaintBox1->grab().toImage().pixelColor(300 + 3, r1 + 3), QColor(Qt::black));
    QVERIFY(f->PaintBox1->bild.pixelColor(300 + 3, r1 + 3) != QColor(Qt::black));
    // A new drawing under the pointer at rest updates the line.
    f->ed_f1->setText("5");
    f->b_zeichnenClick();
    ruhe();
    QVERIFY(f->statuszeile->text().startsWith("x = ") && !f->PaintBox1->kreuz());
    terme("1", "2");
    QVERIFY(zeigen({300, r2 + 2}).startsWith("f2: ("));
    QVERIFY(zeigen({300, (r1 + r2) / 2}).startsWith("x = "));
    QVERIFY(!f->PaintBox1->kreuz());
    // Between them, the nearer wins.
    terme("1", "1,1");
    const int r3 = Round(pixely(1.1));
    QVERIFY2(r1 - r3 >= 6, "the two lines lie apart");
    QVERIFY(zeigen({300, r1 - 2}).startsWith("f1: ("));
    QVERIFY(zeigen({300, r3 + 2}).startsWith("f2: ("));

    // A steep curve is near by its distance across, not straight down.
    terme("10*X", "");
    const QList<double> p = zahlen(zeigen({Round(pixelx(0.1)) + 4, Round(pixely(1))}));
    QVERIFY2(f->statuszeile->text().startsWith("f1: ("), qPrintable(f->statuszeile->text()));
    QVERIFY(std::fabs(p[1] - 10 * p[0]) < 0.02);

    // Where the drawing lifts its pen (a pole) or leaves the domain, there is no curve.
    terme("1/X", "");
    QVERIFY(zeigen({Round(pixelx(0)), Round(pixely(0))}).startsWith("x = "));
    f->ed_xvon->setText("0");
    terme("1", "");
    QVERIFY(zeigen({Round(pixelx(-1)), r1}).startsWith("x = "));
    QVERIFY(zeigen({Round(pixelx(1)), r1}).startsWith("f1: ("));
  }

  void quickSteppingByKeysWheelAndModifiers() {
    struct Fall {
      QLineEdit* TFGraf::*feld;
      UpDown* TFGraf::*spinner;
      double* parameter;
    };
    const Fall faelle[] = {
        {&TFGraf::ed_parameter, &TFGraf::UpDown2, &P},
        {&TFGraf::ed_q, &TFGraf::UpDown5, &Q},
        {&TFGraf::ed_A, &TFGraf::UpDown3, nullptr},
        {&TFGraf::ed_B, &TFGraf::UpDown4, nullptr},
    };
    using Geste = std::function<void(QLineEdit*, UpDown*)>;
    const auto taste = [](Qt::Key k, Qt::KeyboardModifiers m) {
      return Geste([=](QLineEdit* e, UpDown*) { QTest::keyClick(e, k, m); });
    };
    const auto klick = [](int knopf, Qt::KeyboardModifiers m) {
      return Geste([=](QLineEdit*, UpDown* u) {
        QTest::mouseClick(u->findChildren<QToolButton*>().at(knopf), Qt::LeftButton, m);
      });
    };
    const auto radfeld = [](int winkel, Qt::KeyboardModifiers m) {
      return Geste([=](QLineEdit* e, UpDown*) { rad(e, {5, 5}, winkel, m); });
    };
    const auto radspinner = [](int winkel, Qt::KeyboardModifiers m) {
      return Geste([=](QLineEdit*, UpDown* u) { rad(u, {3, 3}, winkel, m); });
    };
    // Each from a field showing "1".
    const std::pair<Geste, const char*> gesten[] = {
        {taste(Qt::Key_Up, Qt::NoModifier), "1,01"},
        {taste(Qt::Key_Down, Qt::NoModifier), "0,99"},
        {taste(Qt::Key_PageUp, Qt::NoModifier), "1,01"},
        {taste(Qt::Key_PageDown, Qt::NoModifier), "0,99"},
        {taste(Qt::Key_Up, Qt::ShiftModifier), "1,1"},
        {taste(Qt::Key_PageDown, Qt::ShiftModifier), "0,9"},
        {taste(Qt::Key_Up, Qt::ControlModifier), "2"},
        {taste(Qt::Key_PageDown, Qt::ControlModifier), "0"},
        {klick(0, Qt::NoModifier), "1,01"},
        {klick(1, Qt::ShiftModifier), "0,9"},
        {klick(0, Qt::ControlModifier), "2"},
        {radfeld(120, Qt::NoModifier), "1,01"},
        {radfeld(-240, Qt::ShiftModifier), "0,8"},
        {radspinner(-120, Qt::NoModifier), "0,99"},
        {radspinner(120, Qt::ControlModifier), "2"},
    };
    for (const Fall& fall : faelle) {
      QLineEdit* feld = f.get()->*fall.feld;
      UpDown* spinner = f.get()->*fall.spinner;
      feld->setFocus();
      for (const auto& [geste, erwartet] : gesten) {
        feld->setText(QStringLiteral("1"));
        geste(feld, spinner);
        QCOMPARE(feld->text(), QString::fromLatin1(erwartet));
        if (fall.parameter) QCOMPARE(*fall.parameter, editwert(feld->text().toStdU16String()));
      }
      // Half notches add up to one step; Left and Right still move the cursor.
      feld->setText(QStringLiteral("1"));
      rad(feld, {5, 5}, 60);
      QCOMPARE(feld->text(), QStringLiteral("1"));
      rad(feld, {5, 5}, 60);
      QCOMPARE(feld->text(), QStringLiteral("1,01"));
      feld->setCursorPosition(0);
      QTest::keyClick(feld, Qt::Key_Right);
      QCOMPARE(feld->cursorPosition(), 1);
    }
    // The pen width keeps its own steps: one per click, the wheel is not its.
    f->ed_breite->setText(QStringLiteral("2"));
    QTest::mouseClick(f->UpDown1->findChildren<QToolButton*>().at(0), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(f->ed_breite->text(), QStringLiteral("3"));
    rad(f->UpDown1, {3, 3}, 120);
    QCOMPARE(f->ed_breite->text(), QStringLiteral("3"));
  }
};

QTEST_MAIN(BedienungTest)
#include "test_bedienung.moc"
