#include "app/RunCommands.h"

#include "app/Messenger.h"

namespace zelvor {

void selectModel(Session& s, int model) {
    s.settings.model = model;
    ShowMessageCh(s);
}

void toggleLanguage(Session& s) {
    s.fe.messageBox(s.text(msg::LanguageChange));
    s.run.languageToggled = !s.run.languageToggled;
}

void toggleDebugMode(Session& s) {
    s.run.debugMode = s.run.debugMode ? 0 : 1;
}

} // namespace zelvor
