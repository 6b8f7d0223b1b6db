#include "leftwidgettab.h"

#include <QDebug>
#include <QGridLayout>
#include <QTreeWidget>

#include "stylesheetloader.h"

LeftWidgetTab::LeftWidgetTab(QWidget* parent) : QWidget(parent), treeWidget(new QTreeWidget(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(treeWidget);
    treeWidget->setFocusPolicy(Qt::NoFocus);
    treeWidget->setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/leftwidget.qss")));
    treeWidget->setFont(QFont(QStringLiteral("Corbel"), 13));
}

void LeftWidgetTab::fill(const QString& areaName, const QList<QStringList>& groups) {
    treeWidget->clear();
    treeWidget->setHeaderLabels({areaName});
    for (const QStringList& group : groups) {
        if (group.isEmpty())
            continue;
        auto* top = new QTreeWidgetItem(treeWidget, {group.first()});
        top->setData(0, Qt::UserRole + 1, areaName);
        for (int i = 1; i < group.size(); ++i) {
            auto* page = new QTreeWidgetItem(top, {group.at(i)});
            page->setData(0, Qt::UserRole + 1, areaName);
        }
    }
}

void LeftWidgetTab::setCurrentItem(QString name) {
    qDebug() << name;
    const QList<QTreeWidgetItem*> found =
        treeWidget->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return;
    QTreeWidgetItem* item = found.first();
    item->setExpanded(true);
    if (item->parent())
        item->parent()->setExpanded(true);
    treeWidget->setCurrentItem(item);
}
