#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTcpServer>
#include <QTreeWidget>
#include <QValueAxis>
#include <QtTest>

#include "calibrationentity.h"
#include "calibrationmode.h"
#include "calibrationrunpage.h"
#include "calibrationwork.h"
#include "devicestype.h"
#include "fileworktabs.h"
#include "language.h"
#include "mainwindow.h"
#include "pageregistry.h"
#include "permissioncontroller.h"
#include "serialdialog.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "themesetdialog.h"
#include "virtualports.h"

namespace {
const QRegularExpression kHan(QStringLiteral("[\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}]"));

// The texts a person can read in a widget tree, each with where it stands.
class Texts {
public:
    void add(const QString& where, const QString& text) {
        if (text.contains(kHan) && !allowed.contains(text))
            chinese << where + QStringLiteral(": ") + text;
        ++count;
    }
    void collect(QWidget* root) {
        collectOne(root);
        for (QWidget* w : root->findChildren<QWidget*>()) collectOne(w);
    }
    QStringList chinese;
    // Each language listed under its own name, whatever the window's language.
    QStringList allowed{QStringLiteral("中文"), QStringLiteral("粵語"), QStringLiteral("日本語")};
    int count = 0;

private:
    void collectOne(QWidget* w) {
        const QString where =
            QString::fromLatin1(w->metaObject()->className()) + "/" + w->objectName();
        if (w->isWindow())
            add(where + " title", w->windowTitle());
        add(where + " tooltip", w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            add(where, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(where, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(where, g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            add(where, e->text());
            add(where + " placeholder", e->placeholderText());
        }
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) add(where + " item", c->itemText(i));
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) add(where + " tab", t->tabText(i));
        if (auto* d = qobject_cast<QDockWidget*>(w))
            add(where, d->windowTitle());
        if (auto* m = qobject_cast<QMenu*>(w)) {
            add(where, m->title());
            for (QAction* a : m->actions()) add(where + " action", a->text());
        }
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            add(where + " header", tree->headerItem()->text(0));
            QTreeWidgetItemIterator it(tree);
            for (; *it; ++it) add(where + " item", (*it)->text(0));
        }
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) add(where + " item", list->item(i)->text());
        if (auto* view = qobject_cast<QChartView*>(w)) {
            QChart* chart = view->chart();
            add(where + " chart", chart->title());
            for (QAbstractAxis* axis : chart->axes()) add(where + " axis", axis->titleText());
            for (QAbstractSeries* s : chart->series()) add(where + " series", s->name());
        }
    }
};

QByteArray englishConfig(quint16 servicePort) {
    return "[BaiduTranslate]\nurl=http://127.0.0.1:" + QByteArray::number(servicePort) +
           "/api/trans/vip/translate?\nappid=12345678901234567\nsecret=abcdefghij0123456789\n"
           "[Language]\nLanguageType=en\n[PermissionController]\npermission=0\n"
           "[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n"
           "[CalibrationEntity]\npointNum=16\nencoderLine=2048\ncalibrationSpeed=1400\n"
           "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n3\\testSpeed=400\n"
           "4\\testSpeed=400\nsize=4\n";
}
}  // namespace

class TestEnglishWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyPageAndDialogInEnglish();
    void calibrationResultInEnglish();
    void connectAndZeroLogInEnglish();

private:
    std::unique_ptr<TestWorkDir> dir;
    // Where the translation service would be; in English nobody may ask it.
    QTcpServer service;
    QHash<QTcpSocket*, QByteArray> received;
    QList<QByteArray> bodies;
};

void TestEnglishWindow::init() {
    bodies.clear();
    if (!service.isListening()) {
        QVERIFY(service.listen(QHostAddress::LocalHost));
        connect(&service, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = service.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    received[s] += s->readAll();
                    if (!received[s].contains("needIntervene=1"))
                        return;  // the body has not all arrived
                    bodies << received.take(s);
                    s->write(
                        "HTTP/1.1 503 Unavailable\r\nContent-Length: 0\r\n"
                        "Connection: close\r\n\r\n");
                    s->disconnectFromHost();
                });
            }
        });
    }
    dir = std::make_unique<TestWorkDir>(englishConfig(service.serverPort()));
    Language::instance()->load();
    PermissionController::instance()->load();
    DevicesType::instance()->reload();
}

void TestEnglishWindow::cleanup() {
    dir.reset();
    PageRegistry::clear();
    Language::instance()->setValue(Language::zh);
}

// The administrator's window (every area, every page), its menus, each dialog the menus open,
// a message box and a file tab: no Chinese anywhere, and not one request to the service.
void TestEnglishWindow::everyPageAndDialogInEnglish() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.leftTabNames(),
             (QStringList{"Calibration", "Firmware Generation", "IAP Upgrade", "BiSS Debugging"}));
    Texts texts;
    // Every page of the workspace, as the navigation shows it.
    for (int area = 0; area < window.leftTabWidget()->count(); ++area) {
        window.leftTabWidget()->setCurrentIndex(area);
        texts.add("left tab", window.leftTabWidget()->tabText(area));
    }
    for (QMenu* menu : window.findChildren<QMenu*>()) texts.collect(menu);
    emit window.newFileSignal();  // a file tab with its find and go-to bars
    QTRY_VERIFY(window.contentsTabWidget()->count() >= 2);
    texts.collect(&window);

    for (const char* action :
         {"actionUsart", "actionWorkSpace_Settings", "addDevices", "actionTheme_Settings"}) {
        QAction* a = window.action(QString::fromLatin1(action));
        QVERIFY2(a, action);
        a->trigger();
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            const QList<QDialog*> dialogs = window.findChildren<QDialog*>();
            for (QDialog* d : dialogs)
                if (d->isVisible())
                    dialog = d;
        }
        QVERIFY2(dialog, action);
        texts.collect(dialog);
        if (auto* theme = qobject_cast<ThemeSetDialog*>(dialog)) {
            auto* note = theme->findChild<QLabel*>("serviceNote");
            const QString asking = note->text();
            QTRY_VERIFY_WITH_TIMEOUT(note->text() != asking, 15000);  // the probe's answer
            texts.collect(theme);
            QCOMPARE(theme->findChild<QComboBox*>("languageBox")->currentText(),
                     QString("English"));
        }
        dialog->close();
    }
    for (auto icon : {QMessageBox::Information, QMessageBox::Warning, QMessageBox::Critical,
                      QMessageBox::Question}) {
        window.showMsg(icon, QStringLiteral("x"));
    }
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
        texts.collect(box);
        box->close();
    }
    QVERIFY(texts.count > 300);
    QVERIFY2(texts.chinese.isEmpty(), qPrintable(texts.chinese.join('\n')));
    // The probe of the language dialog is the one request allowed: the operator asked for it.
    QCOMPARE(bodies.size(), 1);
    QVERIFY(bodies.first().contains("\r\n\r\nq=%E4%BD%A0%E5%A5%BD&"));
}

// A calibration on the simulated rig and each of its result views: charts, axes, series, tabs.
void TestEnglishWindow::calibrationResultInEnglish() {
    SimDevice rig(SimDevice::Rig);
    CalibrationEntity record(nullptr, 64, 2048, 0.1f);
    record.setCalibrationSpeed(1400);
    record.setTestSpeed({400, 400, 400, 400});
    CalibrationMode worker;
    QSignalSpy messages(&worker, &CalibrationMode::msgSignal);
    worker.startCalibration(&record, rig.portPath(), 115200);
    QVERIFY(!record.getInlCurves().value("FINAL").isEmpty());
    Texts texts;
    std::vector<std::unique_ptr<CalibrationWork>> views;
    auto addViews = [&](std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            QString title;
            views.emplace_back(
                CalibrationWork::forPage(QString::fromLatin1(key), &record, nullptr, &title));
            texts.add(QStringLiteral("title of ") + key, title);
            views.back()->show();
            texts.collect(views.back().get());
        }
    };
    addViews({"ROUGH", "FINE", "FINAL"});
    worker.startTest(&record, rig.portPath(), 115200);
    QVERIFY(!record.getInlCurves().value("FOURTH").isEmpty());
    addViews({"FIRST", "SECOND", "THIRD", "FOURTH"});
    for (const QList<QVariant>& m : messages) texts.add("log", m.at(1).toString());
    QVERIFY(messages.count() > 20);
    QVERIFY2(texts.chinese.isEmpty(), qPrintable(texts.chinese.join('\n')));
    QCOMPARE(bodies.size(), 0);
}

// The texts built while a job runs: a connect to the simulated rig through the serial dialog,
// then a zeroing from the run page, as an operator does them; the log and the verdict's box.
void TestEnglishWindow::connectAndZeroLogInEnglish() {
    SimDevice rig(SimDevice::Rig);
    VirtualPorts::add(SimDevice::kindName(SimDevice::Rig), rig.portPath());
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.serialPortViewBind();
    QPointer<SerialDialog> dialog = window.serialDialog();
    QVERIFY(dialog);
    auto* ports = dialog->findChild<QComboBox*>("serialPortNum");
    const int at =
        ports->findText(SimDevice::kindName(SimDevice::Rig) + " (" + rig.portPath() + ")");
    QVERIFY(at >= 0);
    ports->setCurrentIndex(at);
    dialog->findChild<QComboBox*>("baudRate")->setCurrentText("115200");
    dialog->findChild<QComboBox*>("devicesType")->setCurrentText("CALIBRATION");
    QTest::mouseClick(dialog->findChild<QPushButton*>("connect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.debugLog()->toPlainText().contains("Device type matches."),
                             10000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());

    auto* run = window.findChild<CalibrationRunPage*>();
    QVERIFY(run);
    QTRY_VERIFY(run->button(CalibrationRunPage::Zero)->isEnabled());
    QTest::mouseClick(run->button(CalibrationRunPage::Zero), Qt::LeftButton);
    QString shown;
    for (QMessageBox* box : window.findChildren<QMessageBox*>())
        if (box->isVisible())
            shown += box->text() + "\n";
    QTRY_VERIFY2_WITH_TIMEOUT(window.debugLog()->toPlainText().contains("Zeroing complete."),
                              qPrintable(shown + window.debugLog()->toPlainText().right(600)),
                              20000);
    Texts texts;
    for (const QString& line : window.debugLog()->toPlainText().split('\n')) texts.add("log", line);
    QMessageBox* verdict = nullptr;
    QTRY_VERIFY([&] {
        for (QMessageBox* box : window.findChildren<QMessageBox*>())
            if (box->isVisible() && box->text().startsWith("Zeroing succeeded"))
                verdict = box;
        return verdict != nullptr;
    }());
    texts.collect(verdict);
    QVERIFY(texts.count > 30);
    QVERIFY2(texts.chinese.isEmpty(), qPrintable(texts.chinese.join('\n')));
    QCOMPARE(bodies.size(), 0);
    verdict->close();
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    VirtualPorts::remove(rig.portPath());
}

QTEST_MAIN(TestEnglishWindow)
#include "tst_englishwindow.moc"
