#include "mcombobox.h"

#include <QAbstractItemView>
#include <QWheelEvent>

void MComboBox::wheelEvent(QWheelEvent* event) {
    if (view() && view()->isVisible()) {
        QComboBox::wheelEvent(event);
        return;
    }
    // Not accepted: the event travels on to the parent and scrolls the page behind.
    event->ignore();
}
