#pragma once
// File names as the system gives them. A name whose bytes are not valid UTF-8 keeps each
// such byte as a lone surrogate U+DC80..U+DCFF, so a name taken from the command line opens
// the very file it names; every file the buffer loads or saves is opened through here.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zelvor {

QString pathFromNative(const QByteArray& bytes);
QByteArray nativePath(const QString& path);

// Opens `path` for reading (plus `extra` modes): FileOk, FileNotFound or FileUnreadable.
[[nodiscard]] int openForReading(QFile& f, const QString& path,
                                 QIODevice::OpenMode extra = QIODevice::NotOpen);
// True when a file, link or node of that name exists.
bool pathExists(const QString& path);
// True when `f` (open) is a regular file: its size is known before reading.
bool isRegularFile(const QFile& f);

} // namespace zelvor
