#include "app/Messenger.h"

#include <utility>

namespace zelvor {

void logLine(Session& s, const QString& text) {
    s.run.msgLog << text;
    if (s.run.logOn == 1 && s.journalSink) s.journalSink(text);
}

void ShowMessageS(Session& s, const QString& text) {
    s.fe.statusMessage(text);
    // The time of the operation that just ended goes with its result, and only with it.
    const QString note = text.isEmpty() ? QString() : std::exchange(s.op.timingNote, QString());
    s.fe.statusPanel(kTimingPanel, note);
    if (text.isEmpty()) return;
    const QString line = note.isEmpty() ? text : text + QStringLiteral(" (") + note + u')';
    s.run.msgLog << line + QStringLiteral("  ");
    if (s.run.logOn == 1 && s.journalSink) s.journalSink(line);
}

void ShowMessageS(Session& s, const Text& text) {
    ShowMessageS(s, s.text(text));
}

void ShowMessageSc(Session& s, const QString& russianText) {
    ShowMessageS(s, s.settings.english ? QString::fromUtf8(msg::LinkError.en) : russianText);
}

void ShowMessageSw(Session& s, const QString& russianText) {
    ShowMessageS(s, s.settings.english ? QString::fromUtf8(msg::Waiting.en) : russianText);
}

void ShowMessageRd(Session& s, const QString& path) {
    ShowMessageS(s,
                 s.settings.english
                     ? QStringLiteral("File ") + path + QStringLiteral(" is loaded in the buffer")
                     : QStringLiteral("Файл ") + path + QStringLiteral(" считан в буфер"));
}

void ShowMessageC(Session& s) {
    QString t;
    if (s.link.demoMode == 1)
        t = QStringLiteral("Demo");
    else if (s.link.portFailed != 1)
        t = QStringLiteral("Com%1").arg(s.settings.comPort <= 2 ? s.settings.comPort + 1 : 4);
    s.fe.statusPanel(1, t);
}

void ShowMessageT(Session& s) {
    s.fe.statusPanel(2, s.link.demoMode == 1 ? QStringLiteral("mode")
                                             : QString::number(s.link.portBaud));
}

void ShowMessageCh(Session& s) {
    s.fe.messageBox(s.text(msg::ModelChange));
}

QString modelPanelText(int model, bool english) {
    const char* suffix = model == 4 ? "A" : model == 5 ? "B" : model == 6 ? "AX" : "C";
    return (english ? QStringLiteral("Zelvor-") : QStringLiteral("ЗЕЛВОР-")) +
           QLatin1String(suffix);
}

} // namespace zelvor
