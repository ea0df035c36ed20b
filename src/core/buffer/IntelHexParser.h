#pragma once
// Reads Intel HEX text, fed in pieces of any size, into an ImageBuilder.
//
// Accepted: data (00), end of file (01, reading goes on), extended segment address (02)
// and extended linear address (04) records; 03 and 05 and other types are skipped. Every
// record must be complete hexadecimal text with a correct checksum. Empty or blank lines
// are skipped. The first bad line stops the reading.

#include "buffer/ImageBuilder.h"

#include <string>

namespace zelvor {

class IntelHexParser {
  public:
    enum Error : int { None = 0, BadFormat = 1, TooLarge = 2 };

    explicit IntelHexParser(ImageBuilder& image) : image_(image) {}

    // Feeds the next piece of the file; false once an error has stopped the reading.
    bool feed(const char* data, size_t n);
    // Reads a last line without an end; false when the file was not acceptable.
    bool finish();

    Error error() const { return error_; }
    long long errorLine() const { return errorLine_; } // 1-based line of the error
    long long dataRecords() const { return dataRecords_; }

  private:
    bool line(const char* p, size_t n);
    bool fail(Error e);

    ImageBuilder& image_;
    std::string carry_;
    long long lineNo_ = 0;
    long long dataRecords_ = 0;
    unsigned long long segBase_ = 0;
    unsigned long long linBase_ = 0;
    Error error_ = None;
    long long errorLine_ = 0;
};

} // namespace zelvor
