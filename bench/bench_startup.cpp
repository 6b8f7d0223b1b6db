// Prints how long the restart after a language choice takes to reach the window's first paint:
// a fresh process per run (as the restart starts one), with the translation service unreachable;
// and how long quelbrin-cli's calibration on the simulated rig takes in Chinese and in English.
//   build/bench/bench_startup [RUNS]
#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include "baidutranslate.h"
#include "catalogue.h"
#include "language.h"
#include "mainwindow.h"
#include "simdevice.h"
#include "startup.h"
#include "stylesheetloader.h"

namespace {
// The child: the program's start-up as app/main.cpp runs it, up to the first paint of the window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock(clock) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QTextStream(stdout) << "painted " << clock.nsecsElapsed() / 1000000.0 << Qt::endl;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
    const QElapsedTimer& clock;
    bool painted = false;
};

int child(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Startup::writeDefaultConfigIfMissing();
    Catalogue::installQtTranslations(Language::instance()->currentKey());
    Startup::installFontFallbacks();
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    FirstPaint watch(clock);
    window.installEventFilter(&watch);
    window.show();
    return app.exec();
}

struct Figures {
    QList<double> wall;  // from starting the process to its first paint
    int requests = 0;
};

Figures measure(const QString& self, const QByteArray& language, int runs, QTcpServer& service,
                int& connections) {
    Figures figures;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("config"));
        QFile config(dir.filePath(QStringLiteral("config/config.ini")));
        config.open(QIODevice::WriteOnly);
        config.write("[Language]\nLanguageType=" + language +
                     "\n[PermissionController]\npermission=0\n[BaiduTranslate]\nurl=http://"
                     "127.0.0.1:" +
                     QByteArray::number(service.serverPort()) +
                     "/api/trans/vip/translate?\nappid=12345678901234567\n"
                     "secret=abcdefghij0123456789\n");
        config.close();
        const int before = connections;
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QElapsedTimer clock;
        clock.start();
        process.start(self, {QStringLiteral("--child")});
        double painted = -1;
        QByteArray out;
        while (painted < 0 && clock.elapsed() < 60000) {
            // The service below lives on this thread: keep it answering (or not) meanwhile.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            process.waitForReadyRead(20);
            out += process.readAllStandardOutput();
            if (out.contains("painted"))
                painted = clock.nsecsElapsed() / 1e6;
        }
        process.waitForFinished(10000);
        if (process.state() != QProcess::NotRunning)
            process.kill();
        figures.wall << painted;
        figures.requests += connections - before;
    }
    return figures;
}

QString summary(QList<double> values) {
    std::sort(values.begin(), values.end());
    return QStringLiteral("median %1 ms (min %2, max %3, %4 runs)")
        .arg(values.at(values.size() / 2), 0, 'f', 0)
        .arg(values.first(), 0, 'f', 0)
        .arg(values.last(), 0, 'f', 0)
        .arg(values.size());
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return child(argc, argv);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    // Offline as a production PC is: a service that takes the request and never answers.
    QTcpServer service;
    service.listen(QHostAddress::LocalHost);
    int connections = 0;
    QList<QTcpSocket*> held;
    QObject::connect(&service, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = service.nextPendingConnection()) {
            ++connections;
            held << s;
        }
    });

    QTextStream out(stdout);
    out << "restart to first paint of the main window (administrator, offscreen), service silent"
        << Qt::endl;
    const QString self = QCoreApplication::applicationFilePath();
    for (const char* language : {"zh", "en"}) {
        const Figures f = measure(self, language, runs, service, connections);
        out << "  " << language << ": " << summary(f.wall) << ", " << f.requests
            << " requests to the service" << Qt::endl;
    }
    // A language without a catalogue still goes to the service, as every language did before:
    // the first text waits the whole reply time-out.
    const Figures de = measure(self, "de", 1, service, connections);
    out << "  de (no catalogue): " << summary(de.wall) << ", " << de.requests
        << " requests to the service" << Qt::endl;

    // The command line's calibration against the simulated rig, in each language.
    out << "quelbrin-cli rig calibrate on the simulated rig, service silent" << Qt::endl;
    for (const char* language : {"zh", "en"}) {
        QList<double> times;
        const int before = connections;
        for (int i = 0; i < runs; ++i) {
            QTemporaryDir dir;
            QDir(dir.path()).mkpath(QStringLiteral("config"));
            QFile config(dir.filePath(QStringLiteral("config/config.ini")));
            config.open(QIODevice::WriteOnly);
            config.write("[Language]\nLanguageType=" + QByteArray(language) +
                         "\n[BaiduTranslate]\nurl=http://127.0.0.1:" +
                         QByteArray::number(service.serverPort()) +
                         "/api/trans/vip/translate?\nappid=12345678901234567\n"
                         "secret=abcdefghij0123456789\n[ZEK_ENCODER]\nTargetInl=100\n"
                         "Resolution=17\n[CalibrationEntity]\npointNum=256\nencoderLine=2048\n"
                         "calibrationSpeed=1400\n[CalibrationEntityList]\n1\\testSpeed=400\n"
                         "2\\testSpeed=400\n3\\testSpeed=400\n4\\testSpeed=400\nsize=4\n");
            config.close();
            SimDevice rig(SimDevice::Rig);
            QProcess process;
            process.setWorkingDirectory(dir.path());
            QElapsedTimer clock;
            clock.start();
            process.start(QStringLiteral(QUELBRIN_CLI),
                          {"rig", "calibrate", "--port", rig.portPath(), "--points", "256"});
            while (process.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                process.waitForFinished(20);
            }
            if (process.state() != QProcess::NotRunning)
                process.kill();
            times << clock.nsecsElapsed() / 1e6;
            if (process.exitCode() != 0)
                out << "  (exit code " << process.exitCode() << ")" << Qt::endl;
        }
        out << "  " << language << ": " << summary(times) << ", " << connections - before
            << " requests to the service" << Qt::endl;
    }
    return 0;
}
