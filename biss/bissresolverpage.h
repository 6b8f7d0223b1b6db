// Page "旋变设置": resolution and motor pole pairs of an ABSRESLOVER slave, and the read that
// switches its Hall output off after a restart.
#pragma once

#include "bisspage.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class BissResolverPage : public BissPage {
    Q_OBJECT
public:
    explicit BissResolverPage(SettingsWork* work);

    QComboBox* resolutionBox;
    QLineEdit* polePairsField;
    QPushButton* closeButton;
    QPushButton* enableButton;

public slots:
    void viewReDraw();

private:
    bool resolverChecks();
    void enable();
    void closeHall();
};
