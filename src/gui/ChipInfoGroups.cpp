#include "ChipInfoGroups.h"

#include "app/HexText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace zelvor::gui {

namespace {

struct Caption {
    const char* name;
    const char* ru;
    const char* en;
};

constexpr Caption kCaptions[] = {
    {"Label9", "Микросхема", "Device"},
    {"Label10", "Алгоритм", "Algorithm"},
    {"Label11", "Напр. прогр.", "Voltage"},
    {"Label4", "Адрес(нач.,кон.)", "Addr(start,end)"},
    {"Label5", "Размер буфера", "Buffer size"},
    {"Label7", "Контр.сумма", "Checksum"},
    {"Label1", "Формат файла", "File format"},
    {"Label28", "Размер ПЗУ", "ROM size"},
    {"Label3", "Смещ. в буф.", "Offset of buffer"},
};

QLabel* captionLabel(const char* name, bool english) {
    for (const Caption& c : kCaptions)
        if (qstrcmp(c.name, name) == 0) {
            auto* l = new QLabel(QString::fromUtf8(english ? c.en : c.ru));
            l->setObjectName(QLatin1String(name));
            return l;
        }
    return nullptr;
}

// A group of caption/value rows; a row may hold more than one value.
QGroupBox* group(const char* name, std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
    auto* box = new QGroupBox;
    box->setObjectName(QLatin1String(name));
    auto* grid = new QGridLayout(box);
    int r = 0;
    for (const auto& [cap, val] : rows) {
        grid->addWidget(cap, r, 0);
        grid->addWidget(val, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(r, 1);
    return box;
}

// Labels side by side on one row.
QWidget* line(std::initializer_list<QLabel*> labels, int spacing = -1) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0) h->setSpacing(spacing);
    for (QLabel* l : labels)
        h->addWidget(l);
    h->addStretch(1);
    return w;
}

QWidget* pair(QLabel* a, QLabel* b, int spacing = -1) {
    return line({a, b}, spacing);
}

// The checksum, then the CRC-32 of the image with its caption.
QWidget* withCrc(QLabel* checkSum, QLabel* crc) {
    auto* caption = new QLabel(QStringLiteral("CRC-32"));
    caption->setObjectName(QStringLiteral("LabelCrc32"));
    caption->setIndent(checkSum->fontMetrics().averageCharWidth() * 2);
    return line({checkSum, caption, crc});
}

} // namespace

ChipInfoGroups::ChipInfoGroups(bool english, QWidget* parent) : QWidget(parent) {
    chip_ = value("LbRomName_s");
    alg_ = value("LbRomAlg_s");
    vpp_ = value("LbRomPgg_s");
    vcc_ = value("LbRomVcc_s");
    extraData_ = value("LbAutoData");
    extraCfgw_ = value("LbAutoCfgw");
    addrStart_ = value("LbAddrStart");
    addrEnd_ = value("LbAddrEnd");
    bufSize_ = value("LbBufSize");
    checkSum_ = value("LbCheckSum");
    crc_ = value("LbCrc32");
    fileFormat_ = value("LbFileFormat");
    romSize_ = value("LbRomSize");
    bufOffset_ = value("LbBufOffset");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(group("GroupBox1", {{captionLabel("Label9", english), chip_},
                                       {captionLabel("Label10", english), alg_},
                                       {captionLabel("Label11", english), pair(vpp_, vcc_, 0)},
                                       {new QLabel, pair(extraData_, extraCfgw_)}}),
                   3);
    row->addWidget(
        group("GroupBox2", {{captionLabel("Label4", english), pair(addrStart_, addrEnd_)},
                            {captionLabel("Label5", english), bufSize_},
                            {captionLabel("Label7", english), withCrc(checkSum_, crc_)}}),
        2);
    row->addWidget(group("GroupBox3", {{captionLabel("Label1", english), fileFormat_},
                                       {captionLabel("Label28", english), romSize_},
                                       {captionLabel("Label3", english), bufOffset_}}),
                   2);
}

QLabel* ChipInfoGroups::value(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

void ChipInfoGroups::display(const WindowTexts& t) {
    chip_->setText(t.chip);
    alg_->setText(t.volt.alg);
    vpp_->setText(t.volt.vpp);
    vcc_->setText(t.volt.vcc);
    extraData_->setText(t.dataCaption);
    extraCfgw_->setText(t.cfgwCaption);
    addrStart_->setText(t.addrStart);
    addrEnd_->setText(t.addrEnd);
    bufSize_->setText(t.bufSize);
    checkSum_->setText(t.checkSum);
    fileFormat_->setText(t.fileFormat);
    romSize_->setText(t.romSize);
    bufOffset_->setText(t.bufOffset);
}

void ChipInfoGroups::showCrc(quint32 crc) {
    crc_->setText(Hex_str(crc, 8));
}

void ChipInfoGroups::showCrcPending() {
    crc_->setText(QStringLiteral("…"));
}

} // namespace zelvor::gui
