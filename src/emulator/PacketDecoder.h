#pragma once
// Turns a set-up packet into an Operation: class, area, address range, units and width.
// Everything the packet does not say comes from the chip profile.

#include "ChipProfile.h"
#include "SetupPacket.h"

namespace zelvor::emu {

class PacketDecoder {
  public:
    explicit PacketDecoder(const ChipProfile& profile) : profile_(profile) {}

    Operation decode(const SetupPacket& packet) const;

    // Class of a packet: from the profile, else from B1 bits 4-5 and the algorithm number.
    int inferClass(const SetupPacket& packet) const;
    // Data width of the chip for an algorithm (profile first).
    int widthFor(int algCode, int devClass) const;
    // Page length (with spare) of a page Flash algorithm.
    int pageSizeFor(int algCode) const;
    // Bytes per address on the wire for an operation's data.
    int bytesPerUnit(const Operation& op) const;

    static bool alwaysWide(int algCode);

  private:
    void decodeAddresses(Operation& op) const;
    bool decodePaged(Operation& op) const;
    void decodeSerialEeprom(Operation& op) const;
    void decodePic(Operation& op) const;
    void decodeAvr(Operation& op) const;
    void decodeParallel(Operation& op) const;

    const ChipProfile& profile_;
};

} // namespace zelvor::emu
