// Page "寄存器操作": read and write any register of the slave, optionally saved to its EEPROM.
#pragma once

#include "bisspage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class BissRegisterPage : public BissPage {
    Q_OBJECT
public:
    // A BiSS-C register address has 7 bits; RS485 frames carry a whole byte.
    static const char* const kByteExpression;
    static const char* const kBissAddressExpression;

    explicit BissRegisterPage(SettingsWork* work);

    QCheckBox* eepromBox;
    QLineEdit* addressField;
    QLineEdit* dataField;
    QPushButton* readButton;
    QPushButton* writeButton;

public slots:
    void viewReDraw();

private:
    void chooseValidators();
    void read();
    void write();
};
