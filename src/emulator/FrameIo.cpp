#include "FrameIo.h"

#include <string>

namespace zelvor::emu {

namespace {

std::uint8_t sum8(const std::uint8_t* data, std::size_t n) {
    unsigned s = 0;
    for (std::size_t i = 0; i < n; ++i)
        s += data[i];
    return static_cast<std::uint8_t>(s & 0xFF);
}

} // namespace

const FaultRule* FrameIo::strike(FaultKind kind, FaultAt at) {
    const FaultRule* rule = faults_.strike(kind, at, opCode_);
    if (rule) {
        std::string fields = "{\"fault\":\"";
        fields += FaultPlan::kindName(kind);
        fields += "\",\"op\":" + std::to_string(opCode_) + ",\"ms\":" + std::to_string(rule->ms) +
                  ",\"bytes\":" + std::to_string(rule->bytes) + "}";
        transcript_.event("fault", fields);
    }
    return rule;
}

void FrameIo::beginOperation(int opCode) {
    opCode_ = opCode;
    if (budget_ < 0) {
        if (const FaultRule* r = strike(FaultKind::Disconnect, FaultAt::Any)) {
            budget_ = r->bytes;
            deafMs_ = r->ms;
        }
    }
}

void FrameIo::applySlow() {
    if (const FaultRule* r = strike(FaultKind::Slow, FaultAt::Any))
        port_.sleepMs(r->ms < 0 ? 700 : r->ms);
}

bool FrameIo::sendRaw(const std::uint8_t* data, std::size_t n, const char* kind,
                      const std::string& fields) {
    std::size_t toSend = n;
    bool cut = false;
    if (budget_ >= 0 && static_cast<long long>(n) >= budget_) {
        toSend = static_cast<std::size_t>(budget_);
        cut = true;
    }
    transcript_.record("emu", kind, data, toSend, fields);
    bool ok = toSend == 0 || port_.write(data, toSend);
    if (budget_ >= 0) budget_ -= static_cast<long long>(toSend);
    if (cut) {
        transcript_.event("disconnect", "{\"deafMs\":" + std::to_string(deafMs_) + "}");
        port_.goDeaf(deafMs_);
        budget_ = -1;
    }
    return ok;
}

bool FrameIo::sendByte(std::uint8_t b, const char* kind) {
    applySlow();
    return sendRaw(&b, 1, kind);
}

FrameIo::Outcome FrameIo::sendReply(const std::vector<std::uint8_t>& data, int tries) {
    std::vector<std::uint8_t> frame;
    frame.push_back(static_cast<std::uint8_t>(data.size() - 1));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(sum8(data.data(), data.size()));
    return sendFrame(frame, false, data.size(), tries);
}

FrameIo::Outcome FrameIo::sendBulk(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> frame(data);
    frame.push_back(sum8(data.data(), data.size()));
    return sendFrame(frame, true, data.size(), 2);
}

FrameIo::Outcome FrameIo::sendFrame(std::vector<std::uint8_t> frame, bool bulk, std::size_t dataLen,
                                    int tries) {
    const FaultAt at = bulk ? FaultAt::Bulk : FaultAt::Reply;
    const char* kind = bulk ? "bulk" : "reply";
    const std::vector<std::uint8_t> clean = frame;
    for (int attempt = 0; attempt < tries; ++attempt) {
        frame = clean;
        if (strike(FaultKind::Corrupt, at))
            frame.back() = static_cast<std::uint8_t>(frame.back() + 1);
        if (const FaultRule* r = strike(FaultKind::Drop, at)) {
            for (int i = 0; i < r->bytes && !frame.empty(); ++i)
                frame.erase(frame.begin() +
                            faults_.random(static_cast<std::uint32_t>(frame.size())));
        }
        applySlow();
        std::string fields = "{\"attempt\":" + std::to_string(attempt + 1) +
                             ",\"dataLen\":" + std::to_string(dataLen);
        if (!bulk && clean.size() > 1) fields += ",\"status\":" + std::to_string(clean[1]);
        fields += ",\"checksumOk\":";
        fields += frame.size() == clean.size() && frame.back() == clean.back() ? "true}" : "false}";
        if (!sendRaw(frame.data(), frame.size(), kind, fields)) return Outcome::Stopped;
        // The host reads the whole frame under its time-out (500 ms + 2 ms a byte) and answers.
        const int wait = 1500 + 2 * static_cast<int>(dataLen);
        const int c = port_.readByte(wait);
        if (c == -2) return Outcome::Stopped;
        if (c < 0) {
            transcript_.event("no-answer", std::string("{\"frame\":\"") + kind + "\"}");
            return Outcome::Abandoned;
        }
        const std::uint8_t answer = static_cast<std::uint8_t>(c);
        transcript_.record("host", "answer", &answer, 1);
        if (answer == 0x55) return Outcome::Done;
        if (answer != 0x01) {
            port_.unread(answer);
            return Outcome::Abandoned;
        }
    }
    transcript_.event("host-gave-up", std::string("{\"frame\":\"") + kind + "\"}");
    return Outcome::Abandoned;
}

FrameIo::Piece FrameIo::readPiece(std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& frame,
                                  int timeoutMs) {
    data.clear();
    frame.clear();
    const int first = port_.readByte(timeoutMs);
    if (first == -2) return Piece::Stopped;
    if (first < 0) return Piece::Timeout;
    frame.push_back(static_cast<std::uint8_t>(first));
    const int n = first + 1;
    data.resize(static_cast<std::size_t>(n));
    const int got = port_.readExact(data.data(), n, 500);
    if (got == -2) return Piece::Stopped;
    frame.insert(frame.end(), data.begin(), data.begin() + got);
    if (got < n) {
        data.resize(static_cast<std::size_t>(got));
        transcript_.record("host", "piece-short", frame.data(), frame.size());
        return Piece::Timeout;
    }
    const int sum = port_.readByte(500);
    if (sum == -2) return Piece::Stopped;
    if (sum < 0) {
        transcript_.record("host", "piece-short", frame.data(), frame.size());
        return Piece::Timeout;
    }
    frame.push_back(static_cast<std::uint8_t>(sum));
    const bool good = sum8(data.data(), data.size()) == sum;
    transcript_.record("host", "piece", frame.data(), frame.size(),
                       "{\"len\":" + std::to_string(n) +
                           ",\"checksumOk\":" + (good ? "true" : "false") + "}");
    return good ? Piece::Ok : Piece::BadChecksum;
}

} // namespace zelvor::emu
