// Renders the calibration pages and the chart view of a simulated calibration into docs/:
// xvfb-run -a build/bin/quelbrin-calibrationshot docs (run from anywhere).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include "diagnostics.h"
#include "shotoutput.h"
#include "calibrationentity.h"
#include "calibrationmode.h"
#include "calibrationpages.h"
#include "calibrationwork.h"
#include "connectflag.h"
#include "devicestype.h"
#include "language.h"
#include "rigbehaviour.h"
#include "settingswork.h"
#include "simdevice.h"
#include "stylesheetloader.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const QString out =
        ShotOutput::absolute(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkpath(QStringLiteral("config"));
    QFile config(QStringLiteral("config/config.ini"));
    if (!config.open(QIODevice::WriteOnly))
        return ShotOutput::fail(
            QStringLiteral("cannot write a configuration in %1").arg(work.path()));
    config.write("[Language]\nLanguageType=zh\n[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n");
    config.close();
    Language::instance()->load();
    DevicesType::instance()->reload();
    app.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));

    // A calibration on the simulated rig, as the worker runs it.
    SimDevice rig(SimDevice::Rig);
    CalibrationEntity record(nullptr, 256, 2048, 0.1f);
    record.setCalibrationSpeed(1400);
    record.setTestSpeed({200, 1000, 1400, 400});
    CalibrationMode worker;
    worker.startCalibration(&record, rig.portPath(), 115200);
    if (record.getInlCurves().value(QStringLiteral("FINAL")).isEmpty())
        return ShotOutput::fail(QStringLiteral("the simulated calibration gave no FINAL curve"));

    QString title;
    CalibrationWork* view =
        CalibrationWork::forPage(QStringLiteral("ROUGH"), &record, nullptr, &title);
    view->resize(1100, 640);
    view->tabWidget()->setCurrentIndex(2);
    view->show();
    app.processEvents();
    bool saved = ShotOutput::save(view->grab(), out + QStringLiteral("/calibration.png"));
    view->tabWidget()->setCurrentIndex(0);
    app.processEvents();
    saved &= ShotOutput::save(view->grab(), out + QStringLiteral("/calibration-bestline.png"));

    registerCalibrationPages();
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    SettingsWork pages;
    pages.build(
        {QStringLiteral("校准")},
        {{{QStringLiteral("校准结果"), QStringLiteral("校准INL数据")},
          {QStringLiteral("测试"), QStringLiteral("第一次测试"), QStringLiteral("第二次测试")},
          {QStringLiteral("参数设置"), QStringLiteral("对拖工装参数")},
          {QStringLiteral("运行"), QStringLiteral("对零 & 校准 & 测试")}}});
    pages.getCalibrationArgmentsSlot(&record);
    pages.resize(760, 900);
    pages.show();
    app.processEvents();
    saved &= ShotOutput::save(pages.grab(), out + QStringLiteral("/calibration-pages.png"));
    delete view;
    return saved ? 0 : 1;
}
