#include "devicesdialog.h"

#include <cmath>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "baidutranslate.h"
#include "configwritecheck.h"
#include "devicesareaconfig.h"
#include "devicestype.h"
#include "readconfig.h"

namespace {
const QString kRegistryGroup = QStringLiteral("DevicesTypeEnum");

QSpinBox* areaSpin(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(0, 65536);
    spin->setSingleStep(2048);
    spin->setValue(0);
    return spin;
}
}  // namespace

DevicesDialog::DevicesDialog(QWidget* parent)
    : QDialog(parent),
      devicesName(new QLineEdit(this)),
      devicesID(new QComboBox(this)),
      bootAreaSize(areaSpin(this, "bootAreaSize")),
      appAreaSize(areaSpin(this, "appAreaSize")),
      configAreaSize(areaSpin(this, "configAreaSize")),
      idAreaSize(areaSpin(this, "idAreaSize")),
      targetINL(new QDoubleSpinBox(this)),
      resolution(new QSpinBox(this)),
      add(new QPushButton(translated("添加"), this)),
      cancel(new QPushButton(translated("取消"), this)),
      devicesAreaConfig(new DevicesAreaConfig(this)) {
    setObjectName(QStringLiteral("DevicesDialog"));
    setWindowTitle(translated("添加设备"));
    setFont(QFont(QStringLiteral("Corbel Light")));
    devicesName->setObjectName(QStringLiteral("devicesName"));
    devicesID->setObjectName(QStringLiteral("devicesID"));
    for (int id = 0; id <= 0xFF; ++id) devicesID->addItem(QString::number(id, 16).toUpper());
    targetINL->setObjectName(QStringLiteral("targetINL"));
    // Stored in thousandths of a degree: more decimals could not be kept.
    targetINL->setDecimals(3);
    targetINL->setRange(0.0, 360.0);
    targetINL->setSingleStep(0.01);
    resolution->setObjectName(QStringLiteral("resolution"));
    // Degrees are raw × 360 / 2^R; the conversion holds R up to 30.
    resolution->setRange(0, 30);
    add->setObjectName(QStringLiteral("add"));
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* grid = new QGridLayout(this);
    const QList<QPair<const char*, QWidget*>> rows = {
        {"设备名称:", devicesName},        {"设备ID:", devicesID},
        {"Boot区大小:", bootAreaSize},     {"App区大小:", appAreaSize},
        {"Config区大小:", configAreaSize}, {"ID区大小:", idAreaSize},
        {"目标 INL:", targetINL},          {"分辨率:", resolution}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(new QLabel(translated(rows.at(i).first), this), i, 0);
        grid->addWidget(rows.at(i).second, i, 1);
    }
    grid->addWidget(cancel, rows.size(), 0);
    grid->addWidget(add, rows.size(), 1);
    connect(add, &QPushButton::clicked, this, &DevicesDialog::on_add_clicked);
    connect(cancel, &QPushButton::clicked, this, &DevicesDialog::on_cancel_clicked);
}

void DevicesDialog::warn(const char* text) {
    emit showMsg(QMessageBox::Warning, translated(text));
}

void DevicesDialog::on_add_clicked() {
    const QString name = devicesName->text();
    bool idOk = false;
    const int id = devicesID->currentText().toInt(&idOk, 16);

    static const QRegularExpression namePattern(QStringLiteral("^[a-zA-Z_][a-zA-Z0-9_]{10}$"));
    if (!namePattern.match(name).hasMatch()) {
        warn(name.size() == 11 ? "设备名称包含特殊字符" : "设备名称长度必须为11位字符");
        return;
    }
    DevicesType* types = DevicesType::instance();
    if (!idOk || types->containsValue(id)) {
        warn("设备ID重复");
        return;
    }
    // Adding a known name would move that type to another identity byte and overwrite its
    // flash areas: devices of that type would no longer be recognised.
    if (types->keyList().contains(name)) {
        warn("设备名称重复");
        return;
    }
    if (bootAreaSize->value() == 0) {
        warn("boot 分区长度应大于0");
        return;
    }
    if (appAreaSize->value() == 0) {
        warn("app 分区长度应大于0");
        return;
    }
    if (configAreaSize->value() == 0) {
        warn("config 分区长度应大于0");
        return;
    }
    if (idAreaSize->value() == 0) {
        warn("id 分区长度应大于0");
        return;
    }
    if (resolution->value() == 0) {
        warn("分辨率应大于0");
        return;
    }

    // The spin box holds at most three decimals; 0.29 × 1000 is 289.99999… in binary, so a
    // plain truncation would store one thousandth too little.
    const int targetInl = static_cast<int>(std::floor(targetINL->value() * 1000.0 + 1e-6));
    devicesAreaConfig->setDevicesName(name);
    devicesAreaConfig->setValue(QStringLiteral("bootAreaSize"), bootAreaSize->value());
    devicesAreaConfig->setValue(QStringLiteral("appAreaSize"), appAreaSize->value());
    devicesAreaConfig->setValue(QStringLiteral("configAreaSize"), configAreaSize->value());
    devicesAreaConfig->setValue(QStringLiteral("idAreaSize"), idAreaSize->value());
    devicesAreaConfig->setValue(QStringLiteral("TargetInl"), targetInl);
    devicesAreaConfig->setValue(QStringLiteral("Resolution"), resolution->value());
    devicesAreaConfig->save();
    types->addDevicesType(name, id);

    const bool stored = ReadConfig::readIntMap(name) == devicesAreaConfig->getValues() &&
                        ReadConfig::readIntMap(kRegistryGroup).value(name, -1) == id;
    if (!stored) {
        // The registry already holds the new type in memory: drop it again, the file rules.
        types->reload();
        emit showMsg(QMessageBox::Critical, configWriteFailedText());
        return;
    }
    emit review();
    close();
}

void DevicesDialog::on_cancel_clicked() {
    close();
}
