// A double spin box whose value the mouse wheel never changes; the wheel scrolls the page.
#pragma once

#include <QDoubleSpinBox>
#include <QWheelEvent>

class MDoubleSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit MDoubleSpinBox(QWidget* parent = nullptr) : QDoubleSpinBox(parent) {}

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};
