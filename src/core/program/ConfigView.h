#pragma once
// What the configuration page shows for the current chip: which of its panels, the
// mid-range fields and word, the PIC18 lists, boxes and bytes, and the fuse and lock boxes
// with their value line. The window copies it into its widgets and hands every change the
// operator makes to the routines beside the values (choosePicOption, setPicUserId,
// setPic18Box, choosePic18Item, setFuseBox), then shows this again.

#include "app/Session.h"
#include "program/Screen.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zelvor {

struct CheckBoxView {
    QString name; // the widget's object name
    QString caption;
    bool shown = false;
    bool enabled = false;
    bool checked = false;
};

struct PicWordView {
    std::vector<PicField> fields; // caption, option texts and selection of each list
    bool wordShown = false;       // the word and its caption need the chip's line
    QString word;                 // cfgWord, 4 hex digits
    QString userId;
    bool debugShown = false; // debug mode, after a read
    QString debugWord;       // the word as read
};

struct Pic18View {
    QStringList foscItems, borvItems, wdtpsItems;
    int fosc = 0;
    int borv = 0;
    int wdtps = 0;
    std::vector<CheckBoxView> boxes; // in pic18Boxes() order
    QString bytes;                   // the fourteen bytes, 28 hex digits
};

struct FuseView {
    std::array<CheckBoxView, ConfigState::kFuseBoxes> fuses; // f0..f7, h0..h7, E0..E4
    std::array<CheckBoxView, ConfigState::kLockBoxes> locks; // lb1, lb2, blb01..blb12
    QString valueLine;
};

struct ConfigView {
    PanelChoice panels;
    PicWordView pic16;
    Pic18View pic18;
    FuseView fuse;
};

ConfigView configView(const Session& s);

} // namespace zelvor
