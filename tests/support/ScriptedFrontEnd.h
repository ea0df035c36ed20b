#pragma once
// A front end for tests: records everything the core shows and answers questions and
// inputs from a script queued beforehand.

#include "QtPrinters.h"
#include "app/FrontEnd.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zelvor::test {

class ScriptedFrontEnd : public FrontEnd {
  public:
    // What happened, in order.
    QStringList statuses; // every statusMessage text, empty ones included
    QStringList boxes;    // message box texts
    QStringList questionsAsked;
    QStringList prompts;       // input prompts
    std::vector<int> progress; // every progressSet position
    QStringList progressCaptions;
    int progressCloses = 0;
    int pumps = 0;
    int refreshes = 0;   // change notifications
    unsigned changes = 0; // every Change flag notified
    std::vector<Mismatch> mismatches;
    QString panels[3];
    QString timingPanel; // the kTimingPanel text

    // Script.
    std::deque<Answer> answers;                // default when empty: Yes
    std::deque<std::optional<QString>> inputs; // default when empty: cancel
    int cancelAfterSteps = -1;                 // cancel once this many progress steps ran
    std::function<void()> onPump;              // runs inside pumpEvents()

    QString lastStatus() const;

    void statusMessage(const QString& text) override;
    void statusPanel(int panel, const QString& text) override;
    void messageBox(const QString& text, Icon icon) override;
    Answer question(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    void progressShow(const QString& caption) override;
    void progressSet(int position) override;
    void progressClose() override;
    bool cancelRequested() override;
    void pumpEvents() override;
    void changed(unsigned what) override {
        ++refreshes;
        changes |= what;
    }
    void mismatch(const Mismatch& m) override { mismatches.push_back(m); }
};

} // namespace zelvor::test
