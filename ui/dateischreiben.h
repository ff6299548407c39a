// The one way the program writes a file, and the one way it opens a file to
// read. Every writer (pictures of each format, PDF and printing into a file,
// worksheets, the kept last state) hands its bytes to `dateischreiben`; the
// CTest `schreibwege` fails when a writer goes round it.
//
// Writing: the bytes go into an unnamed temporary file in the target's folder,
// every write, the flush and the sync are checked, then the format's check
// looks at what was written; only then does the file replace the target in one
// step. On any failure the old file stays byte for byte and no temporary file
// remains (not even after a kill, as long as the folder's file system has
// unnamed files; tmpfs and ext4 have). The target must be a regular file or
// not exist; a symbolic link to a regular file is written through.
#pragma once

#include <QString>

#include <functional>

class QFile;
class QIODevice;

// Writes the content into `datei`; false when something failed, with the
// reason in `fehler` when the device does not know it.
using Dateiinhalt = std::function<bool(QIODevice& datei, QString& fehler)>;
// Looks at the written bytes (readable, at position 0): why they are not a
// complete file of their format, or empty when they are.
using Vollstaendigkeit = std::function<QString(QIODevice& geschrieben)>;

// Empty on success, else the Russian message naming the file and the reason,
// and saying that the old file is unchanged when there was one.
QString dateischreiben(const QString& ziel, const Dateiinhalt& inhalt, const Vollstaendigkeit& pruefen = {});

// The completeness checks of the formats the program writes.
QString pngvollstaendig(QIODevice& d);  // ends with the IEND chunk
QString pdfvollstaendig(QIODevice& d);  // "%%EOF" after a startxref that points at the xref table
QString gifvollstaendig(QIODevice& d);  // ends with the trailer byte
QString bmpvollstaendig(QIODevice& d);  // the header's file size is the file's
QString emfvollstaendig(QIODevice& d);  // the header's byte count is the file's, last record EOF
QString svgvollstaendig(QIODevice& d);  // the root element is closed

// Opens `pfad` for reading only when it is a regular file: a FIFO, a device
// or a folder is refused at once, without waiting on it. Empty on success,
// else the reason (without the file's name).
QString lesendoeffnen(QFile& datei, const QString& pfad);
