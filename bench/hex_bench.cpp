// HEX load and save of 1 MiB and 16 MiB images and BIN load of a 64 MiB image, each timed
// as a whole process against objcopy and srec_cat doing the same conversion of the same
// file in the same run, with the peak resident memory of every run.
//
//   hex_bench [--quick]      (--quick: one run each instead of the best of three)

#include "app/Clock.h"
#include "app/FrontEnd.h"
#include "app/Session.h"
#include "buffer/BufferFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace zelvor;

namespace {

class QuietFrontEnd : public FrontEnd {
  public:
    void statusMessage(const QString&) override {}
    void messageBox(const QString&, Icon) override {}
    Answer question(const QString&) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class NoClock : public Clock {
  public:
    qint64 nowMs() override { return 0; }
    void sleepMs(int) override {}
};

// The child side: one operation of this program, then exit.
int child(const std::string& op, const QString& in, const QString& out) {
    QuietFrontEnd fe;
    NoClock clock;
    Session s(fe, clock);
    if (op == "noop") return 0;
    if (op == "loadhex") return LoadHex(s, in) == FileOk ? 0 : 1;
    if (op == "loadbin") return LoadBin(s, in) == FileOk ? 0 : 1;
    if (op == "savehex") {
        if (LoadBin(s, in) != FileOk) return 1;
        return SaveHex(s, out) == FileOk ? 0 : 1;
    }
    return 2;
}

struct Run {
    double seconds = 0; // processor time (user + system): steadier than wall time on a busy machine
    double wall = 0;
    long maxRssKiB = 0;
    int status = -1;
};

Run spawn(const std::vector<std::string>& argv) {
    Run r;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> a;
        for (const auto& s : argv)
            a.push_back(const_cast<char*>(s.c_str()));
        a.push_back(nullptr);
        const int devnull = ::open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        execvp(a[0], a.data());
        _exit(127);
    }
    int status = 0;
    struct rusage ru {};
    wait4(pid, &status, 0, &ru);
    r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.seconds = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    r.maxRssKiB = ru.ru_maxrss;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// The best of `tries` measurements, each the mean of `reps` runs: a small conversion takes a
// few milliseconds, close to the granularity of the processor-time accounting, so those are
// averaged over several runs.
Run best(const std::vector<std::string>& argv, int tries, int reps = 1) {
    Run b;
    for (int i = 0; i < tries; ++i) {
        Run m;
        for (int k = 0; k < reps; ++k) {
            const Run r = spawn(argv);
            if (r.status != 0) return r;
            m.seconds += r.seconds / reps;
            m.wall += r.wall / reps;
            m.maxRssKiB = std::max(m.maxRssKiB, r.maxRssKiB);
            m.status = r.status;
        }
        if (i == 0 || m.seconds < b.seconds) b = m;
    }
    return b;
}

bool haveTool(const char* name) {
    const std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

void writePattern(const QString& path, qint64 size) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    QByteArray chunk(1 << 20, 0);
    quint32 x = 12345;
    for (qint64 done = 0; done < size; done += chunk.size()) {
        for (auto& c : chunk) {
            x = x * 1103515245u + 12345u;
            c = char(x >> 23);
        }
        f.write(chunk.constData(), std::min<qint64>(chunk.size(), size - done));
    }
}

void row(const char* what, const Run& ours, const Run& objcopy, const Run& srec, long baseKiB,
         qint64 image) {
    auto ratio = [&](const Run& t) {
        return t.status == 0 && ours.seconds > 0 ? t.seconds / ours.seconds : 0.0;
    };
    const double mem = double(ours.maxRssKiB - baseKiB) * 1024.0 / double(image);
    std::printf(
        "%-16s %7.3f s %8.3f s %8.3f s %7.2fx %7.2fx %8.1f MiB %5.2f | wall %.2f/%.2f/%.2f s"
        " | tools %.1f/%.1f MiB\n",
        what, ours.seconds, objcopy.seconds, srec.seconds, ratio(objcopy), ratio(srec),
        ours.maxRssKiB / 1024.0, mem, ours.wall, objcopy.wall, srec.wall,
        objcopy.maxRssKiB / 1024.0, srec.maxRssKiB / 1024.0);
    if (ours.status != 0) std::printf("   (our run failed: status %d)\n", ours.status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[2], argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(),
                     argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString());

    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int tries = quick ? 1 : 3;
    const bool tools = haveTool("objcopy") && haveTool("srec_cat");
    if (!tools) std::printf("objcopy or srec_cat missing: ratios are 0\n");
    const std::string self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe")).toStdString();
    QTemporaryDir dir;
    auto p = [&](const char* name) {
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    };

    const long baseKiB = best({self, "--child", "noop"}, 1).maxRssKiB;
    std::printf("process baseline %.1f MiB (subtracted in mem/image)\n", baseKiB / 1024.0);
    std::printf("processor time (user + system) of each whole process, best of %d"
                " (1 MiB rows: of means over 20 runs)\n",
                tries);
    std::printf("%-16s %9s %10s %10s %8s %8s %12s %5s\n", "operation", "ours", "objcopy",
                "srec_cat", "objc/us", "srec/us", "our peak", "mem/img");

    const Run none;
    for (qint64 size : {qint64(1) << 20, qint64(16) << 20}) {
        const int reps = size <= (qint64(1) << 20) ? 20 : 1;
        const std::string bin = p("img.bin"), hex = p("img.hex"), out = p("out");
        writePattern(QString::fromStdString(bin), size);
        // Our own writer makes the HEX file the load is timed on.
        Run ours = best({self, "--child", "savehex", bin, hex}, tries, reps);
        Run oc = tools ? best({"objcopy", "-I", "binary", "-O", "ihex", bin, out + ".hex"}, tries, reps)
                       : none;
        Run sc =
            tools ? best({"srec_cat", bin, "-binary", "-o", out + ".hex", "-intel"}, tries, reps) : none;
        const std::string mib = std::to_string(size >> 20);
        row(("HEX save " + mib + " MiB").c_str(), ours, oc, sc, baseKiB, size);

        ours = best({self, "--child", "loadhex", hex}, tries, reps);
        oc = tools ? best({"objcopy", "-I", "ihex", "-O", "binary", hex, out + ".bin"}, tries, reps)
                   : none;
        sc = tools ? best({"srec_cat", hex, "-intel", "-o", out + ".bin", "-binary"}, tries, reps) : none;
        row(("HEX load " + mib + " MiB").c_str(), ours, oc, sc, baseKiB, size);
    }
    {
        const qint64 size = qint64(64) << 20;
        const std::string bin = p("big.bin"), out = p("out.bin");
        writePattern(QString::fromStdString(bin), size);
        const Run ours = best({self, "--child", "loadbin", bin}, tries);
        const Run oc =
            tools ? best({"objcopy", "-I", "binary", "-O", "binary", bin, out}, tries) : none;
        const Run sc =
            tools ? best({"srec_cat", bin, "-binary", "-o", out, "-binary"}, tries) : none;
        row("BIN load 64 MiB", ours, oc, sc, baseKiB, size);
    }
    std::printf(
        "ratios above 1 mean this program was faster; the tools also write their output file\n");
    return 0;
}
