#include "buffer/BufferOps.h"
#include "app/HexText.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageHistory.h"

#include <algorithm>

namespace zelvor {

namespace {
std::optional<quint32> fieldValue(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() > 7) return std::nullopt;
    const HexValue v = Str_hex(t);
    if (v.error != 0) return std::nullopt;
    return v.value;
}
} // namespace

EditFields editDefaults(const RomBuf& buf) {
    EditFields f;
    f.editMask = 0xFF;
    f.editStart = 0;
    f.editEnd = buf.size - 1;
    return f;
}

int Corr_data(Session& s, EditFields& f, const QString& maskText, const QString& startText,
              const QString& endText) {
    int rejected = 0;
    if (const auto m = fieldValue(maskText))
        f.editMask = quint8(*m);
    else {
        ++rejected;
        s.fe.messageBox(s.text(msg::BadEditData));
    }
    const auto a = fieldValue(startText);
    if (a && qint64(*a) < s.buf.size)
        f.editStart = qint32(*a);
    else {
        ++rejected;
        s.fe.messageBox(s.text(msg::BadEditStart));
    }
    const auto e = fieldValue(endText);
    if (e && qint64(*e) >= f.editStart && qint64(*e) < s.buf.size)
        f.editEnd = qint32(*e);
    else {
        ++rejected;
        s.fe.messageBox(s.text(msg::BadEditEnd));
    }
    return rejected;
}

void Change_buf(RomBuf& buf, EditOp op, const EditFields& f) {
    const qint64 first = std::max<qint64>(f.editStart, 0);
    const qint64 last = std::min<qint64>(f.editEnd, qint64(buf.pageCount()) * RomBuf::kPage - 1);
    const quint8 m = f.editMask;
    for (qint64 a = first; a <= last;) {
        quint8* p = buf.page(int(a / RomBuf::kPage));
        const int from = int(a % RomBuf::kPage);
        const int to = int(std::min<qint64>(RomBuf::kPage - 1, from + (last - a)));
        switch (op) {
        case EditOp::And:
            for (int i = from; i <= to; ++i)
                p[i] &= m;
            break;
        case EditOp::Or:
            for (int i = from; i <= to; ++i)
                p[i] |= m;
            break;
        case EditOp::Xor:
            for (int i = from; i <= to; ++i)
                p[i] ^= m;
            break;
        }
        a += to - from + 1;
    }
}

int editBuffer(Session& s, EditOp op, EditFields& f, const QString& maskText,
               const QString& startText, const QString& endText) {
    const int rejected = Corr_data(s, f, maskText, startText, endText);
    if (rejected == 0) {
        changeImage(s, f.editStart, f.editEnd, [&] { Change_buf(s.buf, op, f); });
        s.fe.changed(ChangeBufferEdited); // the views redraw their page with the marks
    }
    return rejected;
}

void SwapClick(Session& s) {
    swapImageWords(s);
}

} // namespace zelvor
