// The history behind undo and redo: each step back returns the earlier state
// exactly, redo returns again, and what is not a user's step (an equal state, a
// new window size, the moves of one following run) adds none.
#include <gtest/gtest.h>

#include <string>

#include "verlauf.h"

namespace {

const Sicht standard{-6, 6, -4.3, 4.3};

Stand stand(std::u16string f1, Sicht sicht = standard) {
  Stand s{Steuerzustand{}, sicht};
  s.steuer.ed_f1 = std::move(f1);
  return s;
}

std::u16string f1(const Stand* s) { return s ? s->steuer.ed_f1 : u"(keiner)"; }

TEST(Verlauf, UndoReturnsEachEarlierStateRedoReturnsAgainANewStepDropsRedo) {
  Verlauf v;
  EXPECT_FALSE(v.merken(stand(u"X")));  // the start is no step
  EXPECT_FALSE(v.kannzurueck());
  Stand zoom = stand(u"X^2", {-3, 3, -2, 2});
  zoom.steuer.c_extrema = true;
  ASSERT_TRUE(v.merken(stand(u"X^2")));
  ASSERT_TRUE(v.merken(zoom));
  ASSERT_TRUE(v.merken(stand(u"X^3")));

  const Stand* s = v.zurueck();
  ASSERT_TRUE(s);
  EXPECT_TRUE(gleichesteuerung(s->steuer, zoom.steuer));
  EXPECT_EQ(s->sicht.xmin, -3);
  EXPECT_EQ(f1(v.zurueck()), u"X^2");
  EXPECT_EQ(f1(v.zurueck()), u"X");
  EXPECT_EQ(v.zurueck(), nullptr);  // nothing before the start
  EXPECT_EQ(f1(v.aktuell()), u"X");

  EXPECT_EQ(f1(v.vor()), u"X^2");
  EXPECT_EQ(f1(v.vor()), u"X^2");
  EXPECT_TRUE(v.aktuell()->steuer.c_extrema);
  // A new step after going back drops what could be redone.
  ASSERT_TRUE(v.merken(stand(u"SIN(X)")));
  EXPECT_FALSE(v.kannvor());
  EXPECT_EQ(f1(v.zurueck()), u"X^2");
  EXPECT_TRUE(v.aktuell()->steuer.c_extrema);
}

TEST(Verlauf, EqualStatesAndANewWindowSizeAddNoStep) {
  Verlauf v;
  v.merken(stand(u"X"));
  Stand ausgabe = stand(u"X");
  ausgabe.steuer.Label11 = u"; 3 )";  // outputs are no control
  EXPECT_FALSE(v.merken(ausgabe));

  // The window grew: same controls, new size, the y range adapted.
  Stand groesser = stand(u"X", {-6, 6, -5, 5});
  groesser.steuer.PaintBox1_height = 700;
  EXPECT_FALSE(v.merken(groesser));
  EXPECT_FALSE(v.kannzurueck());
  EXPECT_EQ(v.aktuell()->sicht.ymax, 5);
  // A view change at the same size is a step.
  Stand gezoomt = groesser;
  gezoomt.sicht = {-1, 1, -1, 1};
  EXPECT_TRUE(v.merken(gezoomt));
  EXPECT_EQ(v.zurueck()->sicht.ymax, 5);
}

TEST(Verlauf, AFollowingRunIsOneStepUntilItEnds) {
  Verlauf v;
  v.merken(stand(u"X"));
  for (const char16_t* a : {u"1", u"1,5", u"2"}) {
    Stand s = stand(u"X");
    s.steuer.ed_A = a;
    v.merken(s, Verlauf::Art::fortsetzbar);
  }
  v.abschliessen();
  Stand weiter = stand(u"X");
  weiter.steuer.ed_A = u"3";
  v.merken(weiter, Verlauf::Art::fortsetzbar);  // a new run
  Stand haken = weiter;
  haken.steuer.c_tangente = true;
  v.merken(haken);

  EXPECT_EQ(v.zurueck()->steuer.ed_A, u"3");
  EXPECT_EQ(v.zurueck()->steuer.ed_A, u"2");
  EXPECT_EQ(v.zurueck()->steuer.ed_A, u"1");  // the start's default
  EXPECT_FALSE(v.kannzurueck());
}

TEST(Verlauf, AHundredStepsAlwaysHugeTextsBoundTheRest) {
  Verlauf v;
  for (int i = 0; i <= 150; ++i) v.merken(stand(u"X+" + std::u16string(1, char16_t(u'0' + i % 10)) + u"*" +
                                                std::u16string(std::size_t(i), u'1')));
  int zurueck = 0;
  while (v.zurueck()) ++zurueck;
  EXPECT_EQ(zurueck, 100);
  EXPECT_EQ(v.aktuell()->steuer.ed_f1.size(), 4u + 50);

  // Terms of 8 MiB each: the bytes bound keeps a few, but always one step back.
  Verlauf gross;
  for (int i = 0; i < 12; ++i) gross.merken(stand(std::u16string(std::size_t(4) << 20, char16_t(u'A' + i))));
  int n = 0;
  while (gross.zurueck()) ++n;
  EXPECT_GE(n, 1);
  EXPECT_LT(n, 11);
  EXPECT_EQ(gross.aktuell()->steuer.ed_f1[0], char16_t(u'A' + 11 - n));
}

}  // namespace
