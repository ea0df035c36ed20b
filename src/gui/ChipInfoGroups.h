#pragma once
// The chip, buffer and file groups under the middle panel: fixed captions and the labels
// that ShowWindow fills.

#include "program/Screen.h"

#include <QWidget>

class QLabel;

namespace zelvor::gui {

class ChipInfoGroups : public QWidget {
  public:
    ChipInfoGroups(bool english, QWidget* parent = nullptr);

    void display(const WindowTexts& t);
    // The CRC-32 of the whole image, beside the checksum.
    void showCrc(quint32 crc);
    void showCrcPending(); // while a large image is still being summed

  private:
    QLabel* value(const char* name);

    QLabel* chip_;
    QLabel* alg_;
    QLabel* vpp_;
    QLabel* vcc_;
    QLabel* extraData_;
    QLabel* extraCfgw_;
    QLabel* addrStart_;
    QLabel* addrEnd_;
    QLabel* bufSize_;
    QLabel* checkSum_;
    QLabel* crc_;
    QLabel* fileFormat_;
    QLabel* romSize_;
    QLabel* bufOffset_;
};

} // namespace zelvor::gui
