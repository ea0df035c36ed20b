#pragma once
// The buffer and another image (a file, or the chip's contents read apart) side by side, as
// the compare window shows them: one page of 256 bytes of each at a time, the bytes that
// differ on that page, the count of differences, and a current difference that next and
// previous move through in address order. The window only paints what this gives.

#include "app/Session.h"
#include "buffer/HexPage.h"
#include "buffer/ImageCompare.h"

#include <QString>

#include <bitset>
#include <limits>

namespace zelvor {

class ImageComparison {
  public:
    enum class Side { Buffer, Other };

    // Compares `buffer` (the session's, kept by reference; at most its first `bufferLimit`
    // bytes) with `other`, whose first `otherBytes` bytes count. `highMask` as diffImages.
    // Page 1, no current difference.
    void start(const RomBuf& buffer, RomBuf other, qint64 otherBytes, quint8 highMask = 0xFF,
               qint64 bufferLimit = std::numeric_limits<qint64>::max());
    // The buffer was edited or replaced: compared again; the page stays where it can.
    void bufferChanged();

    const ImageDiff& diff() const { return diff_; }
    const RomBuf& other() const { return other_; }
    int page() const { return page_; }
    int lastPage() const;
    qint64 pageStart() const { return qint64(page_ - 1) * HexPage::kPageBytes; }
    // Shows `page` (clamped); a current difference not on it is let go, so that next and
    // previous then start from the page shown.
    void setPage(int page);

    // One side's page: bytes beyond that image's end are blank.
    HexPageText text(Side side) const;
    // The bytes of the page shown that differ, and those of the current difference.
    std::bitset<256> differingOnPage() const { return differingBytes(diff_, pageStart()); }
    std::bitset<256> currentOnPage() const;

    // The difference after (before) the current one, or without one the first from the page
    // shown on (the last before it); its page is shown. False, nothing changed, when none.
    bool next();
    bool previous();
    // Index into diff().ranges; -1 when there is none.
    int current() const { return current_; }

    // "5 bytes differ in 3 ranges", and "Difference 2 of 3: first - last" for the current one
    // (empty without one).
    QString summary(const Session& s) const;
    QString position(const Session& s) const;

  private:
    qint64 bufferBytes() const;
    void goTo(int index);

    const RomBuf* buffer_ = nullptr;
    RomBuf other_;
    qint64 otherBytes_ = 0;
    qint64 bufferLimit_ = 0;
    quint8 highMask_ = 0xFF;
    ImageDiff diff_;
    int page_ = 1;
    int current_ = -1;
};

} // namespace zelvor
