#pragma once
// What the main window shows for the current chip and buffer, as plain data: the labels,
// the area list and the configuration panels. Which menu items and toolbar buttons apply
// is the session's ChipFeatures record (s.feat). The window only copies these into its
// widgets.

#include "app/ChipFeatures.h"
#include "app/Session.h"
#include "catalogue/ChipDisplay.h"

#include <QString>
#include <QStringList>

namespace zelvor {

// Everything ShowWindow puts into the main window's labels.
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
    QString dataCaption; // "+ DATA", "+ LDROM" or empty
    QString cfgwCaption; // "+ CFGW", "+ Fuse Bits" or empty
};
// Recomputes viewEnd (Cnt_sizeb) and returns the window's texts.
WindowTexts ShowWindow(Session& s);

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
// The configuration panels the chip needs: the mid-range panel for every PIC but PIC18,
// the fuse and lock panels for the fuse chips.
PanelChoice panelChoice(const Session& s);

struct PicShowData {
    AreaList area;
    PanelChoice panels;
    QStringList adapters; // sorted, item 0 selected
};
PicShowData PicShow(const Session& s);

} // namespace zelvor
