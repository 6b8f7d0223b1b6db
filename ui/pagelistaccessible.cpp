#include "pagelistaccessible.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {
QAccessibleInterface* pageListFactory(const QString&, QObject* object) {
    auto* list = qobject_cast<QListWidget*>(object);
    if (list && list->objectName() == QLatin1String("settingsList"))
        return new PageListAccessible(list);
    return nullptr;
}

bool isInput(QWidget* widget) {
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QAbstractSpinBox*>(widget);
}

void nameInputsOf(QGridLayout* grid) {
    for (int i = 0; i < grid->count(); ++i) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        auto* label = qobject_cast<QLabel*>(grid->itemAt(i)->widget());
        if (!label || label->buddy())
            continue;
        QLayoutItem* next = grid->itemAtPosition(row, column + columnSpan);
        if (next && next->widget() && isInput(next->widget()))
            label->setBuddy(next->widget());
    }
}
}  // namespace

PageListAccessible::PageListAccessible(QListWidget* list)
    : QAccessibleWidget(list, QAccessible::List) {}

QList<QWidget*> PageListAccessible::pages() const {
    auto* list = static_cast<QListWidget*>(widget());
    QList<QWidget*> found;
    for (int i = 0; i < list->count(); ++i)
        if (QWidget* page = list->itemWidget(list->item(i)))
            found << page;
    return found;
}

int PageListAccessible::childCount() const {
    return int(pages().size());
}

QAccessibleInterface* PageListAccessible::child(int index) const {
    return QAccessible::queryAccessibleInterface(pages().value(index));
}

int PageListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child ? int(pages().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
}

QAccessibleInterface* PageListAccessible::childAt(int x, int y) const {
    for (QWidget* page : pages())
        if (page->isVisible() &&
            QRect(page->mapToGlobal(QPoint(0, 0)), page->size()).contains(x, y))
            return QAccessible::queryAccessibleInterface(page);
    return nullptr;
}

void PageListAccessible::install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(pageListFactory);
}

void PageListAccessible::nameInputs(QWidget* page) {
    for (QGridLayout* grid : page->findChildren<QGridLayout*>()) nameInputsOf(grid);
    if (auto* grid = qobject_cast<QGridLayout*>(page->layout()))
        nameInputsOf(grid);
}
