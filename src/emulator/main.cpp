// zelvor-emu: a virtual Zelvor programmer on a pseudo-terminal.

#include "Emulator.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

zelvor::emu::Emulator* g_running = nullptr; // for the signal handler only

void onSignal(int) {
    if (g_running) g_running->stop();
}

void printHelp() {
    std::cout
        << "Usage: zelvor-emu [OPTIONS]\n"
           "A virtual Zelvor programmer. Creates a pseudo-terminal, prints its path (the\n"
           "device to give the program, e.g. zelvor-cli --port PATH) as the first line and\n"
           "answers the programmer protocol on it until interrupted.\n\n"
           "Options:\n"
           "  --tty DEVICE         serve DEVICE (a real serial port) instead of a new pty\n"
           "  --profile FILE       chip profile file (keys below)\n"
           "  --set KEY=VALUE      one profile key (repeatable; after --profile)\n"
           "  --alg N, --class N, --width N, --size N, --id \"HEX ...\", --image FILE,\n"
           "  --bad-blocks LIST, --fail LIST, --ramtest ok|fail, --version HH\n"
           "                       shortcuts for the profile keys of the same names\n"
           "  --fault SPEC         inject a fault (repeatable; see below)\n"
           "  --seed N             seed of the fault generator (default 1)\n"
           "  --transcript FILE    write one JSON line per packet, frame and event\n"
           "  --pace               send and take bytes no faster than the current baud rate\n"
           "                       (10 bits a byte); without it the line runs at pty speed\n"
           "  --baud RATE          starting rate (default 9600; the host changes it with\n"
           "                       operation 4)\n"
           "  --help               this text\n\n"
        << zelvor::emu::ChipProfile::helpText() << "\n"
        << zelvor::emu::FaultPlan::helpText()
        << "\nTranscript lines: {\"seq\":N,\"ms\":T,\"dir\":\"host\"|\"emu\"|\"event\",\"kind\":K,"
           "\"len\":N,\"hex\":\"...\",\"fields\":{...}}\n"
           "kinds: setup (with the decoded operation), ack, nak, wrong-ack, reply, bulk, piece,\n"
           "answer, version, noise, fault, erase, lock, speed, disconnect, no-answer.\n";
}

} // namespace

int main(int argc, char** argv) {
    zelvor::emu::EmulatorOptions options;
    std::string error;
    auto need = [&](int& i) -> const char* {
        if (i + 1 >= argc) {
            std::cerr << "zelvor-emu: " << argv[i] << " needs a value\n";
            std::exit(2);
        }
        return argv[++i];
    };
    auto setKey = [&](const std::string& key, const std::string& value) {
        if (!options.profile.set(key, value, error)) {
            std::cerr << "zelvor-emu: " << error << "\n";
            std::exit(2);
        }
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            printHelp();
            return 0;
        } else if (a == "--tty") {
            options.tty = need(i);
        } else if (a == "--profile") {
            if (!options.profile.loadFile(need(i), error)) {
                std::cerr << "zelvor-emu: " << error << "\n";
                return 2;
            }
        } else if (a == "--set") {
            const std::string kv = need(i);
            const auto eq = kv.find('=');
            if (eq == std::string::npos) {
                std::cerr << "zelvor-emu: --set needs KEY=VALUE\n";
                return 2;
            }
            setKey(kv.substr(0, eq), kv.substr(eq + 1));
        } else if (a == "--alg" || a == "--class" || a == "--width" || a == "--size" ||
                   a == "--id" || a == "--image" || a == "--bad-blocks" || a == "--fail" ||
                   a == "--ramtest" || a == "--version") {
            setKey(a.substr(2), need(i));
        } else if (a == "--fault") {
            options.faults.push_back(need(i));
        } else if (a == "--seed") {
            std::uint32_t seed = 0;
            if (!zelvor::emu::parseNumber(need(i), seed)) {
                std::cerr << "zelvor-emu: bad seed\n";
                return 2;
            }
            options.seed = seed;
        } else if (a == "--transcript") {
            options.transcriptPath = need(i);
        } else if (a == "--pace") {
            options.pacing = true;
        } else if (a == "--baud") {
            std::uint32_t baud = 0;
            if (!zelvor::emu::parseNumber(need(i), baud) || baud < 300 || baud > 4000000) {
                std::cerr << "zelvor-emu: bad baud rate\n";
                return 2;
            }
            options.baud = static_cast<int>(baud);
        } else {
            std::cerr << "zelvor-emu: unknown option " << a << " (see --help)\n";
            return 2;
        }
    }
    zelvor::emu::Emulator emulator(std::move(options));
    if (!emulator.open(error)) {
        std::cerr << "zelvor-emu: " << error << "\n";
        return 1;
    }
    std::printf("%s\n", emulator.slavePath().c_str());
    std::fflush(stdout);
    g_running = &emulator;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    emulator.run();
    g_running = nullptr;
    return 0;
}
