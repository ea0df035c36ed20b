#pragma once
// The one way the core reaches the person: the main window, the CLI and the scripted test
// double implement it.

#include <QString>

#include <optional>

namespace zelvor {

// What changed, so that each view redraws only what shows it.
enum Change : unsigned {
    ChangeChip = 1u << 0,           // the chip: labels, menu items, toolbar, area list
    ChangeBufferReplaced = 1u << 1, // a new image (load, read, first block): views go to page 1
    ChangeBufferEdited = 1u << 2,   // bytes changed in place: the shown page is redrawn
    ChangeBufferLabels = 1u << 3,   // address window, offsets, size, checksum, file format
    ChangeConfigPanels = 1u << 4,   // the configuration and fuse panels
    ChangeSettings = 1u << 5,       // model, port, speed, language, demo, journal, debug
    ChangeStatusPanels = 1u << 6,   // the status bar's model, port and rate panels
};

// The first difference a compare found: where, and the buffer's and the chip's value
// (bytes, or 16-bit words for wide parts).
struct Mismatch {
    qint64 address = 0; // as the message names it: the chip address, or the word's number
    qint64 offset = 0;  // where the buffer holds it (a word's first byte)
    int bufferValue = 0;
    int chipValue = 0;
    int width = 8;
};

// The status-bar panel beside the message that shows the operation's time and rate.
inline constexpr int kTimingPanel = 4;

class FrontEnd {
  public:
    enum class Answer { Yes, No, Cancel };
    enum class Icon { None, Information, Warning, Error };

    virtual ~FrontEnd() = default;

    // Last status-bar panel (an empty text clears it).
    virtual void statusMessage(const QString& text) = 0;
    // Status-bar panels 0..2: model, port, rate; kTimingPanel: the time and average rate of
    // the operation whose result the last panel shows (empty for any other message).
    virtual void statusPanel(int panel, const QString& text) {
        (void)panel;
        (void)text;
    }
    // A message box with one OK button.
    virtual void messageBox(const QString& text, Icon icon = Icon::None) = 0;
    // Yes/No/Cancel confirmation.
    virtual Answer question(const QString& text) = 0;
    // One line of text typed by the operator; nullopt when cancelled. The core checks the
    // text and asks again when it is not acceptable.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;

    // Progress of a long operation: shown with its caption, stepped to a position out of
    // 65535, closed at the end. cancelRequested() reports the Cancel button.
    virtual void progressShow(const QString& caption) { (void)caption; }
    virtual void progressSet(int position) { (void)position; }
    virtual void progressClose() {}
    virtual bool cancelRequested() { return false; }

    // Lets pending user-interface events run: once per block, in protocol pauses, and every
    // 50 ms while a read waits for the programmer.
    virtual void pumpEvents() {}
    // Something the windows show changed: `what` is a set of Change flags.
    virtual void changed(unsigned what) { (void)what; }
    // A compare found the chip differing from the buffer (besides the message shown).
    virtual void mismatch(const Mismatch& m) { (void)m; }
};

} // namespace zelvor
