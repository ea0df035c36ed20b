#include "protect/LockBits.h"

#include "catalogue/AlgFamilies.h"
#include "catalogue/Features.h"

#include "app/AlgSet.h"
#include "app/Messenger.h"
#include "link/Frames.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

namespace {

constexpr int kLockReplyTries = 5;

// Lock bits a menu or toolbar step programs, counted cumulatively: a step for bit 2 or 3
// also keeps bit 1 programmed (the menu runs 1, then 2, then 3).
quint8 lockBitsUpTo(int selector) {
    switch (selector) {
    case kLockBit1:
        return 0x01;
    case kLockBit2:
    case kLockBit3:
        return 0x03;
    default:
        return 0x00;
    }
}

bool lockValueInPacket(const RomParams& r) {
    return mcs51ParallelFuses(r) || mcs51SerialFuses(r);
}

// MCS-51 whose security bits are one data byte of the second area: at 0xFFFF behind the
// LDROM (32) or at address 0 (59).
constexpr AlgSet kLockAsData{32, 59};

void setWindow(Session& s) {
    s.op.opStart = s.buf.addrStart;
    s.op.opEnd = s.buf.addrEnd;
}

} // namespace

quint8 dataLockByte(const RomParams& rom, int selector) {
    if (rom.algCode == 59) return 0xF8;
    switch (selector) {
    case kLockBit1:
        return 0xFE;
    case kLockBit2:
        return 0xFC;
    case kLockBit3:
        return 0xFE;
    case kLockX2:
        return 0xDF;
    default:
        return 0xFF;
    }
}

bool hasX2Mode(const RomParams& rom) {
    return chipFeatures(rom).x2Mode;
}

LockResult Set_Bit(Session& s, int selector) {
    const RomParams& r = s.rom;
    ShowMessageS(s, QString());
    if (r.canLock != 1) {
        ShowMessageS(s, msg::NoLockBit);
        s.op.opState = kRefused;
        return LockResult::Refused;
    }
    s.op.lockSel = selector;
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));

    if (kLockAsData.contains(r.algCode)) {
        // The lock byte is written as data into the second area.
        s.op.opCode = 2;
        s.op.opStart = s.op.opEnd = hasLdrom(r) ? 0xFFFF : 0;
        s.op.progPos = 0;
        s.op.lenBl = 1;
        s.link.auxBuf[0] = dataLockByte(r, selector);
        AreaScope area(s, 1);
        Read_otw(s, 0, 1);
    } else {
        s.op.opCode = 3;
        if (lockValueInPacket(r)) {
            if (selector != kLockValue) {
                // The packet carries the lock value itself: build it from the bits chosen.
                const quint8 bits = lockBitsUpTo(selector);
                s.op.lockByte = r.algCode == 28 ? quint8(0xE0 | (0x03 & ~bits))
                                                : quint8(r.fuseBytes[0] & ~bits);
            }
            s.op.opStart = s.op.opEnd = s.op.lockByte;
        } else if (r.algCode == 44 && r.variant != 0) {
            switch (selector) {
            case kLockBit1:
                s.op.opStart = s.op.opEnd = 0x3000;
                break;
            case kLockBit2:
                s.op.opStart = s.op.opEnd = 0x4000;
                break;
            case kLockBit3:
                s.op.opStart = s.op.opEnd = 0x5000;
                break;
            case kLockX2:
                s.op.opStart = s.op.opEnd = 0x2000;
                break;
            default:
                setWindow(s);
                break;
            }
        } else if (r.algCode == 44) {
            switch (selector) {
            case kLockBit1:
                s.op.opStart = s.op.opEnd = 0;
                break;
            case kLockBit2:
                s.op.opStart = s.op.opEnd = 1;
                break;
            case kLockBit3:
                s.op.opStart = s.op.opEnd = 2;
                break;
            default:
                setWindow(s);
                break;
            }
        } else if (r.devClass == 6) {
            s.op.cmdArg = 0xE0;
            s.op.opStart = s.op.opEnd = 0xC000;
        } else {
            setWindow(s);
        }
        s.op.opState = commandExchange(s, kLockReplyTries);
    }

    const int rc = s.op.opState;
    if (rc == opres::kBadReply || rc == opres::kVerifyMismatch) {
        // The programmer reported the byte it found: the lock was not programmed.
        ShowMessageS(s, msg::LockProgError);
        return LockResult::NotProgrammed;
    }
    if (rc != 0) {
        ShowMessageSc(s, QString::fromUtf8(msg::LinkError.ru));
        Reopen_com(s);
        return LockResult::LinkFailed;
    }
    if (s.link.ansBuf[0] != 0x55) {
        ShowMessageS(s, msg::LockProgError);
        s.op.opState = opres::kBadReply;
        return LockResult::NotProgrammed;
    }
    ShowMessageS(s, hasX2Mode(r) ? msg::LockX2Set : msg::LockSet);
    return LockResult::Done;
}

namespace {

// The steps in order; the first that is not done ends the sequence, so its message is the
// last one shown and no later step can cover it with a success text.
int runSteps(Session& s, std::initializer_list<int> selectors) {
    for (int sel : selectors) {
        if (Set_Bit(s, sel) != LockResult::Done) return s.op.opState != 0 ? s.op.opState : kRefused;
    }
    return 0;
}

} // namespace

int SetBitClick(Session& s) {
    int rc = 0;
    if (s.rom.algCode == 44) {
        rc = runSteps(s, {kLockBit1, kLockBit2, kLockBit3, kLockBit2, kLockBit3});
    } else if (s.rom.algCode == 45) {
        // The lock byte of the parallel AVR lives in area 3; area 0 or 1 would address
        // the high fuse byte instead.
        s.op.lockByte = 0xF9;
        AreaScope area(s, 3);
        rc = runSteps(s, {kLockValue, kLockBit2, kLockBit3});
    } else {
        rc = runSteps(s, {kLockBit1, kLockBit2, kLockBit3});
    }
    s.op.opState = rc;
    return rc;
}

int lockBitsMenu(Session& s, int bits) {
    int rc = 0;
    switch (bits) {
    case 1:
        rc = runSteps(s, {kLockBit1});
        break;
    case 2:
        rc = runSteps(s, {kLockBit1, kLockBit2});
        break;
    default:
        rc = runSteps(s, {kLockBit1, kLockBit2, kLockBit3});
        break;
    }
    s.op.opState = rc;
    return rc;
}

int setX2Click(Session& s) {
    const int rc = runSteps(s, {kLockX2});
    s.op.opState = rc;
    return rc;
}

} // namespace zelvor
