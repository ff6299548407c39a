#include "blattdatei.h"

#include <QFile>

#include "dateischreiben.h"
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

// A worksheet is saved only when it opens again as it was written: within the
// reader's size limit (texts can grow when made capitals), accepted by the reader.
QString wiederlesbar(QIODevice& geschrieben, const std::string& text) {
  if (text.size() > blatthoechstgroesse)
    return QStringLiteral("набор больше 1 МиБ и не открылся бы снова; сократите тексты полей");
  const QByteArray gelesen = geschrieben.read(static_cast<qint64>(blatthoechstgroesse) + 1);
  if (gelesen.toStdString() != text) return QStringLiteral("прочитано не то, что записано");
  Steuerzustand probe;
  std::optional<Sicht> sicht;
  const std::string fehler = blattlesen(text, "", probe, sicht);
  if (!fehler.empty()) return QStringLiteral("набор не открылся бы снова: %1").arg(QString::fromStdString(fehler));
  return {};
}

}  // namespace

QString blattendungtext() {
  return QString::fromUtf8(blattendung.data(), static_cast<qsizetype>(blattendung.size()));
}

QString blattfilter() { return QStringLiteral("Набор функций (*.%1)").arg(blattendungtext()); }

QString blattladen(const QString& pfad, Steuerzustand& ziel, std::optional<Sicht>& sicht) {
  QFile datei;
  if (QString grund = lesendoeffnen(datei, pfad); !grund.isEmpty()) return meldung(pfad, "не открыт", grund + '.');
  // One byte past the limit is enough to tell a file that is too large.
  const QByteArray text = datei.read(static_cast<qint64>(blatthoechstgroesse) + 1);
  if (datei.error() != QFileDevice::NoError) return meldung(pfad, "не прочитан", datei.errorString());
  Steuerzustand neu = ziel;
  const std::string fehler = blattlesen(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                        pfad.toStdString(), neu, sicht);
  if (!fehler.empty()) return QString::fromStdString(fehler);
  grossschreiben(neu);
  ziel = std::move(neu);
  return {};
}

QString blattsichern(const QString& pfad, const Steuerzustand& zustand, const Sicht& sicht) {
  const std::string text = blattschreiben(zustand, sicht);
  return dateischreiben(
      pfad,
      [&](QIODevice& datei, QString&) {
        return datei.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
      },
      [&](QIODevice& geschrieben) { return wiederlesbar(geschrieben, text); });
}
