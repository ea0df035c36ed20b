#include "program/ViewCommands.h"
#include "app/HexText.h"
#include "app/Messenger.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageFind.h"
#include "buffer/ImageHistory.h"
#include "program/Commands.h"
#include "program/Startup.h"

namespace zelvor {

namespace {

QString address(qint64 offset) {
    return Hex_str(quint32(offset), 7);
}

int replayChange(Session& s, bool redo, qint64& where) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    const int rc = redo ? redoImage(s) : undoImage(s);
    switch (rc) {
    case HistoryOk:
        // The step now waits on the other list.
        where = (redo ? s.buf.track.undo : s.buf.track.redo).back().offset;
        ShowMessageS(s, redo ? msg::Redone : msg::Undone);
        break;
    case HistoryEmpty:
        ShowMessageS(s, redo ? msg::RedoNothing : msg::UndoNothing);
        break;
    default:
        ShowMessageS(s, msg::HistoryDropped);
        break;
    }
    return rc;
}

// Searches from `from` on and reports the outcome.
int findFrom(Session& s, HexPage& view, BufferSearch& search, qint64 from, HexCaret& caret) {
    qint64 hit = -1;
    const int rc = findInView(s.buf, view, search.pattern, from, hit, caret);
    if (rc == FindOk) {
        search.lastHit = hit;
        ShowMessageS(s, s.text(msg::FindFound).arg(address(hit)));
    } else {
        ShowMessageS(s, s.text(msg::FindNone).arg(search.text));
    }
    return rc;
}

} // namespace

int undoChange(Session& s, qint64& where) {
    return replayChange(s, false, where);
}

int redoChange(Session& s, qint64& where) {
    return replayChange(s, true, where);
}

QString goToPrompt(const Session& s) {
    return s.text(msg::GoToPrompt) +
           QStringLiteral("( %1 - %2 )").arg(address(0), address(std::max(s.buf.size - 1, 0)));
}

int goToBufferAddress(Session& s, HexPage& view, const QString& text, HexCaret& caret) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    if (s.buf.size <= 0) {
        ShowMessageS(s, msg::BufferEmpty);
        return FindBadAddress;
    }
    const int rc = goToAddress(s.buf, view, text, caret);
    if (rc != FindOk)
        s.fe.messageBox(s.text(msg::GoToBad).arg(text.trimmed(), address(s.buf.size - 1)),
                        FrontEnd::Icon::Warning);
    return rc;
}

int findInBuffer(Session& s, HexPage& view, BufferSearch& search, const QString& text, bool hex,
                 qint64 from, HexCaret& caret) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    QByteArray pattern;
    if (findPattern(text, hex, pattern) != FindOk) {
        s.fe.messageBox(s.text(hex ? msg::FindBadHex : msg::FindBadText), FrontEnd::Icon::Warning);
        return FindBadPattern;
    }
    search.text = text;
    search.hex = hex;
    search.pattern = pattern;
    search.lastHit = -1;
    return findFrom(s, view, search, from, caret);
}

int findNextInBuffer(Session& s, HexPage& view, BufferSearch& search, HexCaret& caret) {
    if (search.pattern.isEmpty()) return FindBadPattern;
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    return findFrom(s, view, search, search.lastHit + 1, caret);
}

int reportWindowCrc(Session& s) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    qint64 first = 0, last = -1;
    windowRange(s, first, last);
    if (last < first) {
        ShowMessageS(s, msg::BufferEmpty);
        return 1;
    }
    const quint32 crc = rangeCrc(s, first, last);
    ShowMessageS(s, s.text(msg::WindowCrcText).arg(address(first), address(last), Hex_str(crc, 8)));
    return 0;
}

} // namespace zelvor
