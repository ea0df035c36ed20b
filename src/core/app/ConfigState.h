#pragma once
// What the configuration panels show and edit, kept as plain data so that the main window,
// the command line and the tests work on the same values: the mid-range PIC word and its
// fields, the PIC18 bytes and their controls, and the fuse and lock check boxes.
// A check box is checked exactly when its bit is 0 (programmed).

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zelvor {

// One field of a mid-range PIC configuration word (one drop-down list of the panel).
struct PicField {
    QString name;               // caption of the list
    std::vector<quint16> words; // option words in file order (at most 8)
    QStringList texts;          // what the list shows for each option
    int selected = 0;           // the list's current item

    // The bits the options differ in: first option word XOR last option word.
    quint16 mask() const { return words.empty() ? 0 : quint16(words.front() ^ words.back()); }
};

// The PIC18 panel: three lists and the check boxes over the fourteen bytes.
struct Pic18Panel {
    int fosc = 0;                     // item index = 7 - (byte 1 bits 0-2)
    int borv = 0;                     // item index = 3 - (byte 2 bits 2-3)
    int wdtps = 0;                    // item index = 7 - (byte 3 bits 1-3)
    std::array<quint8, 14> checked{}; // per byte: a set bit is a checked box
    bool upperBlocksEnabled = true;   // CP2, CP3, WRT2, WRT3, EBTR2, EBTR3
};

struct ConfigState {
    static constexpr int kMaxPicFields = 11;
    static constexpr int kMaxPicOptions = 8;
    static constexpr int kFuseBoxes = 21; // f0..f7, h0..h7, E0..E4
    static constexpr int kLockBoxes = 6;  // lb1, lb2, blb01, blb02, blb11, blb12

    // Mid-range PIC (algorithm 27).
    quint16 cfgWord = 0x3FFF;
    quint16 picWord6 = 0x3FFF;
    std::vector<PicField> picFields;         // cfgFieldCount = picFields.size()
    bool picLayoutFound = false;             // the chip's prgpic16.lst line was found
    QString userId = QStringLiteral("FFFF"); // the ID edit box (hex, at most 4 characters)
    QString debugWord;                       // the debug label: cfgWord after a read in debug mode

    // PIC18 (algorithm 43): fourteen bytes at 0x300000; a read of them brings 20 bytes.
    static constexpr qint32 kPic18CfgStart = 0x300000;
    static constexpr qint32 kPic18CfgEnd = 0x300013;
    static constexpr std::array<quint8, 14> kPic18Defaults{
        0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
    std::array<quint8, 14> pic18Cfg = kPic18Defaults;
    Pic18Panel pic18;

    // Fuse and lock bits (the bytes themselves are RomParams::fuseBytes).
    int fuseCount = 1;
    bool fuseLayoutFound = false;
    std::array<QString, kFuseBoxes> fuseNames; // an empty name hides the box
    std::array<bool, kFuseBoxes> fuseChecked{};
    std::array<bool, kLockBoxes> lockChecked{};
    bool bootLockEnabled = true; // blb01..blb12 usable
    bool bootLockVisible = true; // hidden for the two MCS-51 fuse chip kinds
    QString fuseValueLine;       // the value line: fuse bytes in hex (and the calibration byte)
};

} // namespace zelvor
