// Registers a new device type: its name and identity byte, flash area sizes and targets.
#pragma once

#include <QDialog>
#include <QMessageBox>

class DevicesAreaConfig;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class DevicesDialog : public QDialog {
    Q_OBJECT
public:
    explicit DevicesDialog(QWidget* parent = nullptr);

signals:
    void review();
    void showMsg(QMessageBox::Icon msgType, QString msg);

public slots:
    void on_add_clicked();
    void on_cancel_clicked();

private:
    void warn(const char* text);

    QLineEdit* devicesName;
    QComboBox* devicesID;
    QSpinBox* bootAreaSize;
    QSpinBox* appAreaSize;
    QSpinBox* configAreaSize;
    QSpinBox* idAreaSize;
    QDoubleSpinBox* targetINL;
    QSpinBox* resolution;
    QPushButton* add;
    QPushButton* cancel;
    DevicesAreaConfig* devicesAreaConfig;
};
