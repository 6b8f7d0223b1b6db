#include "firmwarepathpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "baidutranslate.h"
#include "firmwareentity.h"
#include "settingswork.h"

FirmwarePathPage::FirmwarePathPage(SettingsWork* work)
    : FirmwarePage(work, QStringLiteral("请选择Boot与App固件路径。")),
      bootPath(new QLineEdit(this)),
      appPath(new QLineEdit(this)),
      bootButton(new QPushButton(translated("选择固件"), this)),
      appButton(new QPushButton(translated("选择固件"), this)) {
    addInput(bootPath);
    addInput(appPath);
    grid->addWidget(label("Boot固件:"), 2, 0);
    grid->addWidget(bootPath, 2, 1, 1, 2);
    grid->addWidget(bootButton, 2, 3, 1, 2);
    grid->addWidget(label("App固件:"), 3, 0);
    grid->addWidget(appPath, 3, 1, 1, 2);
    grid->addWidget(appButton, 3, 3, 1, 2);

    auto reDraw = [this] {
        FirmwareEntity* entity = this->work->getFirmwareEntity();
        bootPath->setText(entity->getBootFirmwarePath());
        appPath->setText(entity->getAppFirmwarePath());
    };
    reDraw();
    connect(work, &SettingsWork::viewReDraw, this, reDraw);
    connect(bootPath, &QLineEdit::textEdited, this, [this](const QString& text) {
        this->work->getFirmwareEntity()->setBootFirmwarePath(text);
    });
    connect(appPath, &QLineEdit::textEdited, this, [this](const QString& text) {
        this->work->getFirmwareEntity()->setAppFirmwarePath(text);
    });
    connect(bootButton, &QPushButton::clicked, this, [this] {
        chooseFile("选择 BootLoader 固件", bootPath->text(), [this](const QString& path) {
            this->work->getFirmwareEntity()->setBootFirmwarePath(path);
            bootPath->setText(path);
        });
    });
    connect(appButton, &QPushButton::clicked, this, [this] {
        chooseFile("选择 App 固件", appPath->text(), [this](const QString& path) {
            this->work->getFirmwareEntity()->setAppFirmwarePath(path);
            appPath->setText(path);
        });
    });
}
