// Changes the permission level after a password check; the change takes effect after a restart.
#pragma once

#include <QDialog>
#include <QMessageBox>

#include "permissionpolicy.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class ReadConfig;

class WorkSpaceSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit WorkSpaceSetDialog(QWidget* parent = nullptr);

    // The stored password is plain text, or "sha256:" and the lower-case hex SHA-256 of the
    // password's UTF-8 bytes. An empty stored password accepts an empty entry.
    static bool passwordMatches(const QString& stored, const QString& typed);

    // How long after a saved change reset() follows.
    int resetDelayMs = 1000;

signals:
    void reset();
    void showMsg(QMessageBox::Icon icon, QString msg);

public slots:
    void on_cancel_clicked();
    void on_confirm_clicked();

private:
    QComboBox* permissionBox;
    QLineEdit* passwordEdit;
    QPushButton* cancel;
    QPushButton* confirm;
    ReadConfig* readConfig;
    // Read once when the dialog opens: what it shows is what it enforces.
    PermissionPolicy policy;
};
