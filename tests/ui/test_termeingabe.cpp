// Terms typed into the window: school notation is drawn as meant and the field
// shows the rewritten term; a term that does not read is drawn not at all, its
// field is framed and the message heads the result list.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QTextBrowser>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "abbildung.h"
#include "graf_rus.h"
#include "statuszeile.h"
#include "paintbox.h"
#include "qtcanvas.h"
#include "plotpass.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

QString qtext(const std::u16string& s) { return QString::fromStdU16String(s); }

// Types a text character by character, as a keyboard layout delivers it.
void tippen(QLineEdit* w, const QString& text) {
  w->clear();
  for (QChar c : text) {
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &e);
  }
}

}  // namespace

class TermeingabeTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TFGraf> f;

  // The picture of f1 alone with the text typed into it.
  QImage zeichnen(const QString& text, bool an = true) {
    tippen(f->ed_f1, text);
    if (f->c_f1->isChecked() != an) f->c_f1->click();
    f->b_zeichnenClick();
    return f->PaintBox1->bild.copy();
  }

 private slots:
  void initTestCase() {
    schriftersatz();
    f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    for (QCheckBox* c : {f->c_f3, f->c_f4})
      if (c->isChecked()) c->click();
  }

  void cleanupTestCase() { f.reset(); }

  // Typed as a pupil writes (small letters, a Cyrillic х): the field shows the
  // term, it is drawn as the term, and the rewrite is said once.
  void schoolNotationIsDrawnAsMeant() {
    const QImage gemeint = zeichnen(QStringLiteral("X^3-3*X"));
    const QImage getippt = zeichnen(QStringLiteral("x^3-3х"));
    QCOMPARE(f->ed_f1->text(), QStringLiteral("X^3-3*X"));
    QVERIFY(getippt == gemeint);
    QCOMPARE(qtext(ergebnisliste.front()), QStringLiteral("f1: X^3-3X записано как X^3-3*X"));
    QVERIFY(f->ed_f1->styleSheet().isEmpty());
    f->PaintBox1Paint();
    QCOMPARE(qtext(ergebnisliste.front()), QStringLiteral("Функция Y = X^3-3*X"));
  }

  // A misread term draws nothing: the picture is that of no term at all.
  void unreadableTermDrawsNothingAndSaysWhy() {
    const QImage ohne = zeichnen(QStringLiteral("X"), false);
    const QImage abc = zeichnen(QStringLiteral("X+ABC"));
    QVERIFY(abc == ohne);
    const QString meldung = QStringLiteral("f1, знак 3: неизвестное имя «ABC» — имена функций и констант см. в справке (F1)");
    QCOMPARE(qtext(ergebnisliste.front()), meldung);
    QCOMPARE(ergebnisliste.size(), std::size_t{1});
    QCOMPARE(f->ed_f1->toolTip(), meldung);
    auto* zeile = f->findChild<QLabel*>(QStringLiteral("termmeldung"));
    QCOMPARE(zeile->text(), meldung);
    QVERIFY(f->ed_f1->styleSheet().contains(QStringLiteral("border")));
    // The message shares the free row with the coordinates of the status line, beside them.
    QVERIFY(!zeile->geometry().intersects(f->statuszeile->geometry()));
    // Mended, the frame goes and the term is drawn; the coordinates have the row again.
    zeichnen(QStringLiteral("X+1"));
    QVERIFY(f->ed_f1->styleSheet().isEmpty() && f->ed_f1->toolTip().isEmpty());
    QVERIFY(zeile->isHidden() && f->statuszeile->width() > zeile->x());
    QCOMPARE(qtext(ergebnisliste.front()), QStringLiteral("Функция Y = X+1"));
  }

  // The derivative buttons derive the term as rewritten.
  void derivativeOfTheRewrittenTerm() {
    tippen(f->ed_f1, QStringLiteral("|X-1|"));
    f->button_fstrichClick();
    QCOMPARE(f->ed_f1->text(), QStringLiteral("ABS(X-1)"));
    QVERIFY(!f->ed_f3->text().isEmpty());
  }

  // F1 from inside a term field opens the help; the menu item is the last of
  // "Система координат", after a separator.
  void helpFromF1AndTheMenu() {
    f->ed_f1->setFocus();
    QTest::keyClick(f->ed_f1, Qt::Key_F1);
    auto* hilfe = f->findChild<QDialog*>(QStringLiteral("termhilfefenster"));
    QVERIFY(hilfe && hilfe->isVisible());
    QVERIFY(hilfe->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("2^3^2")));
    hilfe->close();
    const auto eintraege = f->M_ksystem->actions();
    QCOMPARE(eintraege.last()->text(), QStringLiteral("Как записывать функции"));
    QVERIFY(eintraege[eintraege.size() - 2]->isSeparator());
    eintraege.last()->trigger();
    QVERIFY(hilfe->isVisible());
    hilfe->close();
  }
};

QTEST_MAIN(TermeingabeTest)
#include "test_termeingabe.moc"
