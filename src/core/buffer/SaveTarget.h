#pragma once
// Where a saved file goes. A regular file (or a new name) is written to a temporary file in
// the same folder that replaces it only once complete, keeping its permissions. A name that
// exists and is not a regular file (a device, a FIFO) is written into directly and never
// replaced. A symbolic link is followed: the file it points to is handled as above and the
// link stays.

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace zelvor {

class SaveTarget {
  public:
    explicit SaveTarget(const QString& path) : path_(path) {}
    ~SaveTarget() { cancel(); }
    SaveTarget(const SaveTarget&) = delete;
    SaveTarget& operator=(const SaveTarget&) = delete;

    // FileOk, or FileCreateFailed when nothing can be written there.
    [[nodiscard]] int open();
#if defined(Q_OS_UNIX)
    QIODevice& device() {
        return file_;
    }
#else
    QIODevice& device() {
        return save_;
    }
#endif
    // Finishes the save: FileOk, or FileWriteFailed (a regular file is then untouched).
    [[nodiscard]] int commit();
    // Drops what was written so far (the temporary file is removed).
    void cancel();

  private:
    QString path_;
    QByteArray final_; // the name that gets the data, links resolved
    QByteArray temp_;  // empty when writing directly
    QFile file_;
    bool direct_ = false;
#if !defined(Q_OS_UNIX)
    QSaveFile save_;
#endif
};

} // namespace zelvor
