// Hostile texts in every edit field of the window: each field, each text, then a
// draw, an animation tick and a spinner step. The window must keep drawing, term
// fields go into the list as they read or are said not to read, and a number
// field that cannot be read counts as 0.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "abbildung.h"
#include "fktint.h"
#include "graf_rus.h"
#include "lesepruefung.h"
#include "paintbox.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "updown.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

QString qtext(const std::u16string& s) { return QString::fromStdU16String(s); }

const QRgb vorher = qRgb(1, 2, 3);
void uebermalen(TPaintBox* p) { p->bild.fill(vorher); }
bool neugezeichnet(TPaintBox* p) {
  return p->bild.pixel(3, 3) != vorher && p->bild.pixel(p->width() - 4, p->height() - 4) != vorher;
}

struct Text {
  const char* name;
  QString text;
  double liest;  // what a number field reads, NaN where the value is not fixed
};

QList<Text> texte() {
  const double egal = std::nan("");
  return {
      {"empty", "", 0},
      {"blanks", "   ", 0},
      {"10000 letters", QString(10000, 'A'), 0},
      {"10000 brackets", QString(10000, '('), 0},
      {"5000 nested", QString(5000, '(') + "X" + QString(5000, ')'), egal},
      {"long sum", QString("X+").repeated(5000) + "1", egal},
      {"control", QString::fromUtf16(u"\t\n\r\x01\x1b\x7f 1"), 0},
      {"emoji", QString::fromUtf16(u"\U0001F600X\U0001D465"), 0},
      {"lone high", QString(QChar(0xD800)) + "1", 0},
      {"lone low", QString(QChar(0xDC00)), 0},
      {"nul", QString(QChar(0)) + "1", 0},
      {"1e308", "1E308", 0},
      {"-1e308", "-1E308", 0},
      {"-0", "-0", 0},
      {"tiny", "1E-320", 0},
  };
}

}  // namespace

class EingabenTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TFGraf> f;

 private slots:
  void initTestCase() {
    schriftersatz();
    f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
  }

  void cleanupTestCase() {
    f.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void everyFieldEveryText_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<int>("text");
    const char* namen[] = {"f1", "f2", "f3", "f4", "xvon", "xbis", "parameter", "q",
                           "schardiff", "A", "B", "von", "bis", "delta", "breite"};
    const auto t = texte();
    for (int i = 0; i < 15; ++i)
      for (int j = 0; j < t.size(); ++j)
        QTest::addRow("%s %s", namen[i], t[j].name) << i << j;
  }

  void everyFieldEveryText() {
    QFETCH(int, feld);
    QFETCH(int, text);
    // Each field with the spinner that steps it (P's for the others) and what
    // the animation moves.
    struct Feld {
      QLineEdit* TFGraf::*ed;
      UpDown* TFGraf::*spinner;
      QRadioButton* TFGraf::*wahl;
      bool zahl;
    };
    const Feld felder[] = {
        {&TFGraf::ed_f1, &TFGraf::UpDown2, &TFGraf::rb_parameter, false},
        {&TFGraf::ed_f2, &TFGraf::UpDown2, &TFGraf::rb_parameter, false},
        {&TFGraf::ed_f3, &TFGraf::UpDown2, &TFGraf::rb_parameter, false},
        {&TFGraf::ed_f4, &TFGraf::UpDown2, &TFGraf::rb_parameter, false},
        {&TFGraf::ed_xvon, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_xbis, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_parameter, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_q, &TFGraf::UpDown5, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_schardiff, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_A, &TFGraf::UpDown3, &TFGraf::rb_punkta, true},
        {&TFGraf::ed_B, &TFGraf::UpDown4, &TFGraf::rb_punktB, true},
        {&TFGraf::ed_von, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_bis, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_delta, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
        {&TFGraf::ed_breite, &TFGraf::UpDown2, &TFGraf::rb_parameter, true},
    };
    const Feld& fd = felder[feld];
    const Text t = texte()[text];
    QLineEdit* ed = f.get()->*fd.ed;
    UpDown* spinner = f.get()->*fd.spinner;

    // A fresh start state with every field at its default and the analyses that
    // read the points and the second term on.
    const Steuerzustand standard;
    for (QLineEdit* e : {f->ed_f1, f->ed_f2, f->ed_f3, f->ed_f4, f->ed_xvon, f->ed_xbis,
                         f->ed_parameter, f->ed_q, f->ed_schardiff, f->ed_A, f->ed_B, f->ed_von,
                         f->ed_bis, f->ed_delta, f->ed_breite})
      e->setText("");
    f->ed_f1->setText(qtext(standard.ed_f1));
    f->ed_f2->setText(qtext(standard.ed_f2));
    f->ed_xvon->setText(qtext(standard.ed_xvon));
    f->ed_xbis->setText(qtext(standard.ed_xbis));
    f->ed_parameter->setText(qtext(standard.ed_parameter));
    f->ed_q->setText(qtext(standard.ed_q));
    f->ed_schardiff->setText(qtext(standard.ed_schardiff));
    f->ed_A->setText(qtext(standard.ed_A));
    f->ed_B->setText(qtext(standard.ed_B));
    f->ed_von->setText(qtext(standard.ed_von));
    f->ed_bis->setText(qtext(standard.ed_bis));
    f->ed_delta->setText(qtext(standard.ed_delta));
    f->ed_breite->setText(qtext(standard.ed_breite));
    for (QCheckBox* c : {f->c_f2, f->c_punktA, f->c_punktB, f->c_nullstellen, f->c_schar})
      if (!c->isChecked()) c->click();
    xmin = -6, xmax = 6, ymin = -5, ymax = 5;
    P = 1;
    animrichtung = true;

    // Draw.
    ed->setText(t.text);
    QCOMPARE(ed->text(), t.text);
    uebermalen(f->PaintBox1);
    f->b_zeichnenClick();
    QVERIFY(neugezeichnet(f->PaintBox1));
    if (!fd.zahl && !t.text.isEmpty()) {
      // A term that reads (after its rewrite, which the field shows) goes into the
      // list; one that does not is not drawn and its message heads the list.
      bool gefunden = false;
      for (const auto& z : ergebnisliste) gefunden |= qtext(z) == "Функция Y = " + ed->text();
      const bool leer = ed->text().trimmed().isEmpty();
      if (leer || lesepruefung(ed->text().toStdU16String()).gelesen()) {
        QVERIFY(gefunden);
        QVERIFY(ed->styleSheet().isEmpty());
      } else {
        QVERIFY(!gefunden);
        QVERIFY(!ergebnisliste.empty());
        QCOMPARE(qtext(ergebnisliste.front()), ed->toolTip());
        QVERIFY(ed->toolTip().startsWith(QStringLiteral("f%1, ").arg(feld + 1)));
      }
    }
    if (fd.ed == &TFGraf::ed_parameter && !t.text.isEmpty() && !std::isnan(t.liest))
      QCOMPARE(P, t.liest);
    QVERIFY(std::isfinite(P));

    // Animation tick: an unreadable step leaves the value where it is.
    ed->setText(t.text);
    (f.get()->*fd.wahl)->click();
    const double p0 = P;
    uebermalen(f->PaintBox1);
    f->Timer1Timer();
    QVERIFY(neugezeichnet(f->PaintBox1));
    if (fd.ed == &TFGraf::ed_delta && !std::isnan(t.liest)) QCOMPARE(P, p0);
    if ((fd.ed == &TFGraf::ed_A || fd.ed == &TFGraf::ed_B) && !std::isnan(t.liest))
      QCOMPARE(ed->text(), qtext(zahltext(1, 2, t.liest + 0.08)));
    f->rb_parameter->click();

    // Spinner step: an unreadable field steps from 0.
    ed->setText(t.text);
    uebermalen(f->PaintBox1);
    spinner->klick(true);
    QVERIFY(neugezeichnet(f->PaintBox1));
    if (fd.spinner != &TFGraf::UpDown2 || fd.ed == &TFGraf::ed_parameter) {
      if (!std::isnan(t.liest)) QCOMPARE(ed->text(), qtext(zahltext(1, 2, t.liest + 0.01)));
    }
    QVERIFY(std::isfinite(P) && std::isfinite(Q));
    QVERIFY(xmin < xmax && ymin < ymax);
    QVERIFY(f->isVisible());
  }

  // No field ever holds a cut-off term: a derivative longer than a default
  // line edit's 32767 characters reaches f3 whole and is drawn as such; a paste
  // or a derivative that does not fit leaves the field as it was and says so
  // beside it. The mechanism is shown on fields narrowed for the test.
  void langeTexteNieAbgeschnitten() {
    for (QLineEdit* e : {f->ed_f1, f->ed_f2, f->ed_f3, f->ed_f4, f->ed_q, f->ed_A})
      QVERIFY(e->maxLength() - 1 >= 1000000);
    // f1 the first derivative of (X/1+1)*(X/2+1)*...*(X/25+1): its derivative,
    // the product's second, has about 47 000 characters.
    std::u16string produkt = u"(X/1+1)";
    for (int i = 2; i <= 25; ++i) produkt += u"*(X/" + QString::number(i).toStdU16String() + u"+1)";
    const std::u16string t = ableitungsterm(produkt);
    f->ed_f1->setText(qtext(t));
    if (!f->c_f3->isChecked()) f->c_f3->click();
    f->button_fstrich->click();
    QVERIFY(f->ed_f3->text().size() > 32767);
    QCOMPARE(f->ed_f3->text(), qtext(ableitungsterm(t)));
    // The f3 curve is the derivative of f1: the central difference at -0,5 agrees.
    const double h = 1e-6;
    const double steigung = (fktwert(t, -0.5 + h) - fktwert(t, -0.5 - h)) / (2 * h);
    QVERIFY2(std::fabs(fktwert(steuer.ed_f3, -0.5) / steigung - 1) < 1e-5, qPrintable(QString::number(steigung)));

    // A paste beyond the old limit arrives whole.
    const QString summe = QString("X+").repeated(20000) + "1";
    QGuiApplication::clipboard()->setText(summe);
    f->ed_f2->clear();
    f->ed_f2->paste();
    QCOMPARE(f->ed_f2->text(), summe);

    const auto abgewiesen = [](QLineEdit* feld, const QString& vorher) {
      QCOMPARE(feld->text(), vorher);
      QTRY_VERIFY(QToolTip::isVisible());
      QVERIFY2(QToolTip::text().contains("не помещается в поле; поле не изменено"), qPrintable(QToolTip::text()));
      QToolTip::hideText();
    };
    // Pastes that would pass a limit of 1000: the one that fits exactly goes
    // in, a longer one leaves the field unchanged, also into a selection.
    f->ed_f2->setText("X");
    f->ed_f2->setMaxLength(1001);
    f->ed_f2->end(false);
    QGuiApplication::clipboard()->setText(QString(999, u'1'));
    f->ed_f2->paste();
    QCOMPARE(f->ed_f2->text().size(), 1000);
    QToolTip::hideText();
    f->ed_f2->setText("X+1");
    f->ed_f2->end(false);
    QGuiApplication::clipboard()->setText(QString(998, u'2'));
    f->ed_f2->paste();
    abgewiesen(f->ed_f2, "X+1");
    f->ed_f2->selectAll();
    QGuiApplication::clipboard()->setText(QString(5000, u'3'));
    f->ed_f2->paste();
    abgewiesen(f->ed_f2, "X+1");
    QTest::keyClick(f->ed_f2, Qt::Key_End);
    f->ed_f2->setText(QString(1000, u'4'));
    QTest::keyClick(f->ed_f2, Qt::Key_5);
    abgewiesen(f->ed_f2, QString(1000, u'4'));
    f->ed_f2->setMaxLength(f->ed_f1->maxLength());

    // The derivative buttons: a derivative that does not fit leaves f3 and f4.
    for (auto [knopf, feld] : {std::pair{f->button_fstrich, f->ed_f3}, std::pair{f->button_f2strich, f->ed_f4}}) {
      feld->setText("X");
      feld->setMaxLength(101);
      f->ed_f1->setText("X*(X+1)*(X+2)*(X+3)*(X+4)*(X+5)*(X+6)");
      QVERIFY(ableitungsterm(ableitungsterm(steuer.ed_f1)).size() > 100);
      knopf->click();
      abgewiesen(feld, "X");
      feld->setMaxLength(f->ed_f1->maxLength());
    }
    f->ed_f1->setText("X*SIN(X+P)");
    f->ed_f3->clear();
    f->ed_f4->clear();
  }
};

QTEST_MAIN(EingabenTest)
#include "test_eingaben.moc"
