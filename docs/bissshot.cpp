// Renders the BiSS slave data page with continuous acquisition running against the simulated
// BiSS master, live position chart included, as a PNG (default docs/biss.png). The page renders
// itself (QWidget::grab), so no window manager is needed: run it under xvfb-run or offscreen.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "diagnostics.h"
#include "bisscontroler.h"
#include "bissentity.h"
#include "bisspages.h"
#include "bissslavedatapage.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "entitystore.h"
#include "bissmasterbehaviour.h"
#include "language.h"
#include "serialportentity.h"
#include "settingswork.h"
#include "simdevice.h"
#include "stylesheetloader.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const QString output = QDir::current().absoluteFilePath(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/biss.png"));
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath("config");
    Language::instance()->setValue(Language::zh);
    app.setFont(QFont(QStringLiteral("Corbel"), 10));
    app.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));

    SimDevice sim(SimDevice::BissMaster);
    {
        // A multi-turn error on the slave, so the indicators show both colours.
        auto lock = sim.lock();
        auto* master = static_cast<BissMasterBehaviour*>(sim.behaviour());
        master->slave.errorBits = 0x02;
    }
    SerialPortEntity saved(nullptr, QStringLiteral("Simulated (%1)").arg(sim.portPath()), 115200);
    EntityStore::saveSerialPortEntity(&saved);
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);

    registerBissPages();
    SettingsWork work;
    work.resize(900, 760);
    work.build({"BiSS调试"},
               {{{"从机状态", "从机反馈数据", "从机错误 & 警告", "通信错误 & 警告"}}});
    BissControler controler;
    QObject::connect(&work, &SettingsWork::getMasterStatusSignal, &controler,
                     &BissControler::getMasterStatusSlot);
    QObject::connect(&work, &SettingsWork::getSlaverStatusSignal, &controler,
                     &BissControler::getSlaverStatusSlot);
    QObject::connect(&work, &SettingsWork::getSlaverDataSignal, &controler,
                     &BissControler::getSlaverDataSlot);
    QObject::connect(&controler, &BissControler::getMasterStatusResult, &work,
                     [&](QString, bool, BissEntity* e) { work.getMasterStatusSlot(e); });
    QObject::connect(&controler, &BissControler::getSlaverStatusResult, &work,
                     [&](QString, bool, BissEntity* e) { work.getSlaverStatusSlot(e); });
    QObject::connect(&controler, &BissControler::getSlaverDataResult, &work,
                     [&](QString, bool ok, BissEntity* e) {
                         if (!ok)
                             e->setContinuousRead(false);
                         work.getSlaverDataSlot(e);
                     });
    work.show();

    auto* page = work.findChild<BissSlaveDataPage*>();
    QListWidget* list = work.pageList();
    for (int row = 0; row < list->count(); ++row)
        if (list->itemWidget(list->item(row)) == page)
            list->setCurrentRow(row);

    // Master status, slave status, then "连续获取" for a few seconds of chart.
    QEventLoop ready;
    QObject::connect(&controler, &BissControler::getSlaverStatusResult, &ready, &QEventLoop::quit);
    emit work.getMasterStatusSignal(work.getBissEntity());
    QTimer::singleShot(300, &work, [&] { emit work.getSlaverStatusSignal(work.getBissEntity()); });
    ready.exec();
    // The claim of the status job is given back just after its result: click once it is.
    QTimer::singleShot(100, page, [page] { page->continuousBox->click(); });
    int code = 1;
    QTimer::singleShot(6000, Qt::PreciseTimer, &app, [&] {
        code = work.grab().save(output) ? 0 : 1;
        app.quit();
    });
    app.exec();
    return code;
}
