// Renders the calibration pages and the chart view of a simulated calibration into docs/:
// xvfb-run -a build/bin/quelbrin-calibrationshot docs [LANGUAGE] (run from anywhere). A language
// other than zh ("en") renders the same pictures in it, named calibration-en.png and so on.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include "baidutranslate.h"
#include "diagnostics.h"
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
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs")).absolutePath();
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkpath(QStringLiteral("config"));
    QFile config(QStringLiteral("config/config.ini"));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    const QByteArray language = argc > 2 ? QByteArray(argv[2]) : QByteArray("zh");
    const QString suffix = language == "zh" ? QString() : "-" + QString::fromLatin1(language);
    // No translation service: the pictures show what the built-in catalogue holds.
    config.write("[Language]\nLanguageType=" + language +
                 "\n[BaiduTranslate]\nurl=http://127.0.0.1:1/\n"
                 "[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n");
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
        return 1;

    QString title;
    CalibrationWork* view =
        CalibrationWork::forPage(QStringLiteral("ROUGH"), &record, nullptr, &title);
    view->resize(1100, 640);
    view->tabWidget()->setCurrentIndex(2);
    view->show();
    app.processEvents();
    view->grab().save(out + QStringLiteral("/calibration") + suffix + QStringLiteral(".png"));
    view->tabWidget()->setCurrentIndex(0);
    app.processEvents();
    view->grab().save(out + QStringLiteral("/calibration-bestline") + suffix +
                      QStringLiteral(".png"));
    // The Fourier comparison of the final check: the fit and the measured error together.
    CalibrationWork* finalView =
        CalibrationWork::forPage(QStringLiteral("FINAL"), &record, nullptr, &title);
    finalView->resize(1100, 640);
    finalView->tabWidget()->setCurrentIndex(3);
    finalView->show();
    app.processEvents();
    finalView->grab().save(out + QStringLiteral("/calibration-fourier") + suffix +
                           QStringLiteral(".png"));
    delete finalView;

    registerCalibrationPages();
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    SettingsWork pages;
    pages.build({translated("校准")},
                {{{translated("校准结果"), translated("校准INL数据")},
                  {translated("测试结果"), translated("测试INL数据")},
                  {translated("测试"), translated("第一次测试"), translated("第二次测试")},
                  {translated("参数设置"), translated("对拖工装参数")},
                  {translated("运行"), translated("对零 & 校准 & 测试")}}});
    // The calibration passed (green); of the tests that followed, the second and fourth
    // exceeded the threshold, and so does their average (red).
    const float limit = record.getMaxInl();
    record.setTestMaxInl({limit * 0.5f, limit * 2.0f, limit * 0.6f, limit * 3.0f});
    pages.getCalibrationArgmentsSlot(&record);
    pages.resize(760, 1040);
    pages.show();
    app.processEvents();
    pages.grab().save(out + QStringLiteral("/calibration-pages") + suffix + QStringLiteral(".png"));
    delete view;
    return 0;
}
