// HEX load and save of 1 MiB and 16 MiB images and BIN load of a 64 MiB image (the median
// and the slowest of seven runs), each timed as a whole process against objcopy and srec_cat doing
// the same conversion of the same file in the same run, with the peak resident memory of every run.
//
//   hex_bench [--quick] [--bin]   (--quick: one run each instead of the best of three, and
//                                 three BIN runs instead of seven; --bin: the BIN row only)

#include "app/Clock.h"
#include "app/FrontEnd.h"
#include "app/Session.h"
#include "buffer/BufferFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/perf_event.h>
#include <sys/syscall.h>
#endif
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
    double seconds = 0; // processor time of the process: steadier than wall time on a busy machine
    double wall = 0;
    long maxRssKiB = 0;
    int status = -1;
};

// A task-clock counter on the child from its exec on (the processor time the kernel measures
// exactly rather than in scheduler ticks); -1 where the system does not allow it.
int openTaskClock(pid_t pid) {
#if defined(__linux__)
    perf_event_attr attr{};
    attr.size = sizeof attr;
    attr.type = PERF_TYPE_SOFTWARE;
    attr.config = PERF_COUNT_SW_TASK_CLOCK;
    attr.disabled = 1;
    attr.enable_on_exec = 1;
    attr.inherit = 1;
    return int(::syscall(SYS_perf_event_open, &attr, pid, -1, -1, PERF_FLAG_FD_CLOEXEC));
#else
    (void)pid;
    return -1;
#endif
}

Run spawn(const std::vector<std::string>& argv) {
    Run r;
    int go[2];
    if (::pipe(go) != 0) return r;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Waits until the parent has set the counter up, then becomes the measured program.
        ::close(go[1]);
        char c;
        if (::read(go[0], &c, 1) != 1) _exit(126);
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
    ::close(go[0]);
    const int counter = openTaskClock(pid);
    const char c = 1;
    [[maybe_unused]] const ssize_t w = ::write(go[1], &c, 1);
    ::close(go[1]);
    int status = 0;
    struct rusage ru {};
    wait4(pid, &status, 0, &ru);
    r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.seconds = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    std::uint64_t ns = 0;
    if (counter >= 0 && ::read(counter, &ns, sizeof ns) == sizeof ns && ns > 0)
        r.seconds = ns / 1e9;
    if (counter >= 0) ::close(counter);
    r.maxRssKiB = ru.ru_maxrss;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

using Argv = std::vector<std::string>;

// For each command the best of `tries` measurements, each the mean of `reps` runs. The
// commands take turns run by run, so a change in the machine's load falls on all of them
// alike; a small conversion takes a few milliseconds, so those are averaged over many runs.
// An empty command (a tool that is missing) gives a run with status -1.
std::vector<Run> compare(const std::vector<Argv>& cmds, int tries, int reps = 1) {
    std::vector<Run> best(cmds.size());
    for (int i = 0; i < tries; ++i) {
        std::vector<Run> mean(cmds.size());
        for (int k = 0; k < reps; ++k) {
            for (size_t c = 0; c < cmds.size(); ++c) {
                if (cmds[c].empty() || mean[c].status > 0) continue;
                const Run r = spawn(cmds[c]);
                if (r.status != 0) {
                    mean[c] = r;
                    continue;
                }
                mean[c].seconds += r.seconds / reps;
                mean[c].wall += r.wall / reps;
                mean[c].maxRssKiB = std::max(mean[c].maxRssKiB, r.maxRssKiB);
                mean[c].status = 0;
            }
        }
        for (size_t c = 0; c < cmds.size(); ++c)
            if (i == 0 || (mean[c].status == 0 && mean[c].seconds < best[c].seconds))
                best[c] = mean[c];
    }
    return best;
}

// Every one of `runs` runs of each command, the commands taking turns run by run.
std::vector<std::vector<Run>> allRuns(const std::vector<Argv>& cmds, int runs) {
    std::vector<std::vector<Run>> out(cmds.size());
    for (int i = 0; i < runs; ++i)
        for (size_t c = 0; c < cmds.size(); ++c)
            out[c].push_back(cmds[c].empty() ? Run{} : spawn(cmds[c]));
    return out;
}

// The median or the slowest of a command's runs by processor time; a failed run counts as
// the slowest.
Run pickRun(std::vector<Run> runs, bool worst) {
    if (runs.empty()) return Run{};
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
        if ((a.status == 0) != (b.status == 0)) return a.status == 0;
        return a.seconds < b.seconds;
    });
    return worst ? runs.back() : runs[runs.size() / 2];
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

// One line of the table; with `start` (the three programs doing nothing) it adds the ratios of
// the work alone, each program's start taken off.
void row(const char* what, const Run& ours, const Run& objcopy, const Run& srec, long baseKiB,
         qint64 image, const std::vector<Run>& start = {}) {
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
    if (!start.empty() && ours.status == 0) {
        const double work = ours.seconds - start[0].seconds;
        auto net = [&](const Run& t, const Run& t0) {
            return t.status == 0 && t0.status == 0 && work > 0 ? (t.seconds - t0.seconds) / work
                                                               : 0.0;
        };
        std::printf(
            "%-16s %7.3f s %8.3f s %8.3f s %7.2fx %7.2fx   (each program's start taken off)\n",
            "  work alone", work, objcopy.seconds - start[1].seconds,
            srec.seconds - start[2].seconds, net(objcopy, start[1]), net(srec, start[2]));
    }
    if (ours.status != 0) std::printf("   (our run failed: status %d)\n", ours.status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[2], argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(),
                     argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString());

    bool quick = false, binOnly = false;
    for (int i = 1; i < argc; ++i) {
        quick = quick || std::strcmp(argv[i], "--quick") == 0;
        binOnly = binOnly || std::strcmp(argv[i], "--bin") == 0;
    }
    const int tries = quick ? 1 : 3;
    const bool tools = haveTool("objcopy") && haveTool("srec_cat");
    if (!tools) std::printf("objcopy or srec_cat missing: ratios are 0\n");
    const std::string self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe")).toStdString();
    QTemporaryDir dir;
    auto p = [&](const char* name) {
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    };

    // The memory an image costs is the peak of a run less the peak of the same operation on a
    // 16-byte image, which has touched the same code and fixed buffers.
    const std::string tinyBin = p("tiny.bin"), tinyHex = p("tiny.hex");
    writePattern(QString::fromStdString(tinyBin), 16);
    const long saveBase = spawn({self, "--child", "savehex", tinyBin, tinyHex}).maxRssKiB;
    const long loadHexBase = spawn({self, "--child", "loadhex", tinyHex}).maxRssKiB;
    const long loadBinBase = spawn({self, "--child", "loadbin", tinyBin}).maxRssKiB;
    std::printf("peak of the same operation on a 16-byte image: save %.1f, HEX load %.1f, BIN load"
                " %.1f MiB (subtracted in mem/img)\n",
                saveBase / 1024.0, loadHexBase / 1024.0, loadBinBase / 1024.0);
    std::printf("processor time of each whole process (task clock), best of %d"
                " (1 MiB rows: of means over 20 runs)\n",
                tries);
    std::printf("%-16s %9s %10s %10s %8s %8s %12s %5s\n", "operation", "ours", "objcopy",
                "srec_cat", "objc/us", "srec/us", "our peak", "mem/img");

    auto tool = [&](Argv a) { return tools ? a : Argv{}; };
    std::vector<Run> start;
    {
        // What starting each program costs, doing nothing: the small rows include it.
        start = compare({{self, "--child", "noop"},
                         tool({"objcopy", "--version"}),
                         tool({"srec_cat", "-VERsion"})},
                        tries, 20);
        row("start only", start[0], start[1], start[2], start[0].maxRssKiB, 1 << 20);
    }
    for (qint64 size : {qint64(1) << 20, qint64(16) << 20}) {
        if (binOnly) break;
        const int reps = size <= (qint64(1) << 20) ? 20 : 1;
        const std::string bin = p("img.bin"), hex = p("img.hex"), out = p("out");
        writePattern(QString::fromStdString(bin), size);
        const std::string mib = std::to_string(size >> 20);
        // Our own writer makes the HEX file the load is timed on.
        auto r = compare({{self, "--child", "savehex", bin, hex},
                          tool({"objcopy", "-I", "binary", "-O", "ihex", bin, out + ".hex"}),
                          tool({"srec_cat", bin, "-binary", "-o", out + ".hex", "-intel"})},
                         tries, reps);
        row(("HEX save " + mib + " MiB").c_str(), r[0], r[1], r[2], saveBase, size, start);

        r = compare({{self, "--child", "loadhex", hex},
                     tool({"objcopy", "-I", "ihex", "-O", "binary", hex, out + ".bin"}),
                     tool({"srec_cat", hex, "-intel", "-o", out + ".bin", "-binary"})},
                    tries, reps);
        row(("HEX load " + mib + " MiB").c_str(), r[0], r[1], r[2], loadHexBase, size, start);
    }
    {
        const qint64 size = qint64(64) << 20;
        const std::string bin = p("big.bin"), out = p("out.bin");
        writePattern(QString::fromStdString(bin), size);
        // Every run counts here, not only a good one: the median and the slowest of seven.
        const int runs = quick ? 3 : 7;
        const auto r = allRuns({{self, "--child", "loadbin", bin},
                                tool({"objcopy", "-I", "binary", "-O", "binary", bin, out}),
                                tool({"srec_cat", bin, "-binary", "-o", out, "-binary"})},
                               runs);
        for (const bool worst : {false, true}) {
            const std::string what =
                std::string("BIN 64M ") + (worst ? "worst " : "median ") + std::to_string(runs);
            row(what.c_str(), pickRun(r[0], worst), pickRun(r[1], worst), pickRun(r[2], worst),
                loadBinBase, size);
        }
        std::printf("BIN 64 MiB runs, ours:");
        for (const Run& x : r[0])
            std::printf(" %.3f", x.seconds);
        std::printf(" s; objcopy:");
        for (const Run& x : r[1])
            std::printf(" %.3f", x.seconds);
        std::printf(" s\n");
    }
    std::printf(
        "ratios above 1 mean this program was faster; the tools also write their output file\n");
    return 0;
}
