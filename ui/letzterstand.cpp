#include "letzterstand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "bildexport.h"
#include "blattdatei.h"
#include "dateischreiben.h"
#include "programm.h"

namespace {

QString zuletztpfad() { return zustandsordner() + QStringLiteral("/zuletzt.txt"); }

QString ordneranlegen() {
  const QString ordner = zustandsordner();
  if (QDir().mkpath(ordner)) return {};
  return QStringLiteral("Папка «%1» не создана.").arg(ordner);
}

}  // namespace

QString zustandsordner() {
  QString basis = qEnvironmentVariable("XDG_STATE_HOME");
  // A relative XDG folder is not to be trusted: the home fallback then holds.
  if (basis.isEmpty() || QDir::isRelativePath(basis)) basis = QDir::homePath() + QStringLiteral("/.local/state");
  return basis + QLatin1Char('/') + QLatin1String(programmname);
}

QString letzterstandpfad() {
  return zustandsordner() + QStringLiteral("/letzter.") + blattendungtext();
}

QString zustandbehalten(const Steuerzustand& zustand, const Sicht& sicht) {
  if (QString fehler = ordneranlegen(); !fehler.isEmpty()) return fehler;
  return blattsichern(letzterstandpfad(), zustand, sicht);
}

QStringList zuletztlesen() {
  QFile datei(zuletztpfad());
  if (!datei.open(QIODevice::ReadOnly)) return {};
  // A list is a few short lines; more than that is not one of ours.
  QStringList liste = QString::fromUtf8(datei.read(64 * 1024)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  liste.removeDuplicates();
  return liste.mid(0, zuletztzahl);
}

QStringList zuletztvormerken(const QString& pfad) {
  QStringList liste = zuletztlesen();
  const QString absolut = QFileInfo(pfad).absoluteFilePath();
  liste.removeAll(absolut);
  liste.prepend(absolut);
  liste = liste.mid(0, zuletztzahl);
  // The list is a convenience: a failed write leaves the old one and says nothing.
  if (ordneranlegen().isEmpty()) {
    const QByteArray text = liste.join(QLatin1Char('\n')).toUtf8() + '\n';
    dateischreiben(zuletztpfad(), [&](QIODevice& datei, QString&) { return datei.write(text) == text.size(); });
  }
  return liste;
}
