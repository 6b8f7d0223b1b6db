// Chooses the language of operator messages; the choice takes effect after a restart.
#pragma once

#include <QDialog>
#include <QMessageBox>

class QComboBox;
class QPushButton;

class ThemeSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit ThemeSetDialog(QWidget* parent = nullptr);

    // How long after a saved choice reset() follows.
    int resetDelayMs = 1000;

signals:
    void reset();
    // A choice that could not be saved.
    void showMsg(QMessageBox::Icon msgType, QString msg);

public slots:
    void on_cancel_clicked();
    void on_sure_clicked();

private:
    QComboBox* languageBox;
    QPushButton* cancel;
    QPushButton* sure;
};
