#include "plattform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTranslator>

namespace {

// Stand-ins for the designed fonts, from Debian's metric-compatible fonts.
// Liberation Sans has the widths of the common Windows sans serif, which the
// designed "MS Sans Serif" shares, and it is narrow enough that every caption
// of the main window fits the width designed for Verdana, with Cyrillic.
struct Ersatz {
  const char* familie;
  const char* fuer;
};
const Ersatz ersatzschriften[] = {
    {"Verdana", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
};

// Keeps the key names of shortcuts untranslated; it is asked before the Russian
// catalogue, which would name Space "Пробел".
class Tastennamen : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* kontext, const char* quelle, const char*, int) const override {
    return qstrcmp(kontext, "QShortcut") == 0 ? QString::fromUtf8(quelle) : QString();
  }
};

}  // namespace

QFont schrift(const QString& familie, int pixel) {
  QStringList familien{familie};
  for (const Ersatz& e : ersatzschriften)
    if (familie == QLatin1String(e.familie)) familien << QString::fromLatin1(e.fuer);
  QFont f;
  f.setFamilies(familien);
  f.setPixelSize(pixel);
  return f;
}

int beschriftungsraum(const QAbstractButton* knopf) {
  QStyleOptionButton o;
  o.initFrom(knopf);
  const QStyle* s = knopf->style();
  const auto mass = [&](QStyle::PixelMetric m) { return s->pixelMetric(m, &o, knopf); };
  if (qobject_cast<const QCheckBox*>(knopf))
    return knopf->width() - mass(QStyle::PM_IndicatorWidth) - mass(QStyle::PM_CheckBoxLabelSpacing);
  if (qobject_cast<const QRadioButton*>(knopf))
    return knopf->width() - mass(QStyle::PM_ExclusiveIndicatorWidth) -
           mass(QStyle::PM_RadioButtonLabelSpacing);
  return knopf->width() - 2 * mass(QStyle::PM_ButtonMargin);
}

QString umbrechen(const QString& text, const QFontMetrics& metrik, int breite) {
  if (metrik.horizontalAdvance(text) <= breite) return text;
  QStringList zeilen;
  QString zeile;
  for (const QString& wort : text.split(QLatin1Char(' '))) {
    const QString laenger = zeile.isEmpty() ? wort : zeile + QLatin1Char(' ') + wort;
    if (!zeile.isEmpty() && metrik.horizontalAdvance(laenger) > breite) {
      zeilen << zeile;
      zeile = wort;
    } else {
      zeile = laenger;
    }
  }
  zeilen << zeile;
  return zeilen.join(QLatin1Char('\n'));
}

void qtrussisch() {
  static bool geladen = false;
  if (geladen) return;
  geladen = true;
  static QTranslator qtbase;
  static Tastennamen tastennamen;
  if (qtbase.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtbase);
  QCoreApplication::installTranslator(&tastennamen);
}
