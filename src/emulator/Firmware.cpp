#include "Firmware.h"

#include <algorithm>
#include <string>

namespace zelvor::emu {

namespace {

bool isOneOf(int v, std::initializer_list<int> list) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

std::vector<std::uint8_t> record(std::uint32_t addr, std::uint8_t b3, std::uint8_t b4) {
    return {static_cast<std::uint8_t>(addr >> 16), static_cast<std::uint8_t>(addr >> 8),
            static_cast<std::uint8_t>(addr), b3, b4};
}

} // namespace

Firmware::Firmware(const ChipProfile& profile, SerialEndpoint& port, VirtualChip& chip,
                   FaultPlan& faults, Transcript& transcript)
    : profile_(profile), port_(port), chip_(chip), faults_(faults), transcript_(transcript),
      decoder_(profile), io_(port, faults, transcript) {}

int Firmware::baudForCode(int code) {
    switch (code) {
    case 0:
        return 9600;
    case 1:
        return 57600;
    case 2:
        return 115200;
    case 4:
        return 230400;
    default:
        return 460800;
    }
}

Physics Firmware::physicsFor(const Operation& op) {
    if (op.algCode == 63) return Physics::OneWay;
    switch (op.devClass) {
    case 0:
        return Physics::UvEprom;
    case 2:
        return isOneOf(op.algCode, {15, 25, 30}) ? Physics::AnyValue : Physics::OneWay;
    case 3:
    case 4:
    case 5:
        return Physics::AnyValue;
    case 6:
        return op.area == 1 ? Physics::AnyValue : Physics::OneWay;
    default:
        return Physics::OneWay;
    }
}

void Firmware::run() {
    while (serveOne()) {
    }
}

bool Firmware::serveOne(int pollMs) {
    const int c = port_.readByte(pollMs);
    if (c == -2) return false;
    if (c < 0) return true;
    busy_ = true;
    SetupPacket p;
    p.b[0] = static_cast<std::uint8_t>(c);
    if (p.b[0] != kPacketLead) {
        transcript_.record("host", "noise", p.b.data(), 1);
        busy_ = false;
        return true;
    }
    const int got = port_.readExact(p.b.data() + 1, 9, 500);
    if (got == -2) return false;
    if (got < 9) {
        transcript_.record("host", "short-packet", p.b.data(), 1 + static_cast<std::size_t>(got));
        busy_ = false;
        return true;
    }
    ++served_;
    if (!p.checksumOk()) {
        transcript_.record(
            "host", "setup", p.b.data(), 10,
            "{\"checksumOk\":false,\"expected\":" + std::to_string(p.expectedChecksum()) + "}");
        io_.beginOperation(p.b[1] & 0x0F);
        (void)io_.sendByte(kNak, "nak");
        busy_ = false;
        return true;
    }
    const Operation op = decoder_.decode(p);
    transcript_.record("host", "setup", p.b.data(), 10, op.json());
    io_.beginOperation(op.opCode);
    if (const FaultRule* r = io_.strike(FaultKind::Silence, FaultAt::Setup)) {
        port_.discardFor(r->ms < 0 ? 700 : r->ms);
    } else if (io_.strike(FaultKind::Nak, FaultAt::Setup)) {
        (void)io_.sendByte(kNak, "nak");
    } else if (io_.strike(FaultKind::WrongAck, FaultAt::Setup)) {
        (void)io_.sendByte(0xAA, "wrong-ack");
    } else if (io_.sendByte(kAck, "ack")) {
        prepareChip(op);
        dispatch(op);
    }
    busy_ = false;
    return !port_.stopRequested();
}

void Firmware::dispatch(const Operation& op) {
    switch (op.opCode) {
    case 0:
        break; // the chip is announced; nothing to answer
    case 1:
        doRead(op);
        break;
    case 2:
        doProgram(op);
        break;
    case 3:
        doLockWrite(op);
        break;
    case 4:
        doSpeed(op);
        break;
    case 5:
        doErase(op);
        break;
    case 6:
        doBlankCheck(op);
        break;
    case 7:
        doIdRead(op);
        break;
    case 8:
        doRamTest(op);
        break;
    case 9:
        chip_.setSdp(false);
        break;
    case 10:
        chip_.lockBootBlock(op.start != 0);
        break;
    case 11:
        if (isOneOf(op.algCode, {33, 34, 38, 47, 53, 58})) {
            doIdRead(op);
        } else {
            std::vector<std::uint8_t> data;
            for (std::uint32_t u = 0; u < op.units && u < 2112; ++u)
                data.push_back(chip_.bootBlockLocked(op.start + u != 0) ? 0x01 : 0x00);
            (void)io_.sendBulk(data);
        }
        break;
    case 12:
        (void)io_.sendByte(profile_.version, "version");
        break;
    case 13:
        loader_ = !loader_;
        transcript_.event("program-switch", loader_ ? "{\"loader\":true}" : "{\"loader\":false}");
        break;
    default:
        break;
    }
}

int Firmware::areaOf(const Operation& op) const {
    if (op.algCode == 63) return VirtualChip::kFirmwareArea;
    return std::clamp(op.area, 0, VirtualChip::kFirmwareArea - 1);
}

std::uint32_t Firmware::firstByte(const Operation& op) const {
    return op.start * static_cast<std::uint32_t>(op.bytesPerUnit);
}

void Firmware::prepareChip(const Operation& op) {
    chip_.setLockedRead(op.devClass == 5 ? VirtualChip::LockedRead::AllZeros
                                         : VirtualChip::LockedRead::AllOnes);
    if (op.bytesPerUnit == 2 && (op.opCode == 1 || op.opCode == 2 || op.opCode == 6))
        chip_.setWordWidth(areaOf(op), decoder_.widthFor(op.algCode, op.devClass));
    if (profile_.size && chip_.sizeBytes() == 0)
        chip_.setSizeBytes(profile_.size * static_cast<std::uint32_t>(op.bytesPerUnit));
    if (op.pageAddressed && !nandMarked_ && isOneOf(op.algCode, {60, 61, 62})) {
        nandMarked_ = true;
        const std::uint32_t page = static_cast<std::uint32_t>(decoder_.pageSizeFor(op.algCode));
        std::uint32_t block = profile_.blockSize;
        if (!block) block = op.algCode == 62 ? page * 64 : op.algCode == 61 ? 16896 : 8448;
        const std::uint32_t spare = page == 2112  ? 2048
                                    : page == 528 ? 512
                                    : page == 264 ? 256
                                                  : page;
        chip_.markBadBlocks(block, page, spare);
    }
}

void Firmware::doRead(const Operation& op) {
    std::vector<std::uint8_t> data(op.byteCount());
    const int area = areaOf(op);
    if (op.algCode == 45 && (op.area == 2 || op.area == 3)) {
        // Fuse and lock pairs: area 2 gives (low fuse, lock), area 3 (extended, high).
        for (std::uint32_t i = 0; i + 1 < data.size(); i += 2) {
            data[i] = chip_.fuse(op.area == 2 ? 1 : 3);
            data[i + 1] = chip_.fuse(op.area == 2 ? 0 : 2);
        }
    } else {
        data = chip_.readRange(area, firstByte(op), op.byteCount());
    }
    (void)io_.sendBulk(data);
}

void Firmware::noteDataLock(const Operation& op, std::uint32_t unit, std::uint8_t value) {
    if (op.area != 1) return;
    if ((op.algCode == 32 && unit == 0xFFFF) || (op.algCode == 59 && unit == 0))
        chip_.setLockLevel(std::max(chip_.lockLevel(), lockLevelOf(value, 0x07)));
}

void Firmware::doProgram(const Operation& op) {
    if (io_.sendReply({kAck}, replyTries(op, 1)) != FrameIo::Outcome::Done) return;
    const int area = areaOf(op);
    const Physics physics = physicsFor(op);
    const std::uint32_t bpu = static_cast<std::uint32_t>(op.bytesPerUnit);
    const std::uint32_t expected = op.byteCount();
    std::uint32_t received = 0;
    int pieces = 0;
    int pieceLen = -1;
    std::vector<std::uint8_t> data, frame;
    while (op.pieces > 0 ? pieces < op.pieces : received < expected) {
        const auto status = io_.readPiece(data, frame, 2000);
        if (status == FrameIo::Piece::Stopped || status == FrameIo::Piece::Timeout) return;
        if (frame.size() == 10 && pieceLen > 0 && pieceLen != 8) {
            SetupPacket p;
            std::copy(frame.begin(), frame.end(), p.b.begin());
            if (p.checksumOk()) { // the host gave up this block and starts a new operation
                for (auto it = frame.rbegin(); it != frame.rend(); ++it)
                    port_.unread(*it);
                transcript_.event("block-abandoned", "{}");
                return;
            }
        }
        if (status == FrameIo::Piece::BadChecksum) {
            (void)io_.sendByte(kNak, "nak");
            continue;
        }
        if (io_.strike(FaultKind::Nak, FaultAt::Piece)) {
            (void)io_.sendByte(kNak, "nak");
            continue;
        }
        if (io_.strike(FaultKind::WrongAck, FaultAt::Piece)) {
            (void)io_.sendByte(0xAA, "wrong-ack");
            continue;
        }
        if (!io_.sendByte(kAck, "ack")) return;
        if (pieceLen < 0) pieceLen = static_cast<int>(data.size());
        bool failed = false;
        std::vector<std::uint8_t> answer{kAck};
        if (!io_.strike(FaultKind::StoreNothing, FaultAt::Piece)) {
            const std::uint32_t base = firstByte(op) + received;
            for (std::uint32_t k = 0; k < data.size() && !failed; ++k) {
                std::uint8_t found = 0;
                const std::uint32_t at = base + k;
                if (chip_.program(area, at, data[k], physics, found)) {
                    noteDataLock(op, at / bpu, data[k]);
                    continue;
                }
                failed = true;
                const std::uint32_t unit = at / bpu;
                if (bpu == 2) {
                    const std::uint32_t word = unit * 2;
                    answer = record(unit, chip_.read(area, word), chip_.read(area, word + 1));
                } else {
                    answer = record(unit, data[k], found);
                }
            }
        }
        if (io_.sendReply(answer, replyTries(op, 2)) != FrameIo::Outcome::Done || failed) return;
        received += static_cast<std::uint32_t>(data.size());
        ++pieces;
    }
}

void Firmware::doBlankCheck(const Operation& op) {
    const int area = areaOf(op);
    const std::uint32_t base = firstByte(op);
    std::vector<std::uint8_t> answer{kAck};
    const auto data = chip_.readRange(area, base, op.byteCount());
    for (std::uint32_t i = 0; i < data.size(); ++i) {
        const std::uint8_t v = data[i];
        if (chip_.isBadByte(base + i)) continue; // bad blocks carry their markers
        if (v != chip_.erasedValue(area, base + i)) {
            const std::uint32_t unit = (base + i) / static_cast<std::uint32_t>(op.bytesPerUnit);
            answer = {0x01, static_cast<std::uint8_t>(unit >> 16),
                      static_cast<std::uint8_t>(unit >> 8), static_cast<std::uint8_t>(unit), v};
            break;
        }
    }
    (void)io_.sendReply(answer, replyTries(op, 0));
}

int Firmware::replyTries(const Operation& op, int phase) {
    const int alg = op.algCode;
    if (phase == 1) return 10;
    if (phase == 2) {
        if (alg == 0) return 30;
        if (alg == 58) return 5;
        return isOneOf(alg, {26, 27, 28, 32, 41, 42, 43, 45, 52, 55}) ? 10 : 2;
    }
    switch (op.opCode) {
    case 3:
        return op.devClass == 6 ? 10 : 5;
    case 5:
        if (alg == 58) return 300;
        if (isOneOf(alg, {36, 37, 44, 47})) return 90;
        if (isOneOf(alg, {24, 48, 49, 50, 51})) return 60;
        if (isOneOf(alg, {15, 16, 17, 33})) return 40;
        if (isOneOf(alg, {10, 38})) return 20;
        return 2;
    case 6:
        return op.devClass == 1 ? 5 : 2;
    default:
        return 2;
    }
}

int Firmware::eraseMsFor(const Operation& op, bool sector) const {
    if (profile_.eraseMs >= 0) return profile_.eraseMs;
    if (sector) return 20;
    if (isOneOf(op.algCode, {10, 15, 16, 24, 36, 37, 44, 47, 48, 49, 50, 51, 58})) return 800;
    return 100;
}

bool Firmware::sectorBounds(const Operation& op, std::uint32_t& from, std::uint32_t& to) const {
    const int alg = op.algCode;
    std::uint32_t block = profile_.blockSize;
    if ((alg == 17 || alg == 38) && !profile_.sectors.empty()) {
        from = op.start;
        to = 0xFFFFFFFFu;
        for (auto s : profile_.sectors)
            if (s > op.start && s - 1 < to) to = s - 1;
        if (to == 0xFFFFFFFFu && profile_.size) to = profile_.size - 1;
        return true;
    }
    if (!block) {
        if (alg == 33 || alg == 53)
            block = 0x10000;
        else if (alg == 46)
            block = 2048;
        else if (alg == 60)
            block = 8448;
        else if (alg == 61)
            block = 16896;
        else if (alg == 62)
            block = profile_.variant == 1 ? 0x20000 : 0x21000;
        else
            return false;
    } else if (!isOneOf(alg, {17, 38, 33, 53, 46, 60, 61, 62})) {
        return false;
    }
    from = op.start / block * block;
    to = from + block - 1;
    return true;
}

void Firmware::doErase(const Operation& op) {
    Physics physics = physicsFor(op);
    if (op.devClass == 0 && op.eraseFlag) physics = Physics::OneWay;
    std::uint32_t from = 0, to = 0;
    const bool sector = sectorBounds(op, from, to);
    if (eraseDelay_)
        eraseDelay_(eraseMsFor(op, sector));
    else
        port_.sleepMs(eraseMsFor(op, sector));
    bool ok;
    if (op.algCode == 63) {
        ok = chip_.erase(VirtualChip::kFirmwareArea, 0, 0xFFFFFFFFu, Physics::OneWay);
    } else if (sector) {
        const std::uint32_t bpu = PacketDecoder::alwaysWide(op.algCode) ? 2 : 1;
        ok = chip_.erase(0, from * bpu, to * bpu + bpu - 1, physics);
    } else {
        ok = chip_.eraseAll(physics);
    }
    transcript_.event("erase", std::string("{\"ok\":") + (ok ? "true" : "false") +
                                   ",\"sector\":" + (sector ? "true" : "false") + ",\"from\":" +
                                   std::to_string(from) + ",\"to\":" + std::to_string(to) + "}");
    (void)io_.sendReply({static_cast<std::uint8_t>(ok ? kAck : kNak)}, replyTries(op, 0));
}

void Firmware::doSpeed(const Operation& op) {
    const int baud = baudForCode(op.speedCode);
    transcript_.event("speed", "{\"code\":" + std::to_string(op.speedCode) +
                                   ",\"baud\":" + std::to_string(baud) + "}");
    port_.setBaud(baud);
}

} // namespace zelvor::emu
