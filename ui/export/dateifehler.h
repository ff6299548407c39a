// Why a file could not be opened, read or written, in Russian: the system's
// reason where it is known, else what failed.
#pragma once

#include <QFileDevice>
#include <QString>

QString dateifehler(const QFileDevice& datei);
