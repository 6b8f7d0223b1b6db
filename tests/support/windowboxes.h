// The message boxes a window test finds open, as an operator would see them.
#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QString>

inline QList<QMessageBox*> visibleBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}

inline QMessageBox* boxWithText(const QString& part) {
    for (QMessageBox* box : visibleBoxes())
        if (box->text().contains(part))
            return box;
    return nullptr;
}

inline void closeBoxes() {
    for (QMessageBox* box : visibleBoxes()) box->close();
}
