#include "serialdialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "devicestype.h"
#include "serialportbusy.h"
#include "serialportentity.h"

namespace {
QLabel* label(const char* text, const char* name, QWidget* parent) {
    auto* l = new QLabel(translated(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
}  // namespace

SerialDialog::SerialDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(translated("串口连接"));
    resize(400, 300);
    setFont(QFont(QStringLiteral("Corbel"), 12));

    auto* grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("gridLayout_2"));
    serialPortNum = new QComboBox(this);
    serialPortNum->setObjectName(QStringLiteral("serialPortNum"));
    baudRate = new QComboBox(this);
    baudRate->setObjectName(QStringLiteral("baudRate"));
    devicesType = new QComboBox(this);
    devicesType->setObjectName(QStringLiteral("devicesType"));
    search = new QPushButton(translated("扫描串口"), this);
    search->setObjectName(QStringLiteral("search"));
    connectButton = new QPushButton(translated("连接设备"), this);
    connectButton->setObjectName(QStringLiteral("connect"));
    connectButton->setDefault(true);
    for (QComboBox* box : {serialPortNum, baudRate, devicesType})
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    grid->addWidget(label("串口号:", "serialPortNumLabel", this), 1, 0);
    grid->addWidget(serialPortNum, 1, 1);
    grid->addWidget(label("波特率:", "baudRateLabel", this), 2, 0);
    grid->addWidget(baudRate, 2, 1);
    grid->addWidget(label("设备型号:", "devicesTypeLabel", this), 3, 0);
    grid->addWidget(devicesType, 3, 1);
    grid->addWidget(search, 4, 0);
    grid->addWidget(connectButton, 4, 1);
    grid->setColumnStretch(1, 1);
    setTabOrder(serialPortNum, baudRate);
    setTabOrder(baudRate, devicesType);
    setTabOrder(devicesType, search);
    setTabOrder(search, connectButton);

    QMetaObject::connectSlotsByName(this);
}

void SerialDialog::init() {
    emit getConfigArgments();
    emit getSerialPortList();
}

void SerialDialog::getConfigArgments(SerialPortEntity* entity) {
    serialPortEntity = entity;
    const QFont small(QStringLiteral("Corbel"), 10);
    baudRate->clear();
    baudRate->setFont(small);
    baudRate->addItem(QString());
    for (const char* rate : {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200",
                             "230400", "460800", "921600"})
        baudRate->addItem(QString::fromLatin1(rate));
    baudRate->setCurrentText(QString::number(entity->getBaudRate()));

    devicesType->clear();
    devicesType->setFont(small);
    devicesType->addItem(QString());
    devicesType->addItems(DevicesType::instance()->keyList());
    devicesType->setCurrentText(DevicesType::instance()->connectedKey());
}

void SerialDialog::scanSerialPort(QStringList serialPortList) {
    serialPortNum->setFont(QFont(QStringLiteral("Corbel"), 10));
    serialPortNum->clear();
    serialPortNum->addItem(QString());
    serialPortNum->addItems(serialPortList);
    // A stored port that is not in the list leaves the empty entry selected.
    const int stored =
        serialPortEntity ? serialPortNum->findText(serialPortEntity->getSerialPortNum()) : -1;
    serialPortNum->setCurrentIndex(qMax(0, stored));
}

void SerialDialog::on_search_clicked() {
    serialPortNum->setCurrentText(QString());
    serialPortNum->clear();
    emit getSerialPortList();
}

void SerialDialog::on_connect_clicked() {
    auto* entity = new SerialPortEntity(this);
    const QString port = serialPortNum->currentText();
    const int rate = baudRate->currentText().toInt();
    const QString type = devicesType->currentText();
    if (SerialPortBusy::instance()->isOpen())
        return;  // a job is using the port

    connectButton->setEnabled(false);
    const char* problem = nullptr;
    if (port.isEmpty())
        problem = "串口号不能为空!!";
    else if (rate == 0)
        problem = "波特率不能为空!!";
    else if (type.isEmpty())
        problem = "设备类型不能为空!!";
    if (problem) {
        emit showMsg(QMessageBox::Warning, translated(problem));
        connectButton->setEnabled(true);
        return;
    }
    mayClose = false;
    entity->setSerialPortNum(port);
    entity->setBaudRate(rate);
    DevicesType::instance()->setConnectedType(type);
    emit setConfigArgments(entity);
    emit toConnect(entity);
}

void SerialDialog::connectFinished(QString, bool) {
    mayClose = true;
    connectButton->setEnabled(true);
    close();
}

void SerialDialog::closeEvent(QCloseEvent* event) {
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void SerialDialog::reject() {
    if (mayClose)
        QDialog::reject();
}
