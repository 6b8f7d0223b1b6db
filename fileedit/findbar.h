// The find bar under a hex view: hex bytes or text, next and previous, "not found" in the bar.
#pragma once

#include <QWidget>

class HexView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FindBar : public QWidget {
    Q_OBJECT
public:
    enum PatternMode { Hex = 0, Text = 1 };

    explicit FindBar(HexView* view, QWidget* parent = nullptr);

    QLineEdit* patternEdit() const { return edit; }
    QComboBox* modeBox() const { return mode; }
    QString statusText() const;
    // The bytes to look for, or empty with a reason in the bar.
    QByteArray pattern();

public slots:
    void open();
    void close();
    // The offset found, or -1.
    qint64 findNext();
    qint64 findPrevious();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    qint64 find(bool forward);

    HexView* view;
    QLineEdit* edit;
    QComboBox* mode;
    QPushButton* previousButton;
    QPushButton* nextButton;
    QPushButton* closeButton;
    QLabel* status;
};
