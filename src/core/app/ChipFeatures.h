#pragma once
// What the current chip offers, derived once per chip from its parameters. The menus, the
// toolbar and the commands all read this one record, so the window never offers a command
// that then does nothing or is refused.

namespace zelvor {

struct ChipFeatures {
    // the chip's permission flags
    bool read = false;
    bool blank = false;
    bool program = false;
    bool compare = false;
    bool erase = false;
    bool lock = false; // the toolbar's lock button
    bool readId = false;
    bool setVpp = false;
    // commands a family has
    bool lockBitsMenu = false; // the three lock-bit items (MCS-51)
    bool x2Mode = false;
    bool configuration = false; // configuration words or fuse bits: buttons and panel
    bool fuseBits = false;      // AVR and MCS-51 fuse and lock bits
    bool configMenu = false;    // the configuration menu items (PIC and AVR with words)
    bool ramTest = false;
    bool autoDetectFlash = false; // the item is shown but does nothing
    bool badBlocks = false;
    bool bootBlockSet = false;
    bool bootBlockRead = false;
    bool sdp = false;
    // how addresses are typed
    bool pageAddressed = false; // addresses typed as page numbers (pages with spare bytes)
};

} // namespace zelvor
