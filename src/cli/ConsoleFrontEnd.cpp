#include "ConsoleFrontEnd.h"

#include <cstdio>
#include <unistd.h>

namespace zelvor::cli {

void ConsoleFrontEnd::statusMessage(const QString& text) {
    if (text.isEmpty()) return;
    out_ << text << Qt::endl;
}

void ConsoleFrontEnd::messageBox(const QString& text, Icon) {
    out_ << text << Qt::endl;
}

FrontEnd::Answer ConsoleFrontEnd::question(const QString& text) {
    if (!interactive) {
        err_ << text << (defaultAnswer == Answer::Yes ? " [yes]" : " [no]") << Qt::endl;
        return defaultAnswer;
    }
    err_ << text << " [y/n/c] " << Qt::flush;
    char line[64] = {};
    if (!std::fgets(line, sizeof line, stdin)) return Answer::Cancel;
    if (line[0] == 'y' || line[0] == 'Y') return Answer::Yes;
    if (line[0] == 'n' || line[0] == 'N') return Answer::No;
    return Answer::Cancel;
}

std::optional<QString> ConsoleFrontEnd::inputText(const QString& caption, const QString& prompt,
                                                  const QString&) {
    if (!interactive) return std::nullopt;
    err_ << caption << prompt << Qt::flush;
    char line[256] = {};
    if (!std::fgets(line, sizeof line, stdin)) return std::nullopt;
    return QString::fromLocal8Bit(line).trimmed();
}

void ConsoleFrontEnd::progressShow(const QString& caption) {
    caption_ = caption;
    lastDrawn_ = -1;
}

void ConsoleFrontEnd::progressSet(int position) {
    if (!showProgress) return;
    const int pct = int(qint64(position) * 100 / 65535);
    if (pct == lastDrawn_) return;
    if (!isatty(2)) {
        // Into a file or a pipe: a line every tenth, not a redrawn bar.
        if (lastDrawn_ >= 0 && pct / 10 == lastDrawn_ / 10) return;
        lastDrawn_ = pct;
        err_ << caption_ << ' ' << pct << '%' << Qt::endl;
        return;
    }
    lastDrawn_ = pct;
    const int filled = pct * 40 / 100;
    err_ << '\r' << caption_ << " [" << QString(filled, QLatin1Char('#'))
         << QString(40 - filled, QLatin1Char('.')) << "] " << pct << '%' << Qt::flush;
}

void ConsoleFrontEnd::progressClose() {
    if (showProgress && lastDrawn_ >= 0 && isatty(2)) err_ << Qt::endl;
    lastDrawn_ = -1;
}

} // namespace zelvor::cli
