// One navigation tab on the left: a tree of the job area's groups and pages.
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QTreeWidget;

class LeftWidgetTab : public QWidget {
    Q_OBJECT
public:
    explicit LeftWidgetTab(QWidget* parent = nullptr);

    // Each group: its name, then its page names. Every item carries the area in UserRole + 1.
    void fill(const QString& areaName, const QList<QStringList>& groups);
    QTreeWidget* tree() const { return treeWidget; }

public slots:
    void setCurrentItem(QString name);

private:
    QTreeWidget* treeWidget;
};
