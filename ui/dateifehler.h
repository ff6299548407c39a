// Why a file could not be opened, read or written, in the user's language:
// the one table of the system's reasons, for the write routine, the checked
// opening for reading and every reader.
#pragma once

#include <QFileDevice>
#include <QString>

// The reason for a system error number; the rare rest as the system says it.
QString dateigrund(int fehlernummer);

// The reason a device failed: the system's reason where its text names one,
// else what kind of operation failed.
QString dateifehler(const QFileDevice& datei);
