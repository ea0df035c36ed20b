#pragma once
// What the main window shows for the current chip and buffer, as plain data: the labels,
// which toolbar buttons and menu items apply, the area list and the configuration panels.
// The window only copies these into its widgets.

#include "app/ChipFeatures.h"
#include "app/Session.h"
#include "catalogue/ChipDisplay.h"

#include <QString>
#include <QStringList>

namespace zelvor {

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
ToolbarFlags toolbarFlags(const ChipFeatures& f);

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
MenuVisibility SetVisible(const ChipFeatures& f);

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
