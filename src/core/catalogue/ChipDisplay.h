#pragma once
// What the main window shows for the current chip, as plain data: the chip label with its
// area suffix, the voltage and algorithm labels, the size label, the buffer labels, which
// toolbar buttons and menu items apply, the area list and the configuration panels.
// The windows only copy these into their widgets.

#include "app/Session.h"

#include <QString>
#include <QStringList>

namespace zelvor {

// The choice texts of the programming parameters (indexed by vppSel, vccSel, pulseAlg).
const QStringList& vppChoiceTexts();
const QStringList& vccChoiceTexts();
const QStringList& algChoiceTexts();
// Start-up: copies them into s.run.
void setChoiceTexts(Session& s);

// "/CODE", "/DATA", "/LDROM", "/BOOT", "/SB&BV" or empty, for the chip and area.
QString areaSuffix(const RomParams& p, qint32 area);
// romName followed by the area suffix.
QString chipLabel(const Session& s);
// "512 x 8", "64K x 8", or pages "4096 x 264" for page-addressed Flash.
QString sizeLabel(const RomParams& p);

struct VoltageLabels {
    QString vpp; // LbRomPgg_s
    QString vcc; // LbRomVcc_s
    QString alg; // LbRomAlg_s
};
VoltageLabels voltageLabels(const RomParams& p);

struct ToolbarFlags {
    bool program = false;
    bool erase = false;
    bool compare = false;
    bool lock = false;
    bool read = false;
    bool blank = false;
    bool readId = false;
    bool config = false; // configuration write/read buttons and the "Конфигурация" button
};
ToolbarFlags toolbarFlags(const RomParams& p);
// True for chips with configuration words or fuse bits.
bool hasConfiguration(const RomParams& p);

// Everything ShowWindow puts into the main window's labels and buttons.
struct WindowTexts {
    QString fileFormat; // "BIN" / "HEX"
    QString chip;       // chip label
    VoltageLabels volt;
    QString bufSize;     // 7 hex digits
    QString checkSum;    // 4
    QString addrStart;   // 7
    QString addrEnd;     // 7
    QString bufOffset;   // 6
    QString romSize;     // size label
    QString romSizeUnit; // always "x 8"
    ToolbarFlags buttons;
    QString dataCaption; // "+ DATA", "+ LDROM" or empty
    QString cfgwCaption; // "+ CFGW", "+ Fuse Bits" or empty
};
// Recomputes viewEnd (Cnt_sizeb) and returns the window's texts.
WindowTexts ShowWindow(Session& s);

// Which chip-dependent menu items are visible.
struct MenuVisibility {
    bool setX2 = false;
    bool setCfg = false; // and ReadCfg
    bool testRam = false;
    bool flash1 = false;
    bool setBit = false;
    bool readId = false;
    bool setBbl = false;
    bool modeSdp = false;
    bool readBbl = false;
    bool badBlock = false;
};
MenuVisibility SetVisible(const RomParams& p);

// The "Device area" list and the configuration panels of PicShow.
struct AreaList {
    bool shown = false;
    bool enabled = false;
    QStringList items;
    int selected = 0;
};
struct PanelChoice {
    bool pic16 = false;
    bool pic18 = false;
    bool fuse = false;
};
struct PicShowData {
    AreaList area;
    PanelChoice panels;
    QStringList adapters; // sorted, item 0 selected
};
PicShowData PicShow(const Session& s);

} // namespace zelvor
