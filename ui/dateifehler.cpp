#include "dateifehler.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

const std::pair<int, const char*> gruende[] = {
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "исчерпана дисковая квота"},
    {EFBIG, "файл превысил допустимый размер"},
    {EACCES, "нет прав доступа"},
    {EPERM, "нет прав доступа"},
    {EROFS, "диск доступен только для чтения"},
    {ENOENT, "папка или файл не существует"},
    {ENOTDIR, "в пути есть файл вместо папки"},
    {EISDIR, "это папка, а не обычный файл"},
    {ELOOP, "слишком много символических ссылок"},
    {ENAMETOOLONG, "слишком длинное имя"},
    {EMFILE, "открыто слишком много файлов"},
    {EEXIST, "файл уже существует"},
    {EIO, "ошибка ввода-вывода"},
};

}  // namespace

QString dateigrund(int fehlernummer) {
  for (const auto& [nummer, text] : gruende)
    if (nummer == fehlernummer) return QString::fromUtf8(text);
  return QString::fromLocal8Bit(std::strerror(fehlernummer));
}

QString dateifehler(const QFileDevice& datei) {
  // Qt gives the system's text for the error number; the number itself is lost.
  const QString text = datei.errorString();
  for (const auto& [nummer, grund] : gruende)
    if (text.contains(QString::fromLocal8Bit(std::strerror(nummer)), Qt::CaseInsensitive)) return QString::fromUtf8(grund);
  switch (datei.error()) {
    case QFileDevice::ReadError: return QStringLiteral("ошибка чтения");
    case QFileDevice::WriteError: return QStringLiteral("ошибка записи");
    case QFileDevice::ResourceError: return QStringLiteral("не хватает места или памяти");
    case QFileDevice::PermissionsError: return QStringLiteral("нет прав доступа");
    case QFileDevice::OpenError: return QStringLiteral("файл не открывается");
    default: return QStringLiteral("ошибка файловой системы");
  }
}
