#include "program/Screen.h"

#include "app/HexText.h"
#include "buffer/BufferInit.h"
#include "catalogue/Adapters.h"
#include "catalogue/AlgFamilies.h"

namespace zelvor {

WindowTexts ShowWindow(Session& s) {
    const RomParams& p = s.rom;
    RomBuf& b = s.buf;
    WindowTexts w;
    w.fileFormat = s.settings.fileFmt == 1 ? QStringLiteral("BIN") : QStringLiteral("HEX");
    w.chip = chipLabel(s);
    w.volt = voltageLabels(p);
    w.bufSize = Hex_str(quint32(b.size), 7);
    Cnt_sizeb(b);
    w.checkSum = Hex_str(b.checkSum, 4);
    w.addrStart = Hex_str(quint32(b.addrStart), 7);
    w.addrEnd = Hex_str(quint32(b.addrEnd), 7);
    w.bufOffset = Hex_str(quint32(b.bufOffset), 6);
    w.romSize = sizeLabel(p);
    w.romSizeUnit = QStringLiteral("x 8");
    if (s.settings.autoData == 1)
        w.dataCaption = hasLdrom(p) ? QStringLiteral("+ LDROM") : QStringLiteral("+ DATA");
    if (s.settings.autoCfgw == 1)
        w.cfgwCaption = p.devClass == 5 ? QStringLiteral("+ CFGW") : QStringLiteral("+ Fuse Bits");
    return w;
}

PanelChoice panelChoice(const Session& s) {
    PanelChoice c;
    if (s.rom.devClass == 5) {
        c.pic18 = pic18(s.rom);
        c.pic16 = !pic18(s.rom);
    }
    c.fuse = s.feat.fuseBits;
    return c;
}

PicShowData PicShow(const Session& s) {
    const RomParams& p = s.rom;
    PicShowData d;
    AreaList& l = d.area;
    const QString code = QStringLiteral("Code");
    if (p.devClass == 6 || p.devClass == 5) {
        l.items = {code, QStringLiteral("Data")};
        l.shown = true;
        l.enabled = p.devClass == 6 || p.variant == 1;
    } else {
        if (const char* second = secondArea(p).name) {
            l.items = {code, QString::fromLatin1(second)};
            l.shown = true;
            l.enabled = true;
        }
    }
    l.selected = (s.op.area >= 0 && s.op.area < l.items.size()) ? s.op.area : -1;

    d.panels = panelChoice(s);
    d.adapters = AdapterShow(s);
    return d;
}

} // namespace zelvor
