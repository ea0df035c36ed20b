// The zelvor-emu program itself: its help text and a run as a child process.

#include "RawHost.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelvor::test;

namespace {

const std::string kProgram = std::string(ZELVOR_BINARY_DIR) + "/src/emulator/zelvor-emu";

std::string runCapture(const std::string& args, int& status) {
    std::string out;
    FILE* p = popen((kProgram + " " + args + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    status = pclose(p);
    return out;
}

} // namespace

TEST(EmulatorProgram, HelpNamesEveryOptionProfileKeyAndFault) {
    int status = -1;
    const std::string help = runCapture("--help", status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (const char* word :
         {"--tty",         "--profile", "--set",     "--fault",     "--seed",       "--transcript",
          "--pace",        "--baud",    "--alg",     "--image",     "--bad-blocks", "--ramtest",
          "--version",     "class=",    "width=",    "page=",       "size=",        "block=",
          "sectors=",      "id=",       "image=",    "bad-blocks=", "fail=",        "ramtest=",
          "version=",      "fuses=",    "erase-ms=", "locked=",     "boot-block=",  "nak",
          "wrong-ack",     "silence",   "slow",      "drop",        "corrupt",      "disconnect",
          "store-nothing", "op=",       "after=",    "count=",      "prob=",        "ms=",
          "bytes=",        "at="})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST(EmulatorProgram, BadArgumentsAreRefusedWithAMessage) {
    int status = -1;
    std::string out = runCapture("--fault explode", status);
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(out.find("unknown fault kind"), std::string::npos) << out;
    out = runCapture("--set width=99", status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(out.find("width"), std::string::npos) << out;
    out = runCapture("--frobnicate", status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    out = runCapture("--profile /nonexistent/file", status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(out.find("cannot open profile"), std::string::npos) << out;
}

TEST(EmulatorProgram, ChildPrintsItsDeviceServesAndStopsOnTerm) {
    int pipeFd[2];
    ASSERT_EQ(pipe(pipeFd), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        close(pipeFd[0]);
        execl(kProgram.c_str(), "zelvor-emu", "--alg", "2", "--version", "11", nullptr);
        _exit(127);
    }
    close(pipeFd[1]);
    std::string line;
    char c;
    while (read(pipeFd[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(pipeFd[0]);
    ASSERT_EQ(line.rfind("/dev/", 0), 0u) << line;
    {
        RawHost host;
        ASSERT_TRUE(host.open(line));
        ASSERT_EQ(host.sendMode(RawHost::packet({0x0C, 2, 0, 0, 0, 0, 0, 0})), 0);
        EXPECT_EQ(host.read(1), std::vector<std::uint8_t>{0x11});
        host.close();
        // The device stays while no host has it open.
        ASSERT_TRUE(host.open(line));
        ASSERT_EQ(host.sendMode(RawHost::packet({0x0C, 2, 0, 0, 0, 0, 0, 0})), 0);
        EXPECT_EQ(host.read(1), std::vector<std::uint8_t>{0x11});
    }
    kill(pid, SIGTERM);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
