#include "buffer/BufferFiles.h"
#include "app/Messenger.h"
#include "buffer/BufferInit.h"
#include "buffer/FilePath.h"
#include "buffer/ImageHistory.h"

namespace zelvor {

void installImage(Session& s, LoadedImage&& img, const QString& path) {
    RomBuf& buf = s.buf;
    buf.blocks = std::move(img.blocks);
    imageReplaced(buf);
    buf.size = qint32(img.size);
    buf.lastLen = qint32(img.size - qint64(buf.pageCount() - 1) * RomBuf::kPage);
    ShowMessageRd(s, path);
    if (swapsWords(s)) SwapBuf(s);
    // The exchange keeps the sum.
    if (img.summed)
        buf.checkSum = quint16(img.sum);
    else
        Count_sum(s, 1);
    Cnt_sizeb(s);
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels);
}

void reportLoadError(Session& s, int code, const QString& path, long long line) {
    switch (code) {
    case FileNotFound:
        ShowMessageS(s, s.text(msg::FileNotFound).arg(path));
        break;
    case FileUnreadable:
        ShowMessageS(s, s.text(msg::FileCannotRead).arg(path));
        break;
    case FileEmpty:
        ShowMessageS(s, msg::NotEnoughMemory);
        break;
    case FileBadFormat:
        ShowMessageS(s, s.text(msg::InvalidFileFormat) + s.text(msg::AtLine).arg(line));
        break;
    case FileTooLarge:
        ShowMessageS(s, line > 0 ? s.text(msg::FileTooLarge) + s.text(msg::AtLine).arg(line)
                                 : s.text(msg::FileTooLarge));
        break;
    default:
        ShowMessageS(s, msg::FileReadError);
        break;
    }
}

int Read_File(Session& s, const QString& path) {
    ShowMessageS(s, QString());
    return s.settings.fileFmt == 1 ? LoadBin(s, path) : LoadHex(s, path);
}

int saveFile(Session& s, const QString& path) {
    const int code = s.settings.fileFmt == 1 ? SaveBin(s, path) : SaveHex(s, path);
    if (code == FileCreateFailed)
        ShowMessageS(s, s.text(msg::FileCreateError).arg(path));
    else if (code != FileOk)
        ShowMessageS(s, s.text(msg::FileWriteError).arg(path));
    else {
        ShowMessageS(s, s.text(msg::FileSaved).arg(path));
        s.fe.changed(ChangeBufferLabels);
    }
    return code;
}

int Write_File(Session& s, const QString& path) {
    ShowMessageS(s, QString());
    if (pathExists(path) &&
        s.fe.question(s.text(msg::OverwriteFile).arg(path)) != FrontEnd::Answer::Yes)
        return FileCancelled;
    return saveFile(s, path);
}

void chooseBinFormat(Session& s) {
    s.settings.fileFmt = 1;
    s.fe.changed(ChangeBufferLabels);
}

void chooseHexFormat(Session& s) {
    s.settings.fileFmt = 2;
    s.fe.changed(ChangeBufferLabels);
}

} // namespace zelvor
