#include "service/Firmware.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

void Read_ver(Session& s, quint8& version) {
    version = 0;
    ShowMessageS(s, QString());
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
    s.op.opCode = 12;
    const int rc = Send_mode(s);
    s.op.opState = rc != 0 ? rc : Read_byte(s, version);
}

QString firmwareGeneration(quint8 version) {
    static const QStringList gen5 = {"01", "02", "11", "21", "31", "10", "20"};
    return gen5.contains(Hex_str(version, 2)) ? QStringLiteral("Версия 5.")
                                              : QStringLiteral("Версия 4.");
}

QString versionLine(const Session& s, quint8 version) {
    const QString size = s.rom.sizeDiv > 1 ? Hex_str(quint32(s.rom.sizeDiv), 1) : QString();
    const QString base =
        s.base.valid(s.settings.romIdx) ? s.base.at(s.settings.romIdx).baseName : QString();
    return firmwareGeneration(version) + Hex_str(version, 2) + QStringLiteral(" Тип м.с ") + base +
           QStringLiteral(" ") + size;
}

int showFirmwareVersion(Session& s) {
    quint8 version = 0;
    Read_ver(s, version);
    if (s.op.opState != 0) {
        ShowMessageSc(s, QString::fromUtf8(msg::LinkError.ru));
        Reopen_com(s);
        return s.op.opState;
    }
    ShowMessageS(s, versionLine(s, version));
    return 0;
}

namespace {

bool firmwareChipUsable(const RomParams& r) {
    return r.devClass <= 3 && r.dataWidth == 8 && r.canErase == 1 && r.canBlank == 1 &&
           r.canWrite == 1 && r.canCompare == 1;
}

} // namespace

int updateFirmware(Session& s, const ChipCommands& cmds) {
    if (s.buf.size == 0) {
        s.op.opState = 99;
        ShowMessageS(s, msg::FwBufferEmpty);
        return s.op.opState;
    }
    // The steps run with the current chip's rules: only a plain 8-bit chip with every
    // step moves the image unchanged, and only a whole image makes a firmware.
    if (s.buf.size < kFirmwareSize) {
        s.op.opState = kRefused;
        ShowMessageS(s, msg::FwNeedsImage);
        return s.op.opState;
    }
    if (!firmwareChipUsable(s.rom)) {
        s.op.opState = kRefused;
        ShowMessageS(s, msg::FwNeedsChip);
        return s.op.opState;
    }
    ShowMessageS(s, msg::FwUpdating);
    if (s.settings.baudIdx > 0) {
        s.op.opCode = 4;
        s.settings.baudIdx = 0;
        (void)Send_mode(s);
        Reopen_com(s);
        ShowMessageT(s);
    }
    const qint32 savedStart = s.buf.addrStart;
    const qint32 savedEnd = s.buf.addrEnd;
    const quint8 savedAlg = s.rom.algCode;
    s.buf.addrStart = 0;
    s.buf.addrEnd = kFirmwareSize - 1;
    s.rom.algCode = kFirmwareAlg;
    s.op.opCode = 13;
    (void)Send_mode(s);

    int rc = 0;
    for (const auto* step : {&cmds.erase, &cmds.blank, &cmds.program, &cmds.compare}) {
        rc = (*step)(s);
        if (rc == 0) rc = s.op.opState;
        if (rc != 0) break; // the step has shown what went wrong
    }

    s.op.opCode = 13;
    (void)Send_mode(s);
    s.buf.addrStart = savedStart;
    s.buf.addrEnd = savedEnd;
    s.rom.algCode = savedAlg;
    s.op.opState = rc;
    if (rc == 0) ShowMessageS(s, msg::FwUpdated);
    return rc;
}

int switchProgram(Session& s) {
    s.op.opCode = 13;
    const int rc = Send_mode(s);
    ShowMessageS(s, QString::number(rc));
    s.op.opState = rc;
    return rc;
}

int selfTest(Session& s, const ChipCommands& cmds) {
    const int read = cmds.read(s);
    if (read != 0) return read; // nothing is erased over a chip that could not be read
    int first = 0;
    auto run = [&](const std::function<int(Session&)>& step) {
        const int rc = step(s);
        if (rc != 0 && first == 0) first = rc;
    };
    for (int i = 0; i < (s.rom.algCode == 9 ? 3 : 1); ++i)
        run(cmds.erase);
    run(cmds.blank);
    run(cmds.program);
    run(cmds.compare);
    s.op.opState = first;
    return first;
}

} // namespace zelvor
