// Soak run of the window: the animation of P, then of A, then of B, 2000 ticks
// each with every analysis, transformation, combination and the inverse on.
// Live heap must not grow, every tick must redraw; the leak check at exit (in
// the sanitizer build) finds whatever a tick lost.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QImage>
#include <QTest>
#include <malloc.h>
#include <cstddef>
#include <memory>

#include "abbildung.h"
#include "fktint.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

using namespace abbildung;

#if defined(__SANITIZE_ADDRESS__)
#define ASAN_AKTIV 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASAN_AKTIV 1
#endif
#endif
#ifdef ASAN_AKTIV
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on the heap right now.
long long belegt() {
#ifdef ASAN_AKTIV
  return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<long long>(mallinfo2().uordblks);
#endif
}

const QRgb vorher = qRgb(1, 2, 3);

}  // namespace

class DauerlaufTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { schriftersatz(); }

  void threeAnimationsWithEverythingOn() {
    auto f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    for (QCheckBox* c : {f->c_f2, f->c_1ableitung, f->c_2ableitung, f->c_nullstellen, f->c_extrema,
                         f->c_wendepunkte, f->c_wendetangente, f->c_stammfunktion,
                         f->c_schnittpunkte, f->c_pktanzeige, f->c_schar, f->c_punktA, f->c_punktB,
                         f->c_tangente, f->c_normale, f->c_sekante, f->c_integral,
                         f->c_wertetabelle, f->c_ergebnisliste})
      c->click();
    for (QAction* a : {f->spiegelungxachse, f->spiegelungursprung, f->spiegelungyachse,
                       f->verschiebungxachse, f->streckungxachse, f->verschiebungyachse,
                       f->streckungyachse, f->nacheinanderausfuehrung, f->funktionsaddition,
                       f->funktionssubtraktion1, f->funktionsmultiplikation, f->funktionsdivision1,
                       f->Umkehrkurvezuf1x1, f->MAchsen21, f->M_rahmen, f->m_mmraster})
      a->trigger();
    QVERIFY(steuer.c_wertetabelle && steuer.Umkehrkurvezuf1x1 && !f->Mergebnis->isHidden());
    f->b_zeichnenClick();
    QVERIFY(ergebnisliste.size() > 20);

    const int ticks = qEnvironmentVariableIntValue("DAUERLAUF_TICKS") > 0
                          ? qEnvironmentVariableIntValue("DAUERLAUF_TICKS") : 2000;
    for (QRadioButton* r : {f->rb_parameter, f->rb_punkta, f->rb_punktB}) {
      r->click();
      QLineEdit* feld = r == f->rb_parameter ? f->ed_parameter : r == f->rb_punkta ? f->ed_A : f->ed_B;
      // A warm-up fills the caches of fonts and glyphs; then the heap must stay.
      for (int i = 0; i < 50; ++i) f->Timer1Timer();
      const long long anfang = belegt();
      long long hoechst = anfang;
      for (int i = 0; i < ticks; ++i) {
        const QString alt = feld->text();
        f->PaintBox1->bild.setPixel(3, 3, vorher);
        f->Timer1Timer();
        // Every tick moves the value and redraws.
        if (feld->text() == alt || f->PaintBox1->bild.pixel(3, 3) == vorher)
          QFAIL(qPrintable(QString("tick %1 of %2: %3").arg(i).arg(r->text(), alt)));
        QCoreApplication::processEvents();  // as the event loop does between ticks
        hoechst = std::max(hoechst, belegt());
      }
      const long long ende = belegt();
      qInfo("%s: heap %lld -> %lld bytes, highest %lld", qPrintable(r->text()), anfang, ende, hoechst);
      // Room for the glyph caches of new digits only. Without the event loop
      // between ticks the memo's and scroll bar's posted work would pile up.
      QVERIFY2(ende - anfang < 256 << 10, qPrintable(QString::number(ende - anfang)));
    }

    // The plot pass alone, with the same state, onto an image: no growth at all.
    QImage bild(830, 597, QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i) {
      QtCanvas c(bild);
      ::PaintBox1Paint(c);
    }
    const long long anfang = belegt();
    for (int i = 0; i < ticks / 10; ++i) {
      P += 0.01;
      QtCanvas c(bild);
      ::PaintBox1Paint(c);
    }
    qInfo("plot pass: heap %lld -> %lld bytes", anfang, belegt());
    QVERIFY2(belegt() - anfang < 16 << 10, qPrintable(QString::number(belegt() - anfang)));
    f.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

QTEST_MAIN(DauerlaufTest)
#include "test_dauerlauf.moc"
