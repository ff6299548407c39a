#include "dateischreiben.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The system's reasons in the user's language; the rare rest as the system says them.
QString systemgrund(int fehler) {
  static const std::pair<int, const char*> gruende[] = {
      {ENOSPC, "на диске нет места"},
      {EDQUOT, "исчерпана дисковая квота"},
      {EFBIG, "файл превысил допустимый размер"},
      {EACCES, "нет прав доступа"},
      {EPERM, "нет прав доступа"},
      {EROFS, "диск доступен только для чтения"},
      {ENOENT, "папка или файл не существует"},
      {ENOTDIR, "в пути есть файл вместо папки"},
      {ELOOP, "слишком много символических ссылок"},
      {ENAMETOOLONG, "слишком длинное имя"},
      {EIO, "ошибка ввода-вывода"},
  };
  for (const auto& [nummer, text] : gruende)
    if (nummer == fehler) return QString::fromUtf8(text);
  return QString::fromLocal8Bit(std::strerror(fehler));
}

// A device's reason in the user's language: its text is the system's text of
// the error number, or, where the writer lost that, the number left behind.
QString geraetgrund(const QFileDevice& d, int zuletzt) {
  for (int nummer : {ENOSPC, EDQUOT, EFBIG, EACCES, EPERM, EROFS, EIO})
    if (d.errorString() == QString::fromLocal8Bit(std::strerror(nummer))) return systemgrund(nummer);
  return zuletzt != 0 ? systemgrund(zuletzt) : d.errorString();
}

// Why a file of this kind is neither read nor replaced, or empty for a regular file.
QString artgrund(mode_t art) {
  if (S_ISREG(art)) return {};
  if (S_ISDIR(art)) return QStringLiteral("это папка, а не обычный файл");
  if (S_ISFIFO(art)) return QStringLiteral("это именованный канал, а не обычный файл");
  if (S_ISCHR(art) || S_ISBLK(art)) return QStringLiteral("это устройство, а не обычный файл");
  return QStringLiteral("это не обычный файл");
}

// A descriptor that is closed however the write ends.
struct Deskriptor {
  int fd = -1;
  ~Deskriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// The target after its symbolic links, and what is there now.
struct Ziel {
  QString pfad;
  bool vorhanden = false;
  mode_t rechte = 0;
};

QString zielfinden(const QString& name, Ziel& ziel) {
  ziel.pfad = name;
  for (int tiefe = 0; QFileInfo(ziel.pfad).isSymLink(); ++tiefe) {
    if (tiefe == 40) return systemgrund(ELOOP);
    ziel.pfad = QFileInfo(ziel.pfad).symLinkTarget();
  }
  struct stat st {};
  if (::stat(QFile::encodeName(ziel.pfad).constData(), &st) != 0)
    return errno == ENOENT ? QString() : systemgrund(errno);
  ziel.vorhanden = true;
  ziel.rechte = st.st_mode & 0777;
  return artgrund(st.st_mode);
}

// The mode a new file gets: read and write for everyone the umask lets through.
mode_t neuerechte() {
  const mode_t maske = ::umask(0);
  ::umask(maske);
  return 0666 & ~maske;
}

// The temporary file: unnamed where the file system allows it, so that nothing
// is left behind even when the process is killed; else a hidden name beside the target.
struct Zwischendatei {
  Deskriptor d;
  QByteArray name;  // empty while unnamed
  QByteArray ordner;
  ~Zwischendatei() {
    if (!name.isEmpty()) ::unlink(name.constData());
  }
};

QByteArray freiername(const QByteArray& ordner, const QString& ziel) {
  const QByteArray basis = QFile::encodeName(QFileInfo(ziel).fileName());
  return ordner + "/." + basis + "." + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
}

QString anlegen(const Ziel& ziel, Zwischendatei& z) {
  z.ordner = QFile::encodeName(QFileInfo(ziel.pfad).absolutePath());
  z.d.fd = ::open(z.ordner.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  for (int versuch = 0; z.d.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == EEXIST) && versuch < 100;
       ++versuch) {
    z.name = freiername(z.ordner, ziel.pfad);
    z.d.fd = ::open(z.name.constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (z.d.fd < 0) z.name.clear();
  }
  if (z.d.fd < 0) return systemgrund(errno);
  // Best effort: file systems without permissions (a FAT stick) refuse it.
  (void)::fchmod(z.d.fd, ziel.vorhanden ? ziel.rechte : neuerechte());
  return {};
}

// Writes, flushes and syncs; the reason of the first failure, or empty.
QString fuellen(Zwischendatei& z, const Dateiinhalt& inhalt, const Vollstaendigkeit& pruefen) {
  QFile datei;
  if (!datei.open(z.d.fd, QIODevice::ReadWrite, QFileDevice::DontCloseHandle)) return datei.errorString();
  QString fehler;
  errno = 0;
  const bool gut = inhalt(datei, fehler);
  // A short write leaves no device error, only the system's number.
  const int zuletzt = errno;
  const bool geleert = datei.flush();
  // The device's failure is the cause of whatever the writer saw.
  if (datei.error() != QFileDevice::NoError || !geleert) return geraetgrund(datei, errno ? errno : zuletzt);
  if (!gut) return !fehler.isEmpty() ? fehler : zuletzt ? systemgrund(zuletzt) : QStringLiteral("содержимое не создано");
  if (::fsync(z.d.fd) != 0) return systemgrund(errno);
  if (!pruefen) return {};
  if (!datei.seek(0)) return geraetgrund(datei, errno);
  if (const QString unvollstaendig = pruefen(datei); !unvollstaendig.isEmpty())
    return unvollstaendig;
  return {};
}

// The written file takes the target's place in one step.
QString ersetzen(const Ziel& ziel, Zwischendatei& z) {
  if (z.name.isEmpty()) {
    const QByteArray eigen = "/proc/self/fd/" + QByteArray::number(z.d.fd);
    for (int versuch = 0; versuch < 100 && z.name.isEmpty(); ++versuch) {
      z.name = freiername(z.ordner, ziel.pfad);
      if (::linkat(AT_FDCWD, eigen.constData(), AT_FDCWD, z.name.constData(), AT_SYMLINK_FOLLOW) != 0) {
        z.name.clear();
        if (errno != EEXIST) return systemgrund(errno);
      }
    }
  }
  if (::rename(z.name.constData(), QFile::encodeName(ziel.pfad).constData()) != 0) return systemgrund(errno);
  z.name.clear();
  // The new name reaches the disk with the folder.
  Deskriptor ordner{::open(z.ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (ordner.fd >= 0) ::fsync(ordner.fd);
  return {};
}

QByteArray ende(QIODevice& d, qint64 laenge) {
  const qint64 groesse = d.size();
  d.seek(std::max<qint64>(0, groesse - laenge));
  return d.read(laenge);
}

quint32 le32(const QByteArray& b, int o) {
  quint32 n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<quint8>(b[o + i]);
  return n;
}

}  // namespace

QString dateischreiben(const QString& name, const Dateiinhalt& inhalt, const Vollstaendigkeit& pruefen) {
  if (name.isEmpty()) return QStringLiteral("Имя файла не задано.");
  Ziel ziel;
  QString grund = zielfinden(name, ziel);
  Zwischendatei z;
  if (grund.isEmpty()) grund = anlegen(ziel, z);
  if (grund.isEmpty()) grund = fuellen(z, inhalt, pruefen);
  if (grund.isEmpty()) grund = ersetzen(ziel, z);
  if (grund.isEmpty()) return {};
  QString meldung = QStringLiteral("Файл «%1» не записан: %2.").arg(name, grund);
  if (ziel.vorhanden) meldung += QStringLiteral(" Прежний файл не изменён.");
  return meldung;
}

QString pngvollstaendig(QIODevice& d) {
  static const QByteArray schluss("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
  return ende(d, 12) == schluss ? QString() : QStringLiteral("рисунок PNG записан не полностью");
}

// A PDF ends with the offset of its cross-reference table and "%%EOF"; a write
// lost on the way leaves that end missing or the offset pointing elsewhere.
QString pdfvollstaendig(QIODevice& d) {
  static const QRegularExpression schluss(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
  const QRegularExpressionMatch m = schluss.match(QString::fromLatin1(ende(d, 64)));
  if (m.hasMatch() && d.seek(m.captured(1).toLongLong()) && d.read(4) == "xref") return {};
  return QStringLiteral("документ PDF записан не полностью");
}

QString gifvollstaendig(QIODevice& d) {
  return d.read(3) == "GIF" && ende(d, 1) == ";" ? QString() : QStringLiteral("рисунок GIF записан не полностью");
}

QString bmpvollstaendig(QIODevice& d) {
  const QByteArray kopf = d.read(6);
  return kopf.size() == 6 && kopf.startsWith("BM") && le32(kopf, 2) == d.size() ? QString()
                                                                                 : QStringLiteral("рисунок BMP записан не полностью");
}

QString emfvollstaendig(QIODevice& d) {
  const QByteArray kopf = d.read(52);
  constexpr quint32 emr_eof = 14;
  const QByteArray schluss = ende(d, 20);
  return kopf.size() == 52 && le32(kopf, 0) == 1 && le32(kopf, 48) == d.size() && schluss.size() == 20 &&
                 le32(schluss, 0) == emr_eof
             ? QString()
             : QStringLiteral("метафайл записан не полностью");
}

QString svgvollstaendig(QIODevice& d) {
  return ende(d, 64).trimmed().endsWith("</svg>") ? QString() : QStringLiteral("рисунок SVG записан не полностью");
}

QString lesendoeffnen(QFile& datei, const QString& pfad) {
  const QByteArray name = QFile::encodeName(pfad);
  // The kind is asked before opening: opening a device can already do something.
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) return systemgrund(errno);
  if (QString art = artgrund(st.st_mode); !art.isEmpty()) return art;
  // Without waiting, should the name have become a FIFO meanwhile; asked again on the open file.
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return systemgrund(errno);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return artgrund(st.st_mode).isEmpty() ? systemgrund(EIO) : artgrund(st.st_mode);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!datei.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return datei.errorString();
  }
  return {};
}
