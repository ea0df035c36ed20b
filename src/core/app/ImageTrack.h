#pragma once
// What the buffer keeps about its image besides the bytes: the undo history of the changes
// made in place, the ranges edited since the image was loaded or read, and the cached CRC-32.
// Plain data; the routines live in the buffer subsystem (buffer/ImageHistory, buffer/ImageCrc).

#include <QtGlobal>

#include <deque>
#include <map>
#include <vector>

namespace zelvor {

// One step of the history: the bytes of [offset, offset + bytes.size()) as they are on the
// other side of the step (before it while it can be undone, after it once undone), or an
// exchange of byte pairs, which is its own inverse and keeps no bytes.
struct ImageStep {
    qint64 offset = 0;
    std::vector<quint8> bytes;
    bool swap = false;
    qint32 swapPages = 0;     // pages exchanged whole, from page 0 on
    qint32 swapLastBytes = 0; // and the bytes exchanged of the page after them
};

struct ImageTrack {
    std::deque<ImageStep> undo; // the latest step last
    std::deque<ImageStep> redo; // the step undone last, last
    qint64 keptBytes = 0;       // bytes held by both lists
    // Edited ranges since the image was loaded or read: first -> last offset, disjoint and
    // not touching each other.
    std::map<qint64, qint64> edited;
    // CRC-32 of the image as its files hold it, valid for the image of that size, first page
    // and word order.
    bool crcValid = false;
    quint32 crc = 0;
    qint64 crcSize = -1;
    const void* crcFirstPage = nullptr;
    qint64 crcLayout = 0;
    // A CRC-32 taken in slices for that image: its first crcPassAt bytes run into crcPass.
    qint64 crcPassAt = 0;
    quint32 crcPass = 0;
};

} // namespace zelvor
