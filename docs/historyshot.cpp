// Renders the main window with its "生产记录" tab: the production records of several encoders
// (one failed job, in red), as a PNG. Run it in an empty folder; it writes its own records.
#include <QApplication>
#include <QCursor>
#include <QDockWidget>
#include <QJsonArray>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "shotoutput.h"
#include "diagnostics.h"
#include "historyview.h"
#include "mainwindow.h"
#include "recordsettings.h"
#include "recordstore.h"
#include "startup.h"
#include "stylesheetloader.h"

namespace {
struct Row {
    const char* serial;
    const char* job;
    const char* outcome;
    const char* station;
    const char* device;
    const char* text;
    int minutesAgo;
};

bool writeRecords() {
    const Row rows[] = {
        {"ZK2612-0418", "test", "good", "LINE-A-3", "ZEK_ENCODER",
         "测试验证成功，测试平均最大INL：[ 0.0093 °] ,设定最大INL：[ 0.1 °] 测试完毕。", 4},
        {"ZK2612-0418", "calibrate", "good", "LINE-A-3", "ZEK_ENCODER",
         "校准效果验证成功，校准后最大INL：[ 0.0065 °] ,设定最大INL：[ 0.1 °] 校准完毕。", 9},
        {"ZK2612-0418", "zero", "good", "LINE-A-3", "ZEK_ENCODER",
         "对零成功，对零后角度：[ 0x0000001F ] 对零完毕。", 11},
        {"ZK2612-0417", "calibrate", "failed", "LINE-A-3", "CALIBRATION",
         "校准失败。 获取校准数据失败，请检查设备连接是否正常！", 17},
        {"ZK2612-0417", "zero", "good", "LINE-A-3", "ZEK_ENCODER",
         "对零成功，对零后角度：[ 0x00000012 ] 对零完毕。", 19},
        {"ZK2612-0416", "test", "bad", "LINE-A-2", "ZEK_ENCODER",
         "测试验证失败，测试平均最大INL：[ 0.132 °] ,设定最大INL：[ 0.1 °] 测试完毕。", 26},
        {"ZK2612-0416", "calibrate", "good", "LINE-A-2", "ZEK_ENCODER",
         "校准效果验证成功，校准后最大INL：[ 0.0081 °] ,设定最大INL：[ 0.1 °] 校准完毕。", 31},
        {"MT-BISS-0093", "write-reg", "good", "SERVICE-1", "BiSS_Master", "写入完毕。", 44},
        {"MT-BISS-0093", "set-master", "good", "SERVICE-1", "BiSS_Master", "设置完毕。", 46},
        {"ZK2611-0288", "iap", "good", "SERVICE-1", "ZEK_ENCODER", "升级完成。", 63},
        {"ZK2611-0287", "iap", "good", "SERVICE-1", "ZEK_ENCODER", "升级完成。", 70},
        {"", "firmware", "good", "SERVICE-1", "ZEK_ENCODER", "固件生成成功", 95},
    };
    RecordStore store;
    if (!store.openLocal(RecordSettings::localPath()))
        return false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const Row& row : rows) {
        ProductionRecord r = ProductionRecord::begin(QString::fromLatin1(row.job));
        r.serial = QString::fromUtf8(row.serial);
        r.outcome = QString::fromLatin1(row.outcome);
        r.station = QString::fromLatin1(row.station);
        r.deviceName = QString::fromLatin1(row.device);
        r.resultText = QString::fromUtf8(row.text);
        r.startedAt = now.addSecs(-60 * row.minutesAgo);
        r.endedAt = r.startedAt.addSecs(40);
        if (!store.insert(r))
            return false;
    }
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const QString output = ShotOutput::absolute(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("history.png"));
    Startup::writeDefaultConfigIfMissing();
    Startup::installFontFallbacks();
    if (!writeRecords())
        return ShotOutput::fail(QStringLiteral("cannot write the sample records"));
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.resize(1280, 800);
    window.show();
    QCursor::setPos(0, 0);
    if (auto* dock = window.findChild<QDockWidget*>(QStringLiteral("debugDock")))
        dock->hide();
    HistoryView* history = window.showHistory();
    int code = 1;
    bool shown = false;
    QObject::connect(history->model(), &HistoryModel::pageLoaded, &app, [&] {
        shown = true;
        history->view()->selectRow(1);
        QTimer::singleShot(800, &app, [&] {
            code = ShotOutput::save(window.grab(), output) ? 0 : 1;
            app.quit();
        });
    });
    QTimer::singleShot(20000, &app, &QApplication::quit);
    app.exec();
    if (!shown)
        ShotOutput::fail(QStringLiteral("the history view showed no page in time"));
    return code;
}
