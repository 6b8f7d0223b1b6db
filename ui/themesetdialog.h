// Chooses the language of operator messages; the choice takes effect after a restart.
#pragma once

#include <QDialog>
#include <QMessageBox>

class QComboBox;
class QLabel;
class QPushButton;

class ThemeSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit ThemeSetDialog(QWidget* parent = nullptr);

    // A language's own name ("中文", "English"), so that every operator finds theirs whatever
    // language the window is in.
    static QString languageName(int value);

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
    void addLanguage(int value);
    void serviceAnswered(bool reachable);

    QComboBox* languageBox;
    QLabel* serviceNote;
    QPushButton* cancel;
    QPushButton* sure;
};
