// The modal dialog in which the operator picks port, baud rate and device type and connects.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QStringList>

#include "serialportentity.h"

class QComboBox;
class QPushButton;
class SerialPortEntity;

class SerialDialog : public QDialog {
    Q_OBJECT
public:
    explicit SerialDialog(QWidget* parent = nullptr);

    // Asks for the stored settings and the port list; call after wiring.
    void init();
    bool getMayClose() const { return mayClose; }

signals:
    void getConfigArgments();
    void getSerialPortList();
    void setConfigArgments(SerialPortEntity* serialPortEntity);
    void toConnect(SerialPortEntity* serialPortEntity);
    void showMsg(QMessageBox::Icon msgType, QString msg);
    void getMasterStatus();

public slots:
    void getConfigArgments(SerialPortEntity* serialPortEntity);
    void scanSerialPort(QStringList serialPortList);
    void connectFinished(QString msg, bool connectFlag);
    void on_search_clicked();
    void on_connect_clicked();
    // Escape would close the dialog past closeEvent: refused too while connecting.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QComboBox* serialPortNum;
    QComboBox* baudRate;
    QComboBox* devicesType;
    QPushButton* search;
    QPushButton* connectButton;
    SerialPortEntity* serialPortEntity = nullptr;
    bool mayClose = true;
};
