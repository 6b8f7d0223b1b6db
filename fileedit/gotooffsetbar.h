// The go-to-offset bar under a hex view: a decimal offset, or hex with 0x in front.
#pragma once

#include <QWidget>

class HexView;
class QLabel;
class QLineEdit;

class GotoOffsetBar : public QWidget {
    Q_OBJECT
public:
    explicit GotoOffsetBar(HexView* view, QWidget* parent = nullptr);

    QLineEdit* offsetEdit() const { return edit; }
    QString statusText() const;
    // The offset the text names, or -1 when it is not a number.
    static qint64 parseOffset(const QString& text);

public slots:
    void open();
    void close();
    // True when the cursor moved.
    bool go();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    HexView* view;
    QLineEdit* edit;
    QLabel* status;
};
