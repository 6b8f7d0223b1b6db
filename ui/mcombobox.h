// A combo box that ignores the mouse wheel unless its list is open, so scrolling a page of
// panels never changes a selection by accident.
#pragma once

#include <QComboBox>

class MComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit MComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

protected:
    void wheelEvent(QWheelEvent* event) override;
};
