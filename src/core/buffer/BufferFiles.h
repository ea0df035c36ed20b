#pragma once
// Loading the buffer from BIN and Intel HEX files and saving it to them. Every loader
// builds the new image apart and puts it in place only when the whole file was read, so a
// failed load leaves the buffer as it was. Saves go through a temporary file in the same
// folder that replaces the old file only once complete.

#include "app/Session.h"
#include "buffer/FileCodes.h"

#include <vector>

namespace zelvor {

// A loaded image before it replaces the buffer.
struct LoadedImage {
    std::vector<RomBuf::Block> blocks;
    long long size = 0;
    bool summed = false; // the reader added the bytes up as it went: `sum` is their sum
    quint32 sum = 0;
};

// Reads the file image without touching the session. `line` gets the line of a HEX error.
[[nodiscard]] int readBinImage(const QString& path, qint64 offset, LoadedImage& out);
[[nodiscard]] int readHexImage(const Session& s, const QString& path, LoadedImage& out,
                               long long& line);

// Puts a loaded image in place: exchanges 16-bit words, sets size, lastLen, the checksum
// and the view end, reports the load and refreshes the views.
void installImage(Session& s, LoadedImage&& img, const QString& path);
// Reports a failed load (the buffer is unchanged).
void reportLoadError(Session& s, int code, const QString& path, long long line = 0);

// The loaders: report their outcome through the status message.
[[nodiscard]] int LoadBin(Session& s, const QString& path);
[[nodiscard]] int LoadHex(Session& s, const QString& path);

// The writers: no messages; FileCreateFailed or FileWriteFailed on failure (the old file is
// then untouched). The buffer is never changed.
[[nodiscard]] int SaveBin(const Session& s, const QString& path);
[[nodiscard]] int SaveHex(const Session& s, const QString& path);

// Menu "Чтение файла" after the open dialog: clears the status, loads in the chosen format.
[[nodiscard]] int Read_File(Session& s, const QString& path);
// Saves in the chosen format without asking and reports the outcome.
[[nodiscard]] int saveFile(Session& s, const QString& path);
// Menu "Запись в файл" after the save dialog: asks before replacing an existing file.
[[nodiscard]] int Write_File(Session& s, const QString& path);

// Format choice (1 = BIN, 2 = HEX).
void chooseBinFormat(Session& s);
void chooseHexFormat(Session& s);

} // namespace zelvor
