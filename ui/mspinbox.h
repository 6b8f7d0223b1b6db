// A spin box whose value the mouse wheel never changes; the wheel scrolls the page instead.
#pragma once

#include <QSpinBox>
#include <QWheelEvent>

class MSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit MSpinBox(QWidget* parent = nullptr) : QSpinBox(parent) {}

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};
