#pragma once
// The far end of a real pseudo-terminal: the test opens the slave side with the program's
// serial code, and a script plays the programmer on the master side in its own thread.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <thread>

namespace zelvor::test {

class PtyPeer {
  public:
    using Clock = std::chrono::steady_clock;

    PtyPeer();  // opens the master; check ok()
    ~PtyPeer(); // joins the script and closes everything
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool ok() const { return master_ >= 0; }
    QString slavePath() const { return slavePath_; }
    int slaveFd() const { return slave_; }

    // Runs `script` in a thread of its own.
    void run(std::function<void(PtyPeer&)> script);
    void join();

    // For the script: reads exactly n bytes (less when timeoutMs passes), writes bytes,
    // and takes the master away as if the programmer had been unplugged.
    QByteArray readBytes(int n, int timeoutMs = 3000);
    void writeBytes(const QByteArray& bytes);
    void vanish();

  private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::thread thread_;
};

} // namespace zelvor::test
