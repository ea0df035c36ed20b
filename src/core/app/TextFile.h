#pragma once
// Text files of the program: Windows-1251 with CR LF line ends on every platform.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zelvor {

QString fromCp1251(const QByteArray& bytes);
QByteArray toCp1251(const QString& text); // characters outside the code page become '?'

// Reads a whole text file and splits it into lines (CR LF, LF or CR end a line; a last
// line without an end counts). nullopt when the file cannot be opened or is larger than
// maxBytes.
std::optional<QStringList> readTextLines(const QString& path, qint64 maxBytes = 16 * 1024 * 1024);

// Writes lines, each followed by CR LF, through a temporary file in the same folder that
// replaces the old file only once it is complete. Returns false (old file untouched) on
// any failure.
bool writeTextLines(const QString& path, const QStringList& lines);

// Replaces `path` with `data` the same safe way.
bool writeFileAtomic(const QString& path, const QByteArray& data);

} // namespace zelvor
