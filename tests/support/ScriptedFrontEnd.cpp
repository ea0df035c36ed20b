#include "ScriptedFrontEnd.h"

namespace zelvor::test {

QString ScriptedFrontEnd::lastStatus() const {
    for (auto it = statuses.crbegin(); it != statuses.crend(); ++it)
        if (!it->isEmpty()) return *it;
    return {};
}

void ScriptedFrontEnd::statusMessage(const QString& text) {
    statuses << text;
}

void ScriptedFrontEnd::statusPanel(int panel, const QString& text) {
    if (panel >= 0 && panel < 3) panels[panel] = text;
    if (panel == kTimingPanel) timingPanel = text;
}

void ScriptedFrontEnd::messageBox(const QString& text, Icon) {
    boxes << text;
}

FrontEnd::Answer ScriptedFrontEnd::question(const QString& text) {
    questionsAsked << text;
    if (answers.empty()) return Answer::Yes;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedFrontEnd::inputText(const QString&, const QString& prompt,
                                                   const QString&) {
    prompts << prompt;
    if (inputs.empty()) return std::nullopt;
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

void ScriptedFrontEnd::progressShow(const QString& caption) {
    progressCaptions << caption;
}

void ScriptedFrontEnd::progressSet(int position) {
    progress.push_back(position);
}

void ScriptedFrontEnd::progressClose() {
    ++progressCloses;
}

bool ScriptedFrontEnd::cancelRequested() {
    return cancelAfterSteps >= 0 && int(progress.size()) >= cancelAfterSteps;
}

void ScriptedFrontEnd::pumpEvents() {
    ++pumps;
    if (onPump) onPump();
}

} // namespace zelvor::test
