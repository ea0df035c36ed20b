#include "BufferTestUtil.h"

#include "buffer/BufferInit.h"

#include <QProcess>
#include <QStandardPaths>

#include <cstring>

namespace zelvor::test {

void setImage(Session& s, const QByteArray& bytes) {
    RomBuf& b = s.buf;
    b.blocks.clear();
    for (qint64 at = 0; at < bytes.size(); at += RomBuf::kPage) {
        auto blk = RomBuf::newBlock();
        const qint64 n = std::min<qint64>(RomBuf::kPage, bytes.size() - at);
        std::memcpy(blk.get(), bytes.constData() + at, size_t(n));
        b.blocks.push_back(std::move(blk));
    }
    b.size = qint32(bytes.size());
    b.lastLen = qint32(bytes.size() - qint64(b.pageCount() - 1) * RomBuf::kPage);
    Cnt_sizeb(b);
}

QByteArray imageBytes(const Session& s, qint64 n) {
    if (n < 0) n = s.buf.size;
    QByteArray out(n, char(0xFF));
    for (qint64 i = 0; i < n; ++i) {
        const qint64 k = i / RomBuf::kPage;
        if (k < s.buf.pageCount())
            out[i] = char(s.buf.blocks[size_t(k)][size_t(i % RomBuf::kPage)]);
    }
    return out;
}

QByteArray pattern(qint64 n, quint32 seed) {
    QByteArray out(n, 0);
    quint32 x = seed * 2654435761u + 12345;
    for (qint64 i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        out[i] = char(x >> 23);
    }
    return out;
}

int run(const QString& program, const QStringList& args, QByteArray* output,
        const QString& workDir) {
    QProcess p;
    if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000)) return -1;
    p.waitForFinished(120000);
    if (output) *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool haveTool(const QString& program) {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace zelvor::test
