#include "buffer/ImageComparison.h"
#include "app/HexText.h"
#include "app/Messages.h"

#include <algorithm>

namespace zelvor {

namespace {

// A view on `page` of an image of `extent` bytes (the longer of the two).
HexPage pageView(int page, qint64 extent) {
    RomBuf span;
    span.viewEnd = qint32(std::max<qint64>(extent, 1) + HexPage::kPageBytes - 1) /
                       HexPage::kPageBytes * HexPage::kPageBytes -
                   1;
    HexPage v;
    v.setPage(span, page);
    return v;
}

} // namespace

void ImageComparison::start(const RomBuf& buffer, RomBuf other, qint64 otherBytes, quint8 highMask,
                            qint64 bufferLimit) {
    buffer_ = &buffer;
    other_ = std::move(other);
    otherBytes_ = otherBytes;
    highMask_ = highMask;
    bufferLimit_ = bufferLimit;
    page_ = 1;
    current_ = -1;
    bufferChanged();
}

void ImageComparison::bufferChanged() {
    diff_ = diffImages(*buffer_, bufferBytes(), other_, otherBytes_, highMask_);
    if (current_ >= int(diff_.ranges.size())) current_ = -1;
    setPage(page_);
}

qint64 ImageComparison::bufferBytes() const {
    return std::min<qint64>(buffer_->size, bufferLimit_);
}

int ImageComparison::lastPage() const {
    const qint64 extent = std::max(bufferBytes(), otherBytes_);
    return int(std::max<qint64>(1, (extent + HexPage::kPageBytes - 1) / HexPage::kPageBytes));
}

void ImageComparison::setPage(int page) {
    page_ = std::clamp(page, 1, lastPage());
    if (current_ < 0) return;
    const DiffRange& r = diff_.ranges[size_t(current_)];
    if (r.last < pageStart() || r.first >= pageStart() + HexPage::kPageBytes) current_ = -1;
}

HexPageText ImageComparison::text(Side side) const {
    const bool buffer = side == Side::Buffer;
    const qint64 bytes = buffer ? bufferBytes() : otherBytes_;
    HexPageText t =
        pageView(page_, std::max(bufferBytes(), otherBytes_)).text(buffer ? *buffer_ : other_);
    for (qint64 at = std::max(bytes, pageStart()); at < pageStart() + HexPage::kPageBytes; ++at) {
        const int i = int(at - pageStart());
        QString& hex = t.hexRows[size_t(i / 16)];
        hex[(i % 16) * 3] = hex[(i % 16) * 3 + 1] = QLatin1Char(' ');
        t.charRows[size_t(i / 16)][i % 16] = QLatin1Char(' ');
    }
    return t;
}

std::bitset<256> ImageComparison::currentOnPage() const {
    if (current_ < 0) return {};
    ImageDiff one;
    one.ranges.push_back(diff_.ranges[size_t(current_)]);
    return differingBytes(one, pageStart());
}

void ImageComparison::goTo(int index) {
    current_ = index;
    page_ = int(diff_.ranges[size_t(index)].first / HexPage::kPageBytes) + 1;
}

bool ImageComparison::next() {
    const DiffRange* r = nullptr;
    if (current_ >= 0)
        r = size_t(current_ + 1) < diff_.ranges.size() ? &diff_.ranges[size_t(current_ + 1)]
                                                       : nullptr;
    else
        r = nextDiff(diff_, pageStart() - 1);
    if (!r) return false;
    goTo(int(r - diff_.ranges.data()));
    return true;
}

bool ImageComparison::previous() {
    const DiffRange* r = nullptr;
    if (current_ >= 0)
        r = current_ > 0 ? &diff_.ranges[size_t(current_ - 1)] : nullptr;
    else
        r = prevDiff(diff_, pageStart());
    if (!r) return false;
    goTo(int(r - diff_.ranges.data()));
    return true;
}

QString ImageComparison::summary(const Session& s) const {
    if (diff_.ranges.empty()) return s.text(msg::CompareNoDifference);
    return s.text(msg::CompareSummary).arg(diff_.bytes).arg(diff_.ranges.size());
}

QString ImageComparison::position(const Session& s) const {
    if (current_ < 0) return QString();
    const DiffRange& r = diff_.ranges[size_t(current_)];
    return s.text(msg::ComparePosition)
        .arg(current_ + 1)
        .arg(diff_.ranges.size())
        .arg(Hex_str(quint32(r.first), 7), Hex_str(quint32(r.last), 7));
}

} // namespace zelvor
