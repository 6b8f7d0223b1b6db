// The workspace's page list as assistive tools see it. The pages are item widgets of a list
// view, which Qt's list interface does not know: it reports bare items without children, so no
// screen reader or automation reached a field or button. Here the pages themselves are the
// list's children, each named after its page, and labels name the inputs beside them.
#pragma once

#include <QAccessibleWidget>

class QListWidget;

class PageListAccessible : public QAccessibleWidget {
public:
    explicit PageListAccessible(QListWidget* list);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Installs the factory (once) that gives lists named "settingsList" this interface.
    static void install();
    // A label in a page's grid names the input right of it (a buddy is what Qt's accessible
    // interfaces read an input's name from).
    static void nameInputs(QWidget* page);

private:
    QList<QWidget*> pages() const;
};
