#include "program/ConfigView.h"

#include "app/HexText.h"
#include "protect/Fuses.h"
#include "protect/Pic18Config.h"

namespace zelvor {

namespace {

PicWordView picWordView(const Session& s) {
    const ConfigState& c = s.cfg;
    PicWordView v;
    v.fields = c.picFields;
    v.wordShown = c.picLayoutFound;
    v.word = Hex_str(c.cfgWord, 4);
    v.userId = c.userId;
    v.debugShown = s.run.debugMode == 1 && !c.debugWord.isEmpty();
    v.debugWord = c.debugWord;
    return v;
}

Pic18View pic18View(const ConfigState& c) {
    Pic18View v;
    v.foscItems = pic18FoscItems();
    v.borvItems = pic18BorvItems();
    v.wdtpsItems = pic18WdtpsItems();
    v.fosc = c.pic18.fosc;
    v.borv = c.pic18.borv;
    v.wdtps = c.pic18.wdtps;
    for (const Pic18Box& b : pic18Boxes()) {
        const bool enabled = !b.upperBlock || c.pic18.upperBlocksEnabled;
        const bool checked = (c.pic18.checked[size_t(b.byte)] & b.bit) != 0;
        v.boxes.push_back(
            {QLatin1String(b.name), QLatin1String(b.caption), true, enabled, checked});
    }
    v.bytes = pic18Text(c);
    return v;
}

FuseView fuseView(const Session& s) {
    static constexpr const char* kLockNames[] = {"lb1", "lb2", "blb01", "blb02", "blb11", "blb12"};
    const ConfigState& c = s.cfg;
    FuseView v;
    for (int i = 0; i < ConfigState::kFuseBoxes; ++i) {
        const BoxAccess a = fuseBoxAccess(s, false, i);
        const QString name = i < 8    ? QStringLiteral("f%1").arg(i)
                             : i < 16 ? QStringLiteral("h%1").arg(i - 8)
                                      : QStringLiteral("E%1").arg(i - 16);
        v.fuses[size_t(i)] = {name, c.fuseNames[size_t(i)], a.shown, a.enabled,
                              c.fuseChecked[size_t(i)]};
    }
    for (int i = 0; i < ConfigState::kLockBoxes; ++i) {
        const BoxAccess a = fuseBoxAccess(s, true, i);
        const QString name = QLatin1String(kLockNames[i]);
        v.locks[size_t(i)] = {name, name.toUpper(), a.shown, a.enabled, c.lockChecked[size_t(i)]};
    }
    v.valueLine = c.fuseValueLine;
    return v;
}

} // namespace

ConfigView configView(const Session& s) {
    ConfigView v;
    v.panels = panelChoice(s);
    // All three, also for the panels hidden now: the widgets are made from them once.
    v.pic16 = picWordView(s);
    v.pic18 = pic18View(s.cfg);
    v.fuse = fuseView(s);
    return v;
}

} // namespace zelvor
