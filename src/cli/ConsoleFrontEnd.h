#pragma once
// The console front end: status messages on stdout, one per line; progress on stderr;
// questions answered by --yes/--no or, on a terminal, by the operator.

#include "app/FrontEnd.h"

#include <QTextStream>

namespace zelvor::cli {

class ConsoleFrontEnd : public FrontEnd {
  public:
    ConsoleFrontEnd(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

    // Answer given to every yes/no question when no terminal can ask (default Yes).
    Answer defaultAnswer = Answer::Yes;
    bool interactive = false;
    bool showProgress = true;

    void statusMessage(const QString& text) override;
    void messageBox(const QString& text, Icon icon) override;
    Answer question(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    void progressShow(const QString& caption) override;
    void progressSet(int position) override;
    void progressClose() override;
    bool cancelRequested() override { return false; }

  private:
    QTextStream& out_;
    QTextStream& err_;
    QString caption_;
    int lastDrawn_ = -1;
};

} // namespace zelvor::cli
