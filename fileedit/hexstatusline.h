// The line under a hex view: cursor offset, selection length, file length, insert or overwrite.
#pragma once

#include <QLabel>

class HexView;

class HexStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit HexStatusLine(HexView* view, QWidget* parent = nullptr);

public slots:
    // Follows the view's current document; called again after a document is attached.
    void attach();
    void refresh();

private:
    HexView* view;
    // Translated once: the line is rewritten on every cursor move.
    QString offsetLabel, selectionLabel, lengthLabel, bytesLabel, insertLabel, overwriteLabel;
};
