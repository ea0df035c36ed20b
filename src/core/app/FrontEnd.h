#pragma once
// The one way the core reaches the person: the main window, the CLI and the scripted test
// double implement it.

#include <QString>

#include <optional>

namespace zelvor {

class FrontEnd {
  public:
    enum class Answer { Yes, No, Cancel };
    enum class Icon { None, Information, Warning, Error };

    virtual ~FrontEnd() = default;

    // Last status-bar panel (an empty text clears it).
    virtual void statusMessage(const QString& text) = 0;
    // Status-bar panels 0..2: model, port, rate.
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

    // Lets pending user-interface events run (once per block, and in protocol pauses).
    virtual void pumpEvents() {}
    // The chip, buffer or settings changed: refresh what shows them.
    virtual void refresh() {}
};

} // namespace zelvor
