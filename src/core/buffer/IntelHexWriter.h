#pragma once
// Writes Intel HEX records (16 data bytes a line, upper-case, CR LF) to a device, with an
// extended segment address record at each 64 KiB boundary below 1 MiB and an extended
// linear address record at each boundary above.

#include <QIODevice>

#include <cstddef>
#include <memory>

namespace zelvor {

class IntelHexWriter {
  public:
    explicit IntelHexWriter(QIODevice& out) : out_(out), text_(new char[kFlushAt + kLongestLine]) {}

    // One data record of 16 bytes for image address addr.
    void record16(long long addr, const quint8* data);
    // The end record; then flushes.
    void end();
    // Writes what is pending; false once any write failed.
    bool flush();
    bool ok() const { return ok_; }

  private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    static constexpr std::size_t kLongestLine = 1 + 2 * 262 + 2;
    void addressRecord(int type, unsigned value);
    void put(const quint8* rec, int bytes);
    void lineDone(char* end);

    QIODevice& out_;
    std::unique_ptr<char[]> text_; // pending lines
    std::size_t used_ = 0;
    long long upper_ = 0; // address bits above 16 of the records written so far
    bool segUsed_ = false;
    bool ok_ = true;
};

} // namespace zelvor
