#include "dateifehler.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// The system's reasons, known by the text the system gives for them.
const std::pair<int, const char*> gruende[] = {
    {ENOENT, "нет такого файла или каталога"},
    {EACCES, "нет прав доступа"},
    {EPERM, "действие не разрешено"},
    {EISDIR, "это каталог, а не файл"},
    {ENOTDIR, "часть пути — не каталог"},
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "дисковая квота исчерпана"},
    {EFBIG, "файл слишком велик"},
    {EROFS, "файловая система только для чтения"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {EMFILE, "открыто слишком много файлов"},
    {EIO, "ошибка ввода-вывода"},
    {EEXIST, "файл уже существует"},
};

}  // namespace

QString dateifehler(const QFileDevice& datei) {
  const QString text = datei.errorString();
  for (const auto& [code, grund] : gruende)
    if (text.contains(QString::fromLocal8Bit(std::strerror(code)), Qt::CaseInsensitive)) return QString::fromUtf8(grund);
  switch (datei.error()) {
    case QFileDevice::ReadError: return QStringLiteral("ошибка чтения");
    case QFileDevice::WriteError: return QStringLiteral("ошибка записи");
    case QFileDevice::ResourceError: return QStringLiteral("не хватает места или памяти");
    case QFileDevice::PermissionsError: return QStringLiteral("нет прав доступа");
    case QFileDevice::OpenError: return QStringLiteral("файл не открывается");
    default: return QStringLiteral("ошибка файловой системы");
  }
}
