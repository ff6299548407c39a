#include "blattdatei.h"

#include <QFile>
#include <QSaveFile>

#include "dateifehler.h"
#include "steuertabelle.h"

namespace {

QString meldung(const QString& pfad, const char* was, const QString& grund) {
  return QStringLiteral("Файл «%1» %2: %3").arg(pfad, QString::fromUtf8(was), grund);
}

void grossschreiben(Steuerzustand& z) {
  for (const Steuerelement& e : steuerelemente())
    if (art(e) == Steuerart::text) {
      std::u16string& text = z.*std::get<Textfeld>(e.feld);
      text = QString::fromStdU16String(text).toUpper().toStdU16String();
    }
}

}  // namespace

QString blattendungtext() {
  return QString::fromUtf8(blattendung.data(), static_cast<qsizetype>(blattendung.size()));
}

QString blattfilter() { return QStringLiteral("Набор функций (*.%1)").arg(blattendungtext()); }

QString blattladen(const QString& pfad, Steuerzustand& ziel, std::optional<Sicht>& sicht) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return meldung(pfad, "не открыт", dateifehler(datei));
  // One byte past the limit is enough to tell a file that is too large.
  const QByteArray text = datei.read(static_cast<qint64>(blatthoechstgroesse) + 1);
  if (datei.error() != QFileDevice::NoError) return meldung(pfad, "не прочитан", dateifehler(datei));
  Steuerzustand neu = ziel;
  const std::string fehler = blattlesen(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                        pfad.toStdString(), neu, sicht);
  if (!fehler.empty()) return QString::fromStdString(fehler);
  grossschreiben(neu);
  ziel = std::move(neu);
  return {};
}

QString blattsichern(const QString& pfad, const Steuerzustand& zustand, const Sicht& sicht) {
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return meldung(pfad, "не сохранён", dateifehler(datei));
  const std::string text = blattschreiben(zustand, sicht);
  const bool geschrieben = datei.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size());
  if (geschrieben && datei.commit()) return {};
  const QString grund = dateifehler(datei);
  datei.cancelWriting();
  return meldung(pfad, "не сохранён", grund);
}
