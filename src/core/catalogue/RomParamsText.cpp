#include "catalogue/RomParamsText.h"

#include "app/HexText.h"

#include <QStringList>

namespace zelvor {

QList<QPair<QString, QString>> romParamsFields(const RomParams& p) {
    QList<QPair<QString, QString>> f;
    auto add = [&f](const char* name, qint64 v) {
        f.append({QString::fromLatin1(name), QString::number(v)});
    };
    add("algCode", p.algCode);
    add("devClass", p.devClass);
    add("vppSel", p.vppSel);
    add("pulseAlg", p.pulseAlg);
    add("vccSel", p.vccSel);
    add("optA", p.optA);
    add("optB", p.optB);
    add("optC", p.optC);
    add("dataWidth", p.dataWidth);
    add("baseWidth", p.baseWidth);
    add("extraBits", p.extraBits);
    add("romLen", p.romLen);
    add("sizeDiv", p.sizeDiv);
    add("lowVcc", p.lowVcc);
    add("canWrite", p.canWrite);
    add("canErase", p.canErase);
    add("canCompare", p.canCompare);
    add("canLock", p.canLock);
    add("canTestRam", p.canTestRam);
    add("canSetVpp", p.canSetVpp);
    add("canRead", p.canRead);
    add("canBlank", p.canBlank);
    add("canReadId", p.canReadId);
    add("adapter", p.adapter);
    add("slowOnly", p.slowOnly);
    add("hasSdp", p.hasSdp);
    add("hasBblSet", p.hasBblSet);
    add("opt21", p.opt21);
    add("verifyBlock", p.verifyBlock);
    add("hasBblRead", p.hasBblRead);
    add("variant", p.variant);
    add("subType", p.subType);
    f.append({QStringLiteral("romName"), p.romName});
    QStringList fuses;
    for (quint8 b : p.fuseBytes)
        fuses << Hex_str(b, 2);
    f.append({QStringLiteral("fuseBytes"), fuses.join(u' ')});
    return f;
}

} // namespace zelvor
