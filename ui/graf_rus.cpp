#include "graf_rus.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QLocale>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>
#include <QToolTip>
#include <QValidator>
#include <utility>

#include "abbildung.h"
#include "bilder.h"
#include "fktint.h"
#include "info2_russ.h"
#include "paintbox.h"
#include "plattform.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "schulschreibweise.h"
#include "statuszeile.h"
#include "steuerzustand.h"
#include "termanzeige.h"
#include "termfelder.h"
#include "termhilfefenster.h"
#include "uableitung.h"
#include "updown.h"
#include "verlaufsfuehrung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

const QString titel = QStringLiteral("Графическое представление функции");

QString qtext(const std::u16string& s) { return QString::fromStdU16String(s); }

QFont verdana(int pixel) { return schrift(QStringLiteral("Verdana"), pixel); }

// Longest text a field holds: far beyond any derivative the builder forms
// (a few hundred thousand characters), so that no term is ever cut. Each field
// takes one character more, so that a longer paste arrives whole enough to be
// refused instead of being cut to fit.
constexpr int feldlaenge = 1 << 20;

// Says beside the field that a text did not fit and the field kept its text.
void zulanghinweis(QLineEdit* feld) {
  const QString grenze = QLocale(QLocale::Russian).toString(feld->maxLength() - 1);
  QToolTip::showText(feld->mapToGlobal(QPoint(0, feld->height())),
                     QStringLiteral("Текст длиннее %1 знаков не помещается в поле; поле не изменено.").arg(grenze),
                     feld);
}

// Turns every letter into a capital as it is typed or pasted (é becomes É), and
// a Cyrillic look-alike into its Latin letter.
class Grossschrift : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int& pos) const override {
    auto* feld = static_cast<QLineEdit*>(parent());
    if (text.size() >= feld->maxLength()) {
      zulanghinweis(feld);
      return Invalid;
    }
    text = text.toUpper();
    for (QChar& c : text) c = QChar(lateinischer_doppelgaenger(c.unicode()));
    pos = std::min<int>(pos, text.size());
    return Acceptable;
  }
};

// A check box whose caption, where it is wider than its room, is broken at a
// blank onto a second line instead of being cut off at the box's edge. A click
// anywhere on the box counts, also beside a caption shorter than the box.
class Umbruchkasten : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& p) const override { return rect().contains(p); }
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionButton o;
    initStyleOption(&o);
    o.text = umbrechen(o.text, fontMetrics(), beschriftungsraum(this));
    p.drawControl(QStyle::CE_CheckBox, o);
  }
};

// Makes a check box as high as its broken caption needs.
void hoeheanpassen(QCheckBox* c) {
  const int zeilen = umbrechen(c->text(), c->fontMetrics(), beschriftungsraum(c)).count(u'\n') + 1;
  if (zeilen == 1) return;
  c->resize(c->width(), std::max(c->height(), zeilen * c->fontMetrics().lineSpacing() + 2));
  c->raise();
}

// The white client panel; it lays its docked regions out on every size change.
class Flaeche : public QWidget {
 public:
  explicit Flaeche(TFGraf* f) : fenster(f) {}

 protected:
  void resizeEvent(QResizeEvent*) override {
    fenster->anordnen();
    fenster->FormResize();
  }

 private:
  TFGraf* fenster;
};

QWidget* region(QWidget* eltern, QColor farbe, const QFont& schrift) {
  auto* w = new QWidget(eltern);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, farbe);
  pal.setColor(QPalette::WindowText, Qt::black);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
  w->setFont(schrift);
  return w;
}

enum Ort { rechts, unten };

struct Feld {
  QLineEdit* TFGraf::*element;
  std::u16string Steuerzustand::*zustand;
  Ort ort;
  int x, y, b, h;
};

const Feld felder[] = {
    {&TFGraf::ed_breite, &Steuerzustand::ed_breite, rechts, 122, 10, 36, 21},
    {&TFGraf::ed_xvon, &Steuerzustand::ed_xvon, rechts, 64, 136, 41, 21},
    {&TFGraf::ed_xbis, &Steuerzustand::ed_xbis, rechts, 152, 136, 41, 21},
    {&TFGraf::ed_parameter, &Steuerzustand::ed_parameter, rechts, 106, 171, 41, 21},
    {&TFGraf::ed_q, &Steuerzustand::ed_q, rechts, 106, 195, 41, 21},
    {&TFGraf::ed_schardiff, &Steuerzustand::ed_schardiff, rechts, 171, 220, 32, 21},
    {&TFGraf::ed_A, &Steuerzustand::ed_A, rechts, 84, 246, 41, 21},
    {&TFGraf::ed_B, &Steuerzustand::ed_B, rechts, 84, 270, 41, 21},
    {&TFGraf::ed_von, &Steuerzustand::ed_von, rechts, 40, 436, 32, 21},
    {&TFGraf::ed_bis, &Steuerzustand::ed_bis, rechts, 98, 436, 32, 21},
    {&TFGraf::ed_delta, &Steuerzustand::ed_delta, rechts, 152, 436, 32, 21},
    {&TFGraf::ed_f1, &Steuerzustand::ed_f1, unten, 84, 12, 290, 24},
    {&TFGraf::ed_f2, &Steuerzustand::ed_f2, unten, 84, 44, 290, 24},
    {&TFGraf::ed_f3, &Steuerzustand::ed_f3, unten, 456, 12, 290, 24},
    {&TFGraf::ed_f4, &Steuerzustand::ed_f4, unten, 456, 44, 290, 24},
};

// What a click on a check box runs.
enum Klick { vollbild, neuliste, memo };

struct Kasten {
  QCheckBox* TFGraf::*element;
  bool Steuerzustand::*zustand;
  const char16_t* text;
  Ort ort;
  int x, y, b, h;
  Klick klick;
};

const Kasten kaesten[] = {
    {&TFGraf::c_1ableitung, &Steuerzustand::c_1ableitung, u"Производная", rechts, 12, 41, 97, 17, vollbild},
    {&TFGraf::c_2ableitung, &Steuerzustand::c_2ableitung, u"2.Производн.", rechts, 115, 41, 93, 17, vollbild},
    {&TFGraf::c_nullstellen, &Steuerzustand::c_nullstellen, u"Нули", rechts, 12, 59, 97, 17, vollbild},
    {&TFGraf::c_extrema, &Steuerzustand::c_extrema, u"Экстремумы", rechts, 115, 59, 97, 17, vollbild},
    {&TFGraf::c_wendepunkte, &Steuerzustand::c_wendepunkte, u"Перегибы", rechts, 12, 77, 85, 17, vollbild},
    {&TFGraf::c_wendetangente, &Steuerzustand::c_wendetangente, u"Касательная перегибa", rechts, 115, 77, 93, 17, vollbild},
    {&TFGraf::c_stammfunktion, &Steuerzustand::c_stammfunktion, u"Первообразная", rechts, 12, 95, 117, 17, vollbild},
    {&TFGraf::c_schnittpunkte, &Steuerzustand::c_schnittpunkte, u"Пересечение", rechts, 12, 113, 97, 17, vollbild},
    {&TFGraf::c_pktanzeige, &Steuerzustand::c_pktanzeige, u"Рисование т.", rechts, 115, 113, 93, 17, vollbild},
    {&TFGraf::c_schar, &Steuerzustand::c_schar, u"Семейство функции d =", rechts, 12, 222, 153, 17, vollbild},
    {&TFGraf::c_punktA, &Steuerzustand::c_punktA, u"Точка A (", rechts, 12, 248, 74, 17, vollbild},
    {&TFGraf::c_punktB, &Steuerzustand::c_punktB, u"Tочка B (", rechts, 12, 272, 74, 17, vollbild},
    {&TFGraf::c_tangente, &Steuerzustand::c_tangente, u"Касательная", rechts, 12, 296, 93, 17, vollbild},
    {&TFGraf::c_normale, &Steuerzustand::c_normale, u"Нормальная", rechts, 115, 296, 137, 17, vollbild},
    {&TFGraf::c_sekante, &Steuerzustand::c_sekante, u"Секущая AB", rechts, 12, 315, 93, 17, vollbild},
    {&TFGraf::c_integral, &Steuerzustand::c_integral, u"Интеграл AB", rechts, 12, 334, 93, 17, vollbild},
    {&TFGraf::c_wertetabelle, &Steuerzustand::c_wertetabelle, u"Таблица значений в списке", rechts, 20, 463, 181, 17, vollbild},
    {&TFGraf::c_ergebnisliste, &Steuerzustand::c_ergebnisliste, u"Список результатов", rechts, 40, 574, 153, 17, memo},
    {&TFGraf::c_f1, &Steuerzustand::c_f1, u"f1(x) =", unten, 12, 16, 65, 17, neuliste},
    {&TFGraf::c_f2, &Steuerzustand::c_f2, u"f2(x) =", unten, 12, 48, 65, 17, neuliste},
    {&TFGraf::c_f3, &Steuerzustand::c_f3, u"f3(x) =", unten, 384, 16, 65, 17, neuliste},
    {&TFGraf::c_f4, &Steuerzustand::c_f4, u"f4(x) =", unten, 384, 48, 65, 17, neuliste},
};

struct Beschriftung {
  QLabel* TFGraf::*element;
  const char16_t* text;
  int x, y, b, h;
  std::u16string Steuerzustand::*wert;  // the control state a value label shows
};

// Labels of the options area; `Label12` of the view strip is placed on its own.
const Beschriftung beschriftungen[] = {
    {&TFGraf::Label2, u"Ширина кривой", 24, 16, 92, 13, nullptr},
    {&TFGraf::Label1, u"Домен", 16, 140, 36, 13, nullptr},
    {&TFGraf::Label3, u"< x <", 112, 140, 33, 13, nullptr},
    {&TFGraf::Label8, u"Параметр P = ", 16, 176, 83, 13, nullptr},
    {&TFGraf::Label4, u"Параметр Q = ", 16, 200, 85, 13, nullptr},
    {&TFGraf::Label11, u";       )", 145, 250, 38, 13, &Steuerzustand::Label11},
    {&TFGraf::Label10, u";       )", 145, 274, 38, 13, &Steuerzustand::Label10},
    {&TFGraf::Label13, u"= ", 104, 335, 13, 13, &Steuerzustand::Label13},
    {&TFGraf::Label14, u"Поверхность AB", 6, 354, 95, 13, nullptr},
    {&TFGraf::Label15, u"= ", 104, 355, 13, 13, &Steuerzustand::Label15},
    {&TFGraf::Label9, u"от           до", 20, 439, 71, 13, nullptr},
    {&TFGraf::Label16, u"Δ", 138, 437, 8, 16, nullptr},
};

constexpr int rechtsbreite = 220;  // the right panel

// A value label is as wide as its text, as the designed size was only the size of
// the design-time caption. A value that would pass the panel's edge moves left
// just as far as it must; value labels let clicks through to what they cover.
void wertzeigen(QLabel* l, const QString& text, int x) {
  l->setText(text);
  const int b = l->fontMetrics().horizontalAdvance(text);
  l->setGeometry(std::max(0, std::min(x, rechtsbreite - b)), l->y(), b, l->height());
  l->raise();
}

// A caption with a run of blanks holds edit fields in its gaps: its blanks widen
// so that it spans its designed width whatever the font.
void lueckenspannen(QLabel* l, int breite) {
  const auto luecken = l->text().split(QRegularExpression(QStringLiteral(" {2,}"))).size() - 1;
  if (luecken == 0) return;
  QFont f = l->font();
  f.setWordSpacing(qreal(breite - l->fontMetrics().horizontalAdvance(l->text())) / qreal(luecken));
  l->setFont(f);
}

struct Ansichtsknopf {
  QToolButton* TFGraf::*element;
  Bild bild;
  int x, y;
  void (TFGraf::*klick)();
  const char16_t* hinweis;
};

const Ansichtsknopf ansichtsknoepfe[] = {
    {&TFGraf::slinks, Bild::links, 18, 33, &TFGraf::slinksClick, u"Сдвинуть график влево"},
    {&TFGraf::shoch, Bild::hoch, 40, 24, &TFGraf::shochClick, u"Сдвинуть график вверх"},
    {&TFGraf::srunter, Bild::runter, 40, 46, &TFGraf::srunterClick, u"Сдвинуть график вниз"},
    {&TFGraf::srechts, Bild::rechts, 62, 33, &TFGraf::srechtsClick, u"Сдвинуть график вправо"},
    {&TFGraf::sgroesser, Bild::groesser, 96, 33, &TFGraf::sgroesserClick, u"Увеличить масштаб"},
    {&TFGraf::skleiner, Bild::kleiner, 120, 33, &TFGraf::SkleinerClick, u"Уменьшить масштаб"},
    {&TFGraf::sgrundeinstellung, Bild::grund, 144, 33, &TFGraf::SgrundClick,
     u"Стандартный вид: x от -6 до 6 (Space)"},
};

struct Spinner {
  UpDown* TFGraf::*element;
  int x, y, b, h;
  void (TFGraf::*schritt)(bool);
};

const Spinner spinner[] = {
    {&TFGraf::UpDown2, 148, 169, 17, 24, &TFGraf::UpDown2ChangingEx},
    {&TFGraf::UpDown5, 148, 193, 17, 24, &TFGraf::UpDown5ChangingEx},
    {&TFGraf::UpDown3, 125, 245, 17, 24, &TFGraf::UpDown3ChangingEx},
    {&TFGraf::UpDown4, 125, 269, 17, 24, &TFGraf::UpDown4ChangingEx},
};

struct Wahl {
  QRadioButton* TFGraf::*element;
  const char16_t* text;
  bool Steuerzustand::*zustand;
  int y, b;
};

const Wahl wahlen[] = {
    {&TFGraf::rb_punkta, u"Точка A", &Steuerzustand::rb_punkta, 380, 81},
    {&TFGraf::rb_punktB, u"Точка B", &Steuerzustand::rb_punktB, 396, 81},
    {&TFGraf::rb_parameter, u"Параметр", &Steuerzustand::rb_parameter, 412, 113},
};

// A menu item: a setting with its check mark in the control state, a command,
// or a separator (no caption).
struct Eintrag {
  QAction* TFGraf::*element;
  const char16_t* text;
  bool Steuerzustand::*einstellung;
  void (TFGraf::*befehl)();
};

const Eintrag grafikmenue[] = {
    {&TFGraf::Vektorgrafikkopieren1, u"Kопия графика", nullptr, &TFGraf::alsWMFkopieren1Click},
    {&TFGraf::Vektorgrafikdrucken1, u"Печать графики", nullptr, &TFGraf::GrafikdruckenClick},
    {&TFGraf::Speichern1, u"Сохранить изображение", nullptr, &TFGraf::Speichern1Click},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::M1, u"Список копия", nullptr, &TFGraf::ListekopierenClick},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::Blattoeffnen1, u"Открыть набор...", nullptr, &TFGraf::BlattoeffnenClick},
    {&TFGraf::Blattspeichern1, u"Сохранить набор...", nullptr, &TFGraf::BlattspeichernClick},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::Letzteroeffnen1, u"Открыть последний набор", nullptr, &TFGraf::LetzteroeffnenClick},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::Drucken1, u"Печать…", nullptr, &TFGraf::DruckenClick},
};

const Eintrag systemmenue[] = {
    {&TFGraf::MAchsen1, u"Нарисуйте оси", &Steuerzustand::MAchsen1, nullptr},
    {&TFGraf::MAchsen21, u"Выделите оси", &Steuerzustand::MAchsen21, nullptr},
    {&TFGraf::M_rahmen, u"Координатная рамка", &Steuerzustand::M_rahmen, nullptr},
    {&TFGraf::M_winkel, u"Градусы по оси абсцисс", &Steuerzustand::M_winkel, nullptr},
    {&TFGraf::M_bogen, u"Радианы по оси абсцисс", &Steuerzustand::M_bogen, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::m_raster, u"Cетка", &Steuerzustand::m_raster, nullptr},
    {&TFGraf::m_mmraster, u"mm-Cетка", &Steuerzustand::m_mmraster, nullptr},
    {&TFGraf::m_terme, u"Показать термин функция", &Steuerzustand::m_terme, nullptr},
    {&TFGraf::m_farbe, u"Цветные графики функций", &Steuerzustand::m_farbe, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::intervallverkleinern, u"Уменьшить область отображения", nullptr, &TFGraf::sgroesserClick},
    {&TFGraf::intervallvergroessern, u"Увеличить область отображения", nullptr, &TFGraf::SkleinerClick},
    {&TFGraf::grundeinstellung, u"Основные настройки", nullptr, &TFGraf::SgrundClick},
    {&TFGraf::aufloesunganpassen, u"Adjust y", nullptr, &TFGraf::S31Click},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::Animation1, u"Aнимация", nullptr, &TFGraf::b_animationClick},
    {&TFGraf::Zeichnen1, u"Рисование", nullptr, &TFGraf::b_zeichnenClick},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::m_asymptoten, u"Асимптоты", &Steuerzustand::m_asymptoten, nullptr},
};

const Eintrag sondermenue[] = {
    {&TFGraf::spiegelungxachse, u"f1(-x) , Отражение на оси у", &Steuerzustand::spiegelungxachse, nullptr},
    {&TFGraf::spiegelungursprung, u"-f1(-x) , Размышления о происхождении", &Steuerzustand::spiegelungursprung, nullptr},
    {&TFGraf::spiegelungyachse, u"-f1(x) , Отражение на оси x", &Steuerzustand::spiegelungyachse, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::verschiebungxachse, u"f1(x+p) , Смещение по оси x", &Steuerzustand::verschiebungxachse, nullptr},
    {&TFGraf::streckungxachse, u"f1(p*x) , Растяжение вдоль оси x", &Steuerzustand::streckungxachse, nullptr},
    {&TFGraf::verschiebungyachse, u"f1(x)+p , Смещение по оси у", &Steuerzustand::verschiebungyachse, nullptr},
    {&TFGraf::streckungyachse, u"p*f1(x) , Растяжение вдоль оси у", &Steuerzustand::streckungyachse, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::nacheinanderausfuehrung, u"f1(f1(x)) , Последовательное выполнение", &Steuerzustand::nacheinanderausfuehrung, nullptr},
    {&TFGraf::funktionsaddition, u"f1(x)+f2(x) , Добавление значений функции", &Steuerzustand::funktionsaddition, nullptr},
    {&TFGraf::funktionssubtraktion1, u"f1(x)-f2(x) , Вычитание значений функции", &Steuerzustand::funktionssubtraktion1, nullptr},
    {&TFGraf::funktionsmultiplikation, u"f1(x)*f2(x) , Умножение значений функции", &Steuerzustand::funktionsmultiplikation, nullptr},
    {&TFGraf::funktionsdivision1, u"f1(x)/f2(x) , Разделение значений функции", &Steuerzustand::funktionsdivision1, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::Umkehrkurvezuf1x1, u"Обратная кривая f1(х), Отражение на y=x", &Steuerzustand::Umkehrkurvezuf1x1, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
    {&TFGraf::c_untersuchung, u"Исследование функции", &Steuerzustand::c_untersuchung, nullptr},
};

// The menu shortcuts; they act before the focused control sees the key.
struct Kurzwahl {
  QAction* TFGraf::*element;
  QList<QKeySequence> tasten;
};

const Kurzwahl kurzwahlen[] = {
    {&TFGraf::M02, {QKeySequence(Qt::Key_Escape)}},
    {&TFGraf::grundeinstellung, {QKeySequence(Qt::Key_Space)}},
    {&TFGraf::Animation1, {QKeySequence(Qt::Key_F2)}},
    // The first key is the one the menu shows.
    {&TFGraf::Zeichnen1, {QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)}},
    {&TFGraf::Blattoeffnen1, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
    {&TFGraf::Blattspeichern1, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
    {&TFGraf::Drucken1, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
};

bool istkurzwahltaste(const QKeyEvent* k) {
  const auto mod = k->modifiers() & ~Qt::KeypadModifier;
  if (mod != Qt::NoModifier) return false;
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_F2:
      return true;
    default:
      return false;
  }
}

// Edit fields claim Space (and other keys) for themselves through the shortcut
// override; taking that event away from them for the four shortcut keys lets
// the main window's menu act first, wherever the focus is in that window.
class Tastenfilter : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::ShortcutOverride) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !qobject_cast<TFGraf*>(w->window())) return false;
    if (!istkurzwahltaste(static_cast<QKeyEvent*>(e))) return false;
    e->ignore();
    return true;
  }
};

}  // namespace

void tastenfilteranbringen() {
  static Tastenfilter filter;
  qApp->installEventFilter(&filter);
}

TFGraf::TFGraf() {
  setWindowTitle(titel);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMaximizeButtonHint);
  setFont(verdana(13));
  steuerelementeanlegen();
  menuesanlegen();
  verlauf = new Verlaufsfuehrung(this);
  statuszeile = new Statuszeile(this);
  sitzungeinrichten();

  // FormCreate: the result list and the rewrite table start empty.
  ergebnisliste.clear();
  ersetzungsliste.clear();
  Mergebnis->setLineWrapMode(QPlainTextEdit::NoWrap);

  Timer1.setInterval(25);
  Timer1.setTimerType(Qt::PreciseTimer);
  connect(&Timer1, &QTimer::timeout, this, &TFGraf::Timer1Timer);

  resize(1050, 686 + menuBar()->sizeHint().height());
  setAcceptDrops(true);
}

TFGraf::~TFGraf() = default;

void TFGraf::steuerelementeanlegen() {
  flaechenanlegen();
  ansichtsleisteanlegen();
  felderanlegen();
  kaestenanlegen();
  beschriftungenanlegen();
  spinneranlegen();
  animationanlegen();
  knoepfeanlegen();
}

// The client area: its regions, the result memo and the drawing.
void TFGraf::flaechenanlegen() {
  Panel1 = new Flaeche(this);
  Panel1->setAutoFillBackground(true);
  {
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(pal);
  }
  setCentralWidget(Panel1);

  const QColor grau(240, 240, 240);
  rechtspanel = region(Panel1, grau, verdana(11));
  ansichtsleiste = region(rechtspanel, grau, verdana(12));
  {
    QPalette pal = ansichtsleiste->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    ansichtsleiste->setPalette(pal);
  }
  optionen = region(rechtspanel, grau, verdana(11));
  zeichenbereich = region(Panel1, Qt::white, verdana(13));
  termpanel = region(zeichenbereich, grau, verdana(13));

  Mergebnis = new QPlainTextEdit(zeichenbereich);
  Mergebnis->setFont(verdana(11));
  Mergebnis->hide();

  PaintBox1 = new TPaintBox(zeichenbereich);
  PaintBox1->OnPaint = [this] { PaintBox1Paint(); };
  PaintBox1->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { PaintBox1MouseDown(b, x, y); };
  PaintBox1->OnMouseMove = [this](int x, int y) { PaintBox1MouseMove(x, y); };
  PaintBox1->OnMouseUp = [this](int x, int y) { PaintBox1MouseUp(x, y); };
  PaintBox1->OnMouseWheel = [this](int x, int y, int raster) { PaintBox1MouseWheel(x, y, raster); };
}

// The view bar: its caption and the picture buttons.
void TFGraf::ansichtsleisteanlegen() {
  Label12 = new QLabel(QStringLiteral("Система координат"), ansichtsleiste);
  Label12->setGeometry(16, 8, 128, 14);
  for (const auto& k : ansichtsknoepfe) {
    auto* b = new QToolButton(ansichtsleiste);
    b->setAutoRaise(true);
    b->setIcon(bildsymbol(k.bild));
    b->setIconSize(QSize(16, 16));
    b->setGeometry(k.x, k.y, 23, 22);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(QString::fromUtf16(k.hinweis));
    connect(b, &QToolButton::clicked, this, k.klick);
    this->*k.element = b;
  }
}

// The edit fields of the options and the term panel, bound to the control state.
void TFGraf::felderanlegen() {
  for (const auto& f : felder) {
    auto* e = new QLineEdit(f.ort == rechts ? optionen : termpanel);
    e->setMaxLength(feldlaenge + 1);
    e->setValidator(new Grossschrift(e));
    e->setText(qtext(steuer.*f.zustand));
    e->setGeometry(f.x, f.y, f.b, f.h);
    auto zustand = f.zustand;
    connect(e, &QLineEdit::textChanged, this,
            [zustand](const QString& t) { steuer.*zustand = t.toStdU16String(); });
    this->*f.element = e;
  }
  connect(ed_breite, &QLineEdit::textChanged, this, &TFGraf::TB1Change);
}

// The check boxes; a click sets the state and runs the box's handler.
void TFGraf::kaestenanlegen() {
  for (const auto& k : kaesten) {
    auto* c = new Umbruchkasten(QString::fromUtf16(k.text), k.ort == rechts ? optionen : termpanel);
    c->setChecked(steuer.*k.zustand);
    c->setGeometry(k.x, k.y, k.b, k.h);
    auto zustand = k.zustand;
    auto klick = k.klick;
    connect(c, &QCheckBox::clicked, this, [this, zustand, klick](bool an) {
      steuer.*zustand = an;
      if (klick == vollbild) PaintBox1Paint();
      else if (klick == neuliste) b_zeichnenClick();
      else Bergebnis();
    });
    // Changes made by the program itself keep the state in step too.
    connect(c, &QCheckBox::toggled, this, [zustand](bool an) { steuer.*zustand = an; });
    this->*k.element = c;
  }
  c_f1->setFont(verdana(13));
  c_ergebnisliste->setFont(verdana(12));
  for (const auto& k : kaesten) hoeheanpassen(this->*k.element);
}

// The captions of the options and the labels the plot pass writes.
void TFGraf::beschriftungenanlegen() {
  for (const auto& l : beschriftungen) {
    auto* lb = new QLabel(QString::fromUtf16(l.text), optionen);
    lb->setGeometry(l.x, l.y, l.b, l.h);
    this->*l.element = lb;
  }
  Label16->setFont(verdana(13));  // a capital delta
  for (const auto& l : beschriftungen) {
    QLabel* lb = this->*l.element;
    if (l.wert) {
      lb->setAttribute(Qt::WA_TransparentForMouseEvents);
      wertzeigen(lb, lb->text(), l.x);
    } else {
      // Fixed captions keep their designed width unless the font needs more.
      lueckenspannen(lb, l.b);
      lb->resize(std::max(l.b, lb->fontMetrics().horizontalAdvance(lb->text())), l.h);
    }
  }
  // Bound labels are written by the plot pass; they must not hide the fields.
  Label9->lower();
}

// The pen-width spinner and the spinners of P, A and B.
void TFGraf::spinneranlegen() {
  UpDown1 = new UpDown(optionen);
  UpDown1->setGeometry(158, 10, 16, 21);
  UpDown1->OnChangingEx = [this](bool nachoben) {
    const int pos = std::clamp(steuer.UpDown1 + (nachoben ? 1 : -1), 1, 6);
    ed_breite->setText(QString::number(pos));
  };
  for (const auto& s : spinner) {
    auto* u = new UpDown(optionen);
    u->setGeometry(s.x, s.y, s.b, s.h);
    auto schritt = s.schritt;
    u->OnChangingEx = [this, schritt](bool nachoben) { (this->*schritt)(nachoben); };
    this->*s.element = u;
  }
  // Keys and the wheel in the fields of P, Q, A and B step them as their spinners do.
  for (const auto& [feld, knopf] :
       {std::pair{ed_parameter, UpDown2}, {ed_q, UpDown5}, {ed_A, UpDown3}, {ed_B, UpDown4}})
    knopf->feldsteuern(feld);
}

// The animation's button and the choice of what it moves.
void TFGraf::animationanlegen() {
  b_animation = new QPushButton(QStringLiteral("Aнимация"), optionen);
  b_animation->setGeometry(14, 394, 80, 25);
  connect(b_animation, &QPushButton::clicked, this, &TFGraf::b_animationClick);

  for (const auto& w : wahlen) {
    auto* r = new QRadioButton(QString::fromUtf16(w.text), optionen);
    r->setChecked(steuer.*w.zustand);
    r->setGeometry(104, w.y, w.b, 17);
    auto zustand = w.zustand;
    connect(r, &QRadioButton::toggled, this, [zustand](bool an) { steuer.*zustand = an; });
    this->*w.element = r;
  }
}

// The button that draws and the derivative buttons of the term panel.
void TFGraf::knoepfeanlegen() {
  b_zeichnen = new QPushButton(QStringLiteral("Представление"), optionen);
  b_zeichnen->setGeometry(34, 543, 159, 25);
  b_zeichnen->setFont(verdana(13));
  connect(b_zeichnen, &QPushButton::clicked, this, &TFGraf::b_zeichnenClick);

  button_fstrich = new QPushButton(QStringLiteral("f1'(x)"), termpanel);
  button_fstrich->setGeometry(752, 10, 48, 25);
  connect(button_fstrich, &QPushButton::clicked, this, &TFGraf::button_fstrichClick);
  button_f2strich = new QPushButton(QStringLiteral("f1\"(x)"), termpanel);
  button_f2strich->setGeometry(752, 42, 48, 25);
  connect(button_f2strich, &QPushButton::clicked, this, &TFGraf::button_f2strichClick);

  button_fstrich->setToolTip(QStringLiteral("Производная f1(x) в поле f3(x)"));
  button_f2strich->setToolTip(QStringLiteral("Вторая производная f1(x) в поле f4(x)"));
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, ed_breite, UpDown1})
    w->setToolTip(QStringLiteral("Толщина линий графиков в пикселях, от 1 до 6"));
}

void TFGraf::menuesanlegen() {
  QMenuBar* leiste = menuBar();
  auto menue = [this](QMenu* m, const auto& eintraege) {
    for (const Eintrag& e : eintraege) {
      if (!e.element) {
        m->addSeparator();
        continue;
      }
      QAction* a = m->addAction(QString::fromUtf16(e.text));
      this->*e.element = a;
      if (e.einstellung) {
        a->setCheckable(true);
        a->setChecked(steuer.*e.einstellung);
        connect(a, &QAction::triggered, this, [this, a] { Menueinstellungen(a); });
      } else {
        connect(a, &QAction::triggered, this, e.befehl);
      }
    }
  };

  M02 = leiste->addAction(QStringLiteral("Выход"));
  connect(M02, &QAction::triggered, this, &TFGraf::SEndeClick);
  Bearbeiten1 = leiste->addMenu(QStringLiteral("Графика"));
  menue(Bearbeiten1, grafikmenue);
  M1->setEnabled(false);
  M_ksystem = leiste->addMenu(QStringLiteral("Система координат"));
  menue(M_ksystem, systemmenue);
  M2 = leiste->addMenu(QStringLiteral("Специальные функции"));
  menue(M2, sondermenue);
  About1 = leiste->addAction(QStringLiteral("Около ..."));
  connect(About1, &QAction::triggered, this, &TFGraf::About1Click);

  for (const auto& k : kurzwahlen) (this->*k.element)->setShortcuts(k.tasten);
  termhilfeanbringen(*this);
}

// Which setting of the control state a menu item carries.
static bool Steuerzustand::*einstellungvon(const TFGraf* f, const QAction* item) {
  for (const Eintrag& e : systemmenue)
    if (e.einstellung && f->*e.element == item) return e.einstellung;
  for (const Eintrag& e : sondermenue)
    if (e.einstellung && f->*e.element == item) return e.einstellung;
  return nullptr;
}

void TFGraf::Menueinstellungen(QAction* item) {
  // A triggered checkable item has flipped its mark already; a direct call flips it here.
  auto einstellung = einstellungvon(this, item);
  if (!einstellung) return;
  if (steuer.*einstellung == item->isChecked()) item->setChecked(!item->isChecked());
  steuer.*einstellung = item->isChecked();
  PaintBox1Paint();
}

void TFGraf::anordnen() {
  const int b = Panel1->width(), h = Panel1->height();
  const int links = std::max(0, b - rechtsbreite);
  rechtspanel->setGeometry(links, 0, rechtsbreite, h);
  ansichtsleiste->setGeometry(0, 0, rechtsbreite, 70);
  optionen->setGeometry(0, 70, rechtsbreite, std::max(0, h - 70));
  zeichenbereich->setGeometry(0, 0, links, h);
  const int oben = std::max(0, h - 89);
  termpanel->setGeometry(0, oben, links, 89);
  int memo = 0;
  if (!Mergebnis->isHidden()) {
    memo = std::min(240, links);
    Mergebnis->setGeometry(0, 0, memo, oben);
  }
  PaintBox1->setGeometry(memo, 0, links - memo, oben);
  steuer.PaintBox1_width = PaintBox1->width();
  steuer.PaintBox1_height = PaintBox1->height();
  steuer.Mergebnis_clientheight = Mergebnis->contentsRect().height();
}

void TFGraf::neuzeichnen() {
  aufdenschirm([](Canvas& leinwand) { ::neuzeichnen(leinwand); });
}

void TFGraf::PaintBox1Paint() {
  aufdenschirm([this](Canvas& leinwand) { ::PaintBox1Paint(leinwand, [this] { memofuellen(); }); });
}

void TFGraf::aufdenschirm(const std::function<void(Canvas&)>& malen) {
  PaintBox1->bildanpassen();
  steuer.PaintBox1_width = PaintBox1->width();
  steuer.PaintBox1_height = PaintBox1->height();
  {
    QtCanvas leinwand(PaintBox1->bild);
    malen(leinwand);
  }
  ausgabenzeigen();
  PaintBox1->zeigen();
  titelsetzen();
}

void TFGraf::ausgabenzeigen() {
  for (const auto& l : beschriftungen)
    if (l.wert) wertzeigen(this->*l.element, qtext(steuer.*l.wert), l.x);
  rollbalkensetzen();
}

void TFGraf::rollbalkensetzen() {
  Mergebnis->setVerticalScrollBarPolicy(steuer.Mergebnis_scrollbar ? Qt::ScrollBarAlwaysOn
                                                                   : Qt::ScrollBarAlwaysOff);
}

// Refills the memo from `ergebnisliste`. With as many lines as before (an
// animation refills it at every tick) the reader keeps his place in it; a list
// of another length starts at the top. The scroll bar of this pass comes first,
// so the place is kept within the range the memo ends with.
void TFGraf::memofuellen() {
  rollbalkensetzen();
  const bool gleichlang = memozeilen == ergebnisliste.size();
  QScrollBar* senkrecht = Mergebnis->verticalScrollBar();
  QScrollBar* waagrecht = Mergebnis->horizontalScrollBar();
  const int oben = senkrecht->value(), links = waagrecht->value();
  memozeilen = ergebnisliste.size();
  QStringList zeilen;
  for (const auto& z : ergebnisliste) zeilen << qtext(z);
  Mergebnis->setPlainText(zeilen.join(QLatin1Char('\n')));
  if (!gleichlang) return;
  senkrecht->setValue(oben);
  waagrecht->setValue(links);
}

void TFGraf::b_zeichnenClick() {
  funktionslistefuellen();
  termfelderzeigen(*this);
  PaintBox1Paint();
}

namespace {

// A derivative too long for the field leaves the field as it was.
void ableitungeintragen(QLineEdit* feld, const std::u16string& ableitung) {
  if (static_cast<qsizetype>(ableitung.size()) < feld->maxLength())
    feld->setText(qtext(ableitung));
  else
    zulanghinweis(feld);
}

}  // namespace

void TFGraf::button_fstrichClick() {
  termfelderuebernehmen();  // the derivative of the term as rewritten
  ableitungeintragen(ed_f3, ableitungsterm(steuer.ed_f1));
  b_zeichnenClick();
}

void TFGraf::button_f2strichClick() {
  termfelderuebernehmen();
  ableitungeintragen(ed_f4, ableitungsterm(ableitungsterm(steuer.ed_f1)));
  b_zeichnenClick();
}

void TFGraf::TB1Change() {
  // The spinner's position follows a typed width within its range.
  bool zahl = false;
  const int n = ed_breite->text().trimmed().toInt(&zahl);
  if (zahl) steuer.UpDown1 = std::clamp(n, 1, 6);
  neuzeichnen();
}

void TFGraf::memosetzen(bool sichtbar) {
  Mergebnis->setVisible(sichtbar);
  steuer.Mergebnis_visible = sichtbar;
  M1->setEnabled(sichtbar);
  anordnen();
}

void TFGraf::Bergebnis() {
  const bool sichtbar = Mergebnis->isHidden();
  memosetzen(sichtbar);
  yausx();
  if (sichtbar) memofuellen();
  // The new size of the paint box makes it repaint itself in full.
}

void TFGraf::ListekopierenClick() {
  Mergebnis->selectAll();
  Mergebnis->copy();
}

void TFGraf::SEndeClick() { close(); }

void TFGraf::About1Click() {
  auto* fenster = new TF35(this);
  vomeigenenfenster = true;
  fenster->exec();
  fenster->deleteLater();
  // Not every platform hands the activation back to the owner by itself.
  activateWindow();
}

void TFGraf::FormShow() {
  ersetzungslisteladen();
}

void TFGraf::FormActivate() {
  ziehmodus = 0;
  rahmenaktiv = false;
  schiebeaktiv = false;
  xmin = -6;
  xmax = 6;
  yausx();
  // A worksheet named at the start comes after the standard view and brings its own.
  if (const QString blatt = std::exchange(vorgemerkt, QString()); !blatt.isEmpty()) {
    const QString fehler = blattoeffnen(blatt);
    if (fehler.isEmpty()) return;
    blattfehlerzeigen(fehler);
  }
  b_zeichnenClick();
}

void TFGraf::zustandzeigen() {
  for (const auto& f : felder) {
    const QSignalBlocker stumm(this->*f.element);
    (this->*f.element)->setText(qtext(steuer.*f.zustand));
  }
  for (const auto& k : kaesten) {
    const QSignalBlocker stumm(this->*k.element);
    (this->*k.element)->setChecked(steuer.*k.zustand);
  }
  // The selected one unselects the others of the group.
  for (const auto& w : wahlen) {
    const QSignalBlocker stumm(this->*w.element);
    if (steuer.*w.zustand) (this->*w.element)->setChecked(true);
  }
  const auto haken = [this](const auto& menue) {
    for (const Eintrag& e : menue)
      if (e.einstellung) (this->*e.element)->setChecked(steuer.*e.einstellung);
  };
  haken(systemmenue);
  haken(sondermenue);
  if (Mergebnis->isHidden() == steuer.Mergebnis_visible) memosetzen(steuer.Mergebnis_visible);
}

void TFGraf::FormResize() {
  if (gezeigt) yausx();
}

void TFGraf::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (gezeigt) return;
  gezeigt = true;
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  FormShow();
  ed_f1->setFocus();  // a pupil's first keystrokes go into the first term
  activateWindow();
}

void TFGraf::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  // Coming back from another application keeps the view; the first activation
  // and the return from a window of this program reset it.
  if (aktiviert && !vomeigenenfenster) return;
  aktiviert = true;
  vomeigenenfenster = false;
  FormActivate();
}

void TFGraf::closeEvent(QCloseEvent* e) {
  Timer1.stop();
  // The program still ends at once; a failure to keep the state is only told.
  if (const QString fehler = letztenstandbehalten(); !fehler.isEmpty()) qWarning("%s", qPrintable(fehler));
  QMainWindow::closeEvent(e);
}

namespace {

// Edit fields are named by the caption before them (the term fields by their check box).
const std::pair<std::u16string Steuerzustand::*, const char16_t*> feldbeschriftungen[] = {
    {&Steuerzustand::ed_f1, u"f1(x) ="}, {&Steuerzustand::ed_f2, u"f2(x) ="},
    {&Steuerzustand::ed_f3, u"f3(x) ="}, {&Steuerzustand::ed_f4, u"f4(x) ="},
    {&Steuerzustand::ed_xvon, u"Домен, от"}, {&Steuerzustand::ed_xbis, u"Домен, до"},
    {&Steuerzustand::ed_parameter, u"Параметр P ="}, {&Steuerzustand::ed_q, u"Параметр Q ="},
    {&Steuerzustand::ed_schardiff, u"Семейство функции d ="}, {&Steuerzustand::ed_A, u"Точка A ("},
    {&Steuerzustand::ed_B, u"Tочка B ("}, {&Steuerzustand::ed_von, u"Анимация: от"},
    {&Steuerzustand::ed_bis, u"Анимация: до"}, {&Steuerzustand::ed_delta, u"Анимация: шаг Δ"},
    {&Steuerzustand::ed_breite, u"Ширина кривой"},
};

struct Beschrifter {
  std::u16string operator()(std::u16string Steuerzustand::*z) const {
    for (const auto& [feld, text] : feldbeschriftungen)
      if (feld == z) return text;
    return {};
  }
  std::u16string operator()(bool Steuerzustand::*z) const {
    for (const Kasten& k : kaesten)
      if (k.zustand == z) return k.text;
    for (const Wahl& w : wahlen)
      if (w.zustand == z) return w.text;
    for (const Eintrag& e : systemmenue)
      if (e.einstellung == z) return e.text;
    for (const Eintrag& e : sondermenue)
      if (e.einstellung == z) return e.text;
    return z == &Steuerzustand::Mergebnis_visible ? u"Список результатов (показан)" : u"";
  }
  std::u16string operator()(int Steuerzustand::*z) const {
    return z == &Steuerzustand::UpDown1 ? u"Ширина кривой (счётчик)" : u"";
  }
};

}  // namespace

std::u16string beschriftungvon(const std::variant<std::u16string Steuerzustand::*, bool Steuerzustand::*,
                                                   int Steuerzustand::*>& feld) {
  return std::visit(Beschrifter{}, feld);
}
