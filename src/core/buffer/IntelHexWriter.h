#pragma once
// Writes Intel HEX records (16 data bytes a line, upper-case, CR LF) to a device, with an
// extended segment address record at each 64 KiB boundary below 1 MiB and an extended
// linear address record at each boundary above.

#include <QIODevice>

#include <string>

namespace zelvor {

class IntelHexWriter {
  public:
    explicit IntelHexWriter(QIODevice& out) : out_(out) { text_.reserve(kFlushAt + 64); }

    // One data record of 16 bytes for image address addr.
    void record16(long long addr, const quint8* data);
    // The end record; then flushes.
    void end();
    // Writes what is pending; false once any write failed.
    bool flush();
    bool ok() const { return ok_; }

  private:
    static constexpr size_t kFlushAt = 1 << 16;
    void addressRecord(int type, unsigned value);
    void put(const quint8* rec, int bytes);

    QIODevice& out_;
    std::string text_;
    long long upper_ = 0; // address bits above 16 of the records written so far
    bool segUsed_ = false;
    bool ok_ = true;
};

} // namespace zelvor
