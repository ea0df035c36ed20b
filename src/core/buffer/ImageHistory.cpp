#include "buffer/ImageHistory.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageBytes.h"
#include "buffer/ImageCrc.h"

#include <algorithm>

namespace zelvor {

namespace {

void markEdited(ImageTrack& t, qint64 first, qint64 last) {
    auto& m = t.edited;
    // Merge with every range that overlaps or touches [first, last].
    auto it = m.upper_bound(first);
    if (it != m.begin() && std::prev(it)->second + 1 >= first) --it;
    while (it != m.end() && it->first <= last + 1) {
        first = std::min(first, it->first);
        last = std::max(last, it->second);
        it = m.erase(it);
    }
    m.emplace(first, last);
}

qint64 stepBytes(const ImageStep& st) {
    return qint64(st.bytes.size());
}

void dropHistory(ImageTrack& t) {
    t.undo.clear();
    t.redo.clear();
    t.keptBytes = 0;
}

// Adds a step to the undo list: the redo list goes, the oldest steps go beyond the bounds.
void pushStep(ImageTrack& t, ImageStep&& st) {
    for (const ImageStep& r : t.redo)
        t.keptBytes -= stepBytes(r);
    t.redo.clear();
    t.keptBytes += stepBytes(st);
    t.undo.push_back(std::move(st));
    while (!t.undo.empty() && (int(t.undo.size()) > kHistorySteps || t.keptBytes > kHistoryBytes)) {
        t.keptBytes -= stepBytes(t.undo.front());
        t.undo.pop_front();
    }
}

void swapWith(Session& s, const ImageStep& st) {
    for (int k = 0; k < st.swapPages; ++k)
        swapPairs(s.buf.page(k), RomBuf::kPage);
    swapPairs(s.buf.page(st.swapPages), st.swapLastBytes);
}

bool fits(const RomBuf& buf, const ImageStep& st) {
    if (st.swap) return buf.pageCount() == st.swapPages + 1;
    return imageHolds(buf, st.offset) && imageHolds(buf, st.offset + stepBytes(st) - 1);
}

// Takes the latest step of `from` back (undo) or again (redo) and files it in `to`.
int replay(Session& s, std::deque<ImageStep>& from, std::deque<ImageStep>& to) {
    ImageTrack& t = s.buf.track;
    if (from.empty()) return HistoryEmpty;
    ImageStep st = std::move(from.back());
    from.pop_back();
    if (!fits(s.buf, st)) {
        dropHistory(t);
        return HistoryStale;
    }
    if (st.swap) {
        swapWith(s, st);
        markEdited(t, 0, qint64(s.buf.size) - 1);
        crcAfterChange(s, 0, nullptr, s.buf.size);
    } else {
        const qint64 n = stepBytes(st);
        swapImage(s.buf, st.offset, st.bytes.data(), n);
        markEdited(t, st.offset, st.offset + n - 1);
        crcAfterChange(s, st.offset, st.bytes.data(), n);
    }
    to.push_back(std::move(st));
    s.fe.changed(ChangeBufferEdited);
    return HistoryOk;
}

} // namespace

void changeImage(Session& s, qint64 first, qint64 last, const std::function<void()>& change) {
    ImageTrack& t = s.buf.track;
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, qint64(s.buf.pageCount()) * RomBuf::kPage - 1);
    if (last < first) return;
    const qint64 n = last - first + 1;
    ImageStep st;
    st.offset = first;
    if (n <= kHistoryBytes) {
        st.bytes.resize(size_t(n));
        readImage(s.buf, first, st.bytes.data(), n);
    }
    change();
    markEdited(t, first, last);
    crcAfterChange(s, first, st.bytes.empty() ? nullptr : st.bytes.data(), n);
    if (st.bytes.empty())
        dropHistory(t); // too large to keep: the steps before it cannot come back either
    else
        pushStep(t, std::move(st));
}

void writeByte(Session& s, qint64 offset, quint8 value) {
    ImageTrack& t = s.buf.track;
    if (!imageHolds(s.buf, offset)) return;
    const quint8 before = imageByte(s.buf, offset);
    // The second digit of a byte joins the step of the first.
    const bool sameByte = t.redo.empty() && !t.undo.empty() && !t.undo.back().swap &&
                          t.undo.back().offset == offset && t.undo.back().bytes.size() == 1;
    if (!sameByte) {
        changeImage(s, offset, offset, [&] { writeImage(s.buf, offset, &value, 1); });
        return;
    }
    writeImage(s.buf, offset, &value, 1);
    markEdited(t, offset, offset);
    crcAfterChange(s, offset, &before, 1);
}

void swapImageWords(Session& s) {
    ImageTrack& t = s.buf.track;
    if (s.buf.pageCount() == 0) return;
    SwapBuf(s);
    ImageStep st;
    st.swap = true;
    st.swapPages = s.buf.pageCount() - 1;
    st.swapLastBytes = swapBytesOfPage(s, st.swapPages);
    markEdited(t, 0, qint64(s.buf.size) - 1);
    crcAfterChange(s, 0, nullptr, s.buf.size);
    pushStep(t, std::move(st));
}

int undoImage(Session& s) {
    return replay(s, s.buf.track.undo, s.buf.track.redo);
}

int redoImage(Session& s) {
    return replay(s, s.buf.track.redo, s.buf.track.undo);
}

bool canUndo(const RomBuf& buf) {
    return !buf.track.undo.empty();
}

bool canRedo(const RomBuf& buf) {
    return !buf.track.redo.empty();
}

void imageReplaced(RomBuf& buf) {
    buf.track = ImageTrack();
}

bool isEdited(const RomBuf& buf, qint64 offset) {
    const auto& m = buf.track.edited;
    auto it = m.upper_bound(offset);
    return it != m.begin() && std::prev(it)->second >= offset;
}

std::bitset<256> editedBytes(const RomBuf& buf, qint64 start) {
    std::bitset<256> out;
    const auto& m = buf.track.edited;
    auto it = m.upper_bound(start);
    if (it != m.begin()) --it;
    for (; it != m.end() && it->first < start + 256; ++it)
        for (qint64 a = std::max(it->first, start); a <= std::min(it->second, start + 255); ++a)
            out.set(size_t(a - start));
    return out;
}

const std::map<qint64, qint64>& editedRanges(const RomBuf& buf) {
    return buf.track.edited;
}

} // namespace zelvor
