#pragma once
// The run-time records every subsystem reads: the persistent settings, the current chip,
// the memory image and the state of the running operation. They are plain data; the
// routines that change them live in their subsystems.

#include "app/ImageTrack.h"
#include "app/PageAlloc.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zelvor {

// Persistent settings, kept in zelvor.cfg.
struct PrgSettings {
    quint16 comPort = 0; // 0..3 = COM1..COM4 (stored as 1..4)
    int romIdx = 1;      // 1-based base-type index
    int byMaker = 0;     // 1 = chosen from the catalogue, catIdx valid
    int catIdx = 0;      // 1-based catalogue entry
    int fileFmt = 1;     // 1 = BIN, 2 = HEX
    int baudIdx = 0;     // 0 = 9600, 1 = 57600, 2 = 115200, 4 = 230400, 8 (and others) = 460800
    int english = 1;     // 1 = English user interface
    int model = 3;       // 3 = Zelvor-C, 4 = Zelvor-A, 5 = Zelvor-B, 6 = Zelvor-AX
    int autoErase = 0;
    int autoBlank = 0;
    int autoWrite = 1;
    int autoCompare = 1;
    int autoLock = 0;
    int autoData = 0;
    int autoCfgw = 0;
};

// The chip in the socket, derived from its base type and catalogue entry.
struct RomParams {
    quint8 algCode = 0;
    quint8 devClass = 0;
    quint8 vppSel = 0;
    quint8 pulseAlg = 0;
    quint8 vccSel = 0;
    qint32 optA = 0;
    qint32 optB = 0;
    qint32 optC = 0;
    qint32 dataWidth = 8;
    qint32 baseWidth = 8;
    quint8 extraBits = 0;
    qint32 romLen = 0;
    qint32 sizeDiv = 1;
    qint32 lowVcc = 0;
    qint32 canWrite = 0;
    qint32 canErase = 0;
    qint32 canCompare = 0;
    qint32 canLock = 0;
    qint32 canTestRam = 0;
    qint32 canSetVpp = 0;
    qint32 canRead = 0;
    qint32 canBlank = 0;
    qint32 canReadId = 0;
    qint32 adapter = 0;
    qint32 slowOnly = 0;
    qint32 hasSdp = 0;
    qint32 hasBblSet = 0;
    qint32 opt21 = 0;
    qint32 verifyBlock = 0;
    qint32 hasBblRead = 0;
    qint32 variant = 0;
    qint32 subType = 0;
    QString romName;
    std::array<quint8, 5> fuseBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
};

// The memory image: 2048-byte pages, each allocated with 2112 bytes (a NAND page with its
// spare area) and filled with 0xFF before use.
struct RomBuf {
    static constexpr int kPage = 2048;
    static constexpr int kAlloc = 2112;
    using Block = PageBlock;

    std::vector<Block> blocks;
    qint32 size = 0;
    qint32 lastLen = 0;
    qint32 addrStart = 0;
    qint32 addrEnd = 0;
    quint16 checkSum = 0;
    qint32 bufOffset = 0;
    qint32 fileOffset = 0;
    qint32 viewEnd = 0;
    qint32 dataOfs = 0;   // extra data area (LDROM, PIC data EEPROM)
    qint32 cfgwOfs = 0;   // PIC configuration words
    QString lastLoadName; // remembered file names of the load and save dialogs
    QString lastSaveName;
    ImageTrack track; // undo history, edited ranges, CRC-32 (a new image starts without)

    static Block newBlock() {
        Block b = allocatePage(kAlloc);
        std::fill(b.get(), b.get() + kAlloc, quint8(0xFF));
        return b;
    }
    quint8* page(int index) { return blocks[size_t(index)].get(); }
    int pageCount() const { return int(blocks.size()); }
};

// State of the running operation, shared by every operation and by the packet builder.
struct OpState {
    qint32 area = 0; // 0 main memory, 1 data/second area, higher: protection areas
    quint8 opCode = 0;
    qint32 opStart = 0;
    qint32 opEnd = 0;
    qint32 lenBl = 160;
    qint32 opState = 0; // result code of the running operation
    int opCancel = 0;
    int addrHigh = 0; // algorithm 48: current block above 0xFFFFFF
    qint32 lockSel = 0;
    quint8 lockByte = 0;
    quint8 cmdArg = 0;
    QString opName;
    qint32 xferStep = 0;
    qint32 progMax = 0;
    qint32 progPos = 0;
    qint32 xferBase = 0;
    double progStep = 0;
    double progAcc = 0;
    qint64 opStartTime = 0;
    // Time and average rate of the walk that just ended, for its result message; consumed
    // by that message (empty: nothing to add).
    QString timingNote;
    bool busy = false; // an operation is running: every other chip or buffer command is refused
};

// The files the window's file commands remember: the folder the file dialogs open in, the
// recently loaded or saved files (most recent first) and the file the buffer came from.
struct FileHistory {
    QString folder;
    QStringList recent;
    QString current;  // the file last loaded or saved; empty once the image comes elsewhere
    bool kept = true; // written back to its file (false after it was found damaged)
};

// The link's share of the run state.
struct LinkState {
    int demoMode = 0;
    int portFailed = 0;
    qint32 portBaud = 0;
    qint32 lastRead = 0;
    std::vector<quint8> xferBuf; // 2112 bytes each once allocated
    std::vector<quint8> auxBuf;
    std::vector<quint8> auxBuf2;
    std::array<quint8, 256> ansBuf{};
    int ansLen = 0;
    std::array<quint8, 10>
        packet{}; // the set-up packet; bytes a rule leaves alone keep their value
};

// Everything of a program run that is not saved.
struct RunState {
    QString startDir;
    int savedBaud = 0;
    int slowed = 0;
    int debugMode = 0;
    bool languageToggled = false; // the other language is saved and used from the next start
    bool startFailed = false;     // the base-type table or the catalogue could not be loaded
    QString startFailure;         // what to tell the user about it
    bool writesSettings = true;   // zelvor.cfg is written at close (the window; not the CLI)
    bool stopped = false;         // the close has run
    int logOn = 0;
    QStringList msgLog;
    QStringList vppTexts; // choice texts of the programming-parameters dialog
    QStringList vccTexts;
    QStringList algTexts;
    FileHistory files;
};

} // namespace zelvor
