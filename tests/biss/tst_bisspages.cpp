// The BiSS pages inside a real workspace: preconditions, messages, validators and polling.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QValidator>
#include <QtTest>

#include "bisscommfaultpage.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "bissmastermodepage.h"
#include "bisspages.h"
#include "bisspolling.h"
#include "bisspositionchart.h"
#include "bissregisterpage.h"
#include "bissresolverpage.h"
#include "bissslavecommmodepage.h"
#include "bissslavedatapage.h"
#include "bissslaveenablepage.h"
#include "bissslavefaultpage.h"
#include "bisstransformmode.h"
#include "chineseconfig.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "language.h"
#include "mcombobox.h"
#include "mspinbox.h"
#include "pixels.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "testworkdir.h"

namespace {
const int kDummyOwner = 0;
}

class TestBissPages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void anyButtonWhileJobRunsDoesNothing();
    void clickWaitsForThePortThenRuns();
    void clickRefusedWhenThePortStaysHeld();
    void dataTickRunsRightAfterTheHeldPort();
    void chartSamplesOnlyDataResults();
    void positionWithBit31IsUnsigned();
    void valuesGoStaleAfterSwitchingOff();
    void noSlaveReadYet();
    void rigConnectedAsksForTheMaster_data();
    void rigConnectedAsksForTheMaster();
    void masterPageMessages_data();
    void masterPageMessages();
    void registerAddressRangeByMode_data();
    void registerAddressRangeByMode();
    void resolverRules_data();
    void resolverRules();
    void slaveCommModeOnlyForZek_data();
    void slaveCommModeOnlyForZek();
    void indicatorsRelabelForResolver();
    void voltageColour_data();
    void voltageColour();
    void voltageColourIsPainted_data();
    void voltageColourIsPainted();
    void indicatorColoursArePainted();
    void continuousBoxColourIsPainted();
    void continuousAcquisitionAndFailedRead();
    void statusPollStartsAfterFailedFirstRead();
    void inputsEnabledOnlyOnTheCurrentPage();
    void slaveSupplyAlreadyOn();
    void zeroingNeedsBissCMaster();
    void commFaultClearEmptiesTheList();

private:
    QMessageBox* box() const;
    QStringList boxTexts() const;
    void closeBoxes();
    void ready();
    std::unique_ptr<TestWorkDir> dir;
    std::unique_ptr<SettingsWork> work;
};

void TestBissPages::initTestCase() {
    dir = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
    registerBissPages();
}

void TestBissPages::init() {
    work = std::make_unique<SettingsWork>();
    work->build({"BiSS调试"}, {{{"主机状态", "主机通信模式", "从机使能"},
                                {"从机状态", "从机反馈数据", "从机错误 & 警告", "通信错误 & 警告",
                                 "从机通信模式", "旋变设置", "寄存器操作"}}});
    ready();
}

void TestBissPages::cleanup() {
    SerialPortBusy::instance()->releaseAll(&kDummyOwner);
    work.reset();
}

// A connected BiSS-C master with a ZEK slave powered and identified.
void TestBissPages::ready() {
    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);
    DevicesType::instance()->setSlaveType(DevicesType::ZEK_MT_BISS);
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    BissTransformMode::instance()->setMasterMode(BissTransformMode::BISS_C);
    BissErrorAndWrring::instance()->setCommunicationFaults({});
    work->getBissEntity()->setSlaveEnabled(true);
}

QMessageBox* TestBissPages::box() const {
    const QList<QMessageBox*> boxes = work->findChildren<QMessageBox*>();
    return boxes.isEmpty() ? nullptr : boxes.last();
}

void TestBissPages::closeBoxes() {
    for (QMessageBox* b : work->findChildren<QMessageBox*>()) {
        b->close();
        delete b;
    }
}

QStringList TestBissPages::boxTexts() const {
    QStringList list;
    for (QMessageBox* b : work->findChildren<QMessageBox*>()) list << b->text();
    return list;
}

void TestBissPages::anyButtonWhileJobRunsDoesNothing() {
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);  // would warn otherwise
    QVERIFY(SerialPortBusy::instance()->claim(&kDummyOwner));
    QList<QSignalSpy*> spies;
    const QMetaObject* meta = work->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Signal)
            spies << new QSignalSpy(work.get(), meta->method(i));
    const QList<QPushButton*> buttons = work->pageList()->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 11);
    for (QPushButton* b : buttons) b->click();
    work->findChild<BissSlaveDataPage*>()->continuousBox->click();
    QCOMPARE(boxTexts(), QStringList{});
    for (QSignalSpy* spy : spies) {
        QVERIFY2(spy->isEmpty(), spy->signal().constData());
        delete spy;
    }
    QCOMPARE(work->getBissEntity()->getSlaveEnabled(), true);
}

void TestBissPages::clickWaitsForThePortThenRuns() {
    QSignalSpy reads(work.get(), &SettingsWork::readSlaverRegeditSignal);
    QVERIFY(SerialPortBusy::instance()->claim(&kDummyOwner));  // a poll holds the port
    auto* page = work->findChild<BissRegisterPage*>();
    page->addressField->setText("11");
    page->readButton->click();
    QCOMPARE(reads.size(), 0);
    SerialPortBusy::instance()->release(&kDummyOwner);
    QTRY_COMPARE(reads.size(), 1);
    QCOMPARE(work->getBissEntity()->getRegisterAddress(), 11);
    QCOMPARE(boxTexts(), QStringList{});
}

void TestBissPages::clickRefusedWhenThePortStaysHeld() {
    BissPolling::attach(work.get())->clickWaitMs = 100;
    QSignalSpy writes(work.get(), &SettingsWork::writeSlaverRegeditSignal);
    QVERIFY(SerialPortBusy::instance()->claim(&kDummyOwner));
    work->findChild<BissRegisterPage*>()->writeButton->click();
    QTRY_COMPARE(boxTexts(), QStringList{"设备正忙，操作未执行，请稍后重试。"});
    SerialPortBusy::instance()->release(&kDummyOwner);
    QTest::qWait(50);
    QCOMPARE(writes.size(), 0);  // refused is refused: it does not run later
}

void TestBissPages::dataTickRunsRightAfterTheHeldPort() {
    QSignalSpy data(work.get(), &SettingsWork::getSlaverDataSignal);
    work->getBissEntity()->setContinuousRead(true);
    BissPolling* polling = BissPolling::attach(work.get());
    QVERIFY(SerialPortBusy::instance()->claim(&kDummyOwner));  // the 2 s status request
    polling->dataPoll();
    QCOMPARE(data.size(), 0);
    SerialPortBusy::instance()->release(&kDummyOwner);
    // Not at the next 200 ms tick (the timer does not even run here): right away.
    QTRY_COMPARE_WITH_TIMEOUT(data.size(), 1, 150);
}

void TestBissPages::chartSamplesOnlyDataResults() {
    auto* page = work->findChild<BissSlaveDataPage*>();
    BissEntity* entity = work->getBissEntity();
    entity->setContinuousRead(true);
    for (int i = 0; i < 3; ++i) {
        entity->setSingleTurnValue(100 * i);
        work->getSlaverDataSlot(entity);
        work->getSlaverStatusSlot(entity);  // redraws too, but brings no position
        work->clearSlaverErrorSlot(entity);
    }
    QCOMPARE(page->chart->sampleCount(), 3);
}

void TestBissPages::positionWithBit31IsUnsigned() {
    auto* page = work->findChild<BissSlaveDataPage*>();
    BissEntity* entity = work->getBissEntity();
    entity->setSingleTurnValue(int(0x80000001u));
    entity->setMultiTurnValue(int(0xFFFFFFFFu));
    emit work->dataTimerReDrawSignal();
    QCOMPARE(page->singleTurnField->text(), QString("2147483649"));
    QCOMPARE(page->multiTurnField->text(), QString("4294967295"));
}

void TestBissPages::valuesGoStaleAfterSwitchingOff() {
    auto* page = work->findChild<BissSlaveDataPage*>();
    BissEntity* entity = work->getBissEntity();
    entity->setContinuousRead(true);
    entity->setVoltage(3.23f);
    work->getSlaverDataSlot(entity);
    QCOMPARE(page->voltageField->property("Result").toString(), QString("success"));
    QVERIFY(page->freshness->text().isEmpty());
    QSignalSpy supply(work.get(), &SettingsWork::setBissSlaverEnableSignal);
    work->findChild<BissSlaveEnablePage*>()->offButton->click();  // 断开
    QCOMPARE(supply.size(), 1);
    // No result comes back to the pages for the supply: the data page goes stale at once.
    QVERIFY(!page->continuousBox->isChecked());
    for (QLineEdit* field : {page->multiTurnField, page->singleTurnField, page->voltageField})
        QCOMPARE(field->property("Result").toString(), QString("stale"));
    QVERIFY(page->freshness->text().startsWith("数据已停止更新，最后读取时间："));
}

void TestBissPages::noSlaveReadYet() {
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    emit work->dataTimerReDrawSignal();
    auto* page = work->findChild<BissSlaveDataPage*>();
    QCOMPARE(page->detailLabel()->text(), QString("当前连接从机设备型号：(尚未读取从机)"));
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    emit work->dataTimerReDrawSignal();
    QCOMPARE(page->detailLabel()->text(), QString("当前连接从机设备型号：(ZEK_MT_BISS)"));
}

void TestBissPages::rigConnectedAsksForTheMaster_data() {
    QTest::addColumn<QString>("button");
    for (QString name :
         {"主机通信模式/设置", "从机使能/断开", "从机使能/使能", "从机反馈数据/单圈置零",
          "从机反馈数据/连续获取", "从机错误 & 警告/清除错误", "通信错误 & 警告/清除错误",
          "从机通信模式/设置", "旋变设置/关闭", "旋变设置/使能", "寄存器操作/读取",
          "寄存器操作/写入"})
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestBissPages::rigConnectedAsksForTheMaster() {
    QFETCH(QString, button);
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    const QString pageName = button.section('/', 0, 0);
    const QString text = button.section('/', 1);
    QListWidget* list = work->pageList();
    QWidget* page = nullptr;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(SettingsWork::NameRole).toString() == pageName)
            page = list->itemWidget(list->item(row));
    QVERIFY(page);
    QAbstractButton* target = nullptr;
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        if (b->text() == text)
            target = b;
    QVERIFY(target);
    QSignalSpy notConnected(work.get(), &SettingsWork::devicesNotConnect);
    target->click();
    QCOMPARE(boxTexts(), QStringList{"请连接BiSS_C Master!"});
    QCOMPARE(box()->windowTitle(), QString("警告"));
    QVERIFY(!box()->isModal());
    QCOMPARE(notConnected.size(), 0);
    box()->close();
    QCOMPARE(notConnected.size(), 1);
}

void TestBissPages::masterPageMessages_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("single");
    QTest::addColumn<QString>("message");
    QTest::addRow("no mode") << "" << 17 << "请选择主机通信模式！";
    QTest::addRow("single-turn bits 0") << "RS485" << 0 << "单圈位数必须大于0！";
    QTest::addRow("valid") << "BISS_C" << 17 << "";
}

void TestBissPages::masterPageMessages() {
    QFETCH(QString, mode);
    QFETCH(int, single);
    QFETCH(QString, message);
    auto* page = work->findChild<BissMasterModePage*>();
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    QSignalSpy requests(work.get(), &SettingsWork::setMasterStatusSignal);
    page->modeBox->setCurrentIndex(page->modeBox->findText(mode));
    page->singleTurnBox->setValue(single);
    page->multiTurnBox->setValue(12);
    page->setButton->click();
    QCOMPARE(work->getBissEntity()->getMasterTransformMode(), mode);
    QCOMPARE(work->getBissEntity()->getSingleTurnBits(), single);
    QCOMPARE(work->getBissEntity()->getMultiTurnBits(), 12);
    if (message.isEmpty()) {
        QCOMPARE(requests.size(), 1);
        QCOMPARE(shown.size(), 0);
    } else {
        QCOMPARE(requests.size(), 0);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).at(1).toString(), message);
        QCOMPARE(shown.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Warning);
    }
}

void TestBissPages::registerAddressRangeByMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const int bc = BissTransformMode::BISS_C;
    const int rs = BissTransformMode::RS485;
    QTest::addRow("BISS_C address 127") << bc << "address"
                                        << "127" << true;
    QTest::addRow("BISS_C address 128") << bc << "address"
                                        << "128" << false;
    QTest::addRow("RS485 address 255") << rs << "address"
                                       << "255" << true;
    QTest::addRow("RS485 address 256") << rs << "address"
                                       << "256" << false;
    QTest::addRow("BISS_C data 255") << bc << "data"
                                     << "255" << true;
    QTest::addRow("RS485 data 256") << rs << "data"
                                    << "256" << false;
    QTest::addRow("leading zero") << rs << "data"
                                  << "07" << false;
}

void TestBissPages::registerAddressRangeByMode() {
    QFETCH(int, mode);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    auto* page = work->findChild<BissRegisterPage*>();
    // The validators follow the master's mode at every redraw.
    BissTransformMode::instance()->setMasterMode(mode);
    emit work->viewReDraw();
    QLineEdit* edit = field == "address" ? page->addressField : page->dataField;
    QString input = text;
    int pos = 0;
    QCOMPARE(edit->validator()->validate(input, pos) == QValidator::Acceptable, accepted);
}

void TestBissPages::resolverRules_data() {
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("poles");
    QTest::addColumn<QString>("message");
    const QString empty = "输入参数不能为空且极对数不能为0!";
    QTest::addRow("pole pairs 0") << int(DevicesType::ABSRESLOVER) << "L4096"
                                  << "0" << empty;
    QTest::addRow("no resolution") << int(DevicesType::ABSRESLOVER) << ""
                                   << "4" << empty;
    QTest::addRow("not a resolver") << int(DevicesType::ZEK_MT_BISS) << "L4096"
                                    << "4"
                                    << "从机设备ID不符，请连接正确的编码器设备!";
    QTest::addRow("valid") << int(DevicesType::ABSRESLOVER) << "L4096"
                           << "4"
                           << "";
}

void TestBissPages::resolverRules() {
    QFETCH(int, slaveType);
    QFETCH(QString, resolution);
    QFETCH(QString, poles);
    QFETCH(QString, message);
    DevicesType::instance()->setSlaveType(slaveType);
    auto* page = work->findChild<BissResolverPage*>();
    QSignalSpy set(work.get(), &SettingsWork::setResolutionAndPolePairsSignal);
    QSignalSpy close(work.get(), &SettingsWork::closeResolutionAndPolePairsSignal);
    page->resolutionBox->setCurrentIndex(page->resolutionBox->findText(resolution));
    page->polePairsField->setText(poles);
    page->enableButton->click();
    QCOMPARE(set.size(), message.isEmpty() ? 1 : 0);
    QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    closeBoxes();
    page->closeButton->click();
    const bool resolver = slaveType == DevicesType::ABSRESLOVER;
    QCOMPARE(close.size(), resolver ? 1 : 0);
    if (!resolver)
        QCOMPARE(box()->text(), QString("从机设备ID不符，请连接正确的编码器设备!"));
    if (message.isEmpty())
        QCOMPARE(work->getBissEntity()->getPolePairs(), 4);
}

void TestBissPages::slaveCommModeOnlyForZek_data() {
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<bool>("sent");
    QTest::addRow("ZEK_MT_BISS") << int(DevicesType::ZEK_MT_BISS) << true;
    QTest::addRow("FENOXA_BISS") << int(DevicesType::FENOXA_BISS) << false;
    QTest::addRow("ABSRESLOVER") << int(DevicesType::ABSRESLOVER) << false;
}

void TestBissPages::slaveCommModeOnlyForZek() {
    QFETCH(int, slaveType);
    QFETCH(bool, sent);
    DevicesType::instance()->setSlaveType(slaveType);
    auto* page = work->findChild<BissSlaveCommModePage*>();
    QSignalSpy requests(work.get(), &SettingsWork::setSlaverStatusSignal);
    page->modeChoice->setCurrentIndex(page->modeChoice->findText("RS485"));
    page->setButton->click();
    QCOMPARE(requests.size(), sent ? 1 : 0);
    if (sent)
        QCOMPARE(work->getBissEntity()->getSlaveTransformMode(), QString("RS485"));
    else
        QCOMPARE(boxTexts(), QStringList{"从机设备ID不符，请连接正确的编码器设备!"});
}

void TestBissPages::indicatorsRelabelForResolver() {
    auto* page = work->findChild<BissSlaveFaultPage*>();
    DevicesType::instance()->setSlaveType(DevicesType::ABSRESLOVER);
    BissErrorAndWrring::instance()->setResolverFaults({BissErrorAndWrring::SIN_COS_INPUT_CLIP});
    emit work->dataTimerReDrawSignal();
    QStringList labels;
    for (QCheckBox* b : page->indicators) labels << b->text();
    QCOMPARE(labels, QStringList({"输入削波", "输入丢失", "输入超量程", "输入失配", "位置丢失",
                                  "超速错误", "锁相错误"}));
    QVERIFY(page->indicators[0]->isChecked());
    QVERIFY(!page->indicators[1]->isChecked());

    DevicesType::instance()->setSlaveType(DevicesType::ZEK_MT_BISS);
    BissErrorAndWrring::instance()->setSlaveFaults({BissErrorAndWrring::BATTERY_ERROR});
    work->getBissEntity()->setErrorFree(false);
    emit work->dataTimerReDrawSignal();
    labels.clear();
    QList<bool> states;
    for (QCheckBox* b : page->indicators) {
        labels << b->text();
        states << b->isChecked();
    }
    QCOMPARE(labels, QStringList({"错误标志", "警告标志", "超速警告", "电池警告", "角度错误",
                                  "多圈错误", "电池错误"}));
    QCOMPARE(states, QList<bool>({true, false, false, false, false, false, true}));
}

void TestBissPages::voltageColour_data() {
    QTest::addColumn<float>("volts");
    QTest::addColumn<QString>("result");
    QTest::addRow("3.1 V is red") << 3.1f << "fail";
    QTest::addRow("3.11 V is green") << 3.11f << "success";
}

void TestBissPages::voltageColour() {
    QFETCH(float, volts);
    QFETCH(QString, result);
    work->getBissEntity()->setVoltage(volts);
    emit work->dataTimerReDrawSignal();
    auto* page = work->findChild<BissSlaveDataPage*>();
    QCOMPARE(page->voltageField->property("Result").toString(), result);
    QCOMPARE(page->voltageField->text(), QString::number(double(volts), 'g', 6));
}

void TestBissPages::voltageColourIsPainted_data() {
    QTest::addColumn<float>("volts");
    QTest::addColumn<bool>("green");
    QTest::addRow("3.1 V is painted red") << 3.1f << false;
    QTest::addRow("3.11 V is painted green") << 3.11f << true;
}

void TestBissPages::voltageColourIsPainted() {
    QFETCH(float, volts);
    QFETCH(bool, green);
    work->resize(900, 900);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
    work->getBissEntity()->setVoltage(volts);
    emit work->dataTimerReDrawSignal();
    QLineEdit* field = work->findChild<BissSlaveDataPage*>()->voltageField;
    const int frame = 2 * (field->width() + field->height());
    QVERIFY(pixels::countNear(field, green ? pixels::kGreen : pixels::kRed) > frame);
    QCOMPARE(pixels::countNear(field, green ? pixels::kRed : pixels::kGreen), 0);
}

void TestBissPages::indicatorColoursArePainted() {
    work->resize(900, 900);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
    auto* page = work->findChild<BissCommFaultPage*>();
    QCheckBox* crc = page->indicators.at(1);  // code 2
    BissErrorAndWrring::instance()->setCommunicationFaults({2});
    emit work->dataTimerReDrawSignal();
    QVERIFY(crc->isChecked());
    // The lamp: a 14 px disc, so well over 100 pixels of its colour, and none of the other.
    QVERIFY(pixels::countNear(crc, pixels::kRed, 25) > 100);
    QCOMPARE(pixels::countNear(crc, pixels::kGreen, 25), 0);
    BissErrorAndWrring::instance()->setCommunicationFaults({});
    emit work->dataTimerReDrawSignal();
    QVERIFY(pixels::countNear(crc, pixels::kGreen, 25) > 100);
    QCOMPARE(pixels::countNear(crc, pixels::kRed, 25), 0);

    // The slave error page too.
    auto* slavePage = work->findChild<BissSlaveFaultPage*>();
    work->getBissEntity()->setErrorFree(false);
    emit work->dataTimerReDrawSignal();
    QVERIFY(pixels::countNear(slavePage->indicators.at(0), pixels::kRed, 25) > 100);
    work->getBissEntity()->setErrorFree(true);
}

void TestBissPages::continuousBoxColourIsPainted() {
    work->resize(900, 900);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
    QCheckBox* box = work->findChild<BissSlaveDataPage*>()->continuousBox;
    BissEntity* entity = work->getBissEntity();
    // A running acquisition is an option switched on (green), never a fault (red).
    entity->setContinuousRead(true);
    emit work->dataTimerReDrawSignal();
    QVERIFY(box->isChecked());
    QVERIFY(pixels::countNear(box, pixels::kGreen, 25) > 100);
    QCOMPARE(pixels::countNear(box, pixels::kRed, 25), 0);
    entity->setContinuousRead(false);
    emit work->dataTimerReDrawSignal();
    QVERIFY(pixels::countNear(box, pixels::kAzure, 10) > 100);
    QCOMPARE(pixels::countNear(box, pixels::kGreen, 25), 0);
}

void TestBissPages::continuousAcquisitionAndFailedRead() {
    auto* page = work->findChild<BissSlaveDataPage*>();
    BissEntity* entity = work->getBissEntity();
    QSignalSpy data(work.get(), &SettingsWork::getSlaverDataSignal);
    page->continuousBox->click();
    QVERIFY(entity->getContinuousRead());
    QVERIFY(!page->continuousBox->isChecked());  // until the next redraw
    QVERIFY(work->getDataTimer()->isActive());
    QCOMPARE(work->getDataTimer()->interval(), 200);
    QVERIFY(data.wait(1000));
    entity->setSingleTurnValue(1000);
    work->getSlaverDataSlot(entity);
    QVERIFY(page->continuousBox->isChecked());
    QVERIFY(page->chart->isVisible() || !page->isVisible());
    QCOMPARE(page->chart->sampleCount(), 1);

    // The window turns a failed read into continuousRead false before handing the record back.
    entity->setContinuousRead(false);
    work->getSlaverDataSlot(entity);
    QVERIFY(!page->continuousBox->isChecked());
    QCOMPARE(page->chart->sampleCount(), 0);
    data.clear();
    BissPolling* polling = BissPolling::attach(work.get());
    for (int i = 0; i < 3; ++i) polling->dataPoll();
    QCOMPARE(data.size(), 0);

    // A failed master check unchecks the box before its warning.
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    page->continuousBox->click();
    QVERIFY(!page->continuousBox->isChecked());
    QCOMPARE(boxTexts(), QStringList{"请连接BiSS_C Master!"});
    QVERIFY(!entity->getContinuousRead());
}

void TestBissPages::statusPollStartsAfterFailedFirstRead() {
    QSignalSpy status(work.get(), &SettingsWork::getSlaverStatusSignal);
    QVERIFY(!work->getStatusTimer()->isActive());
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    work->getSlaverStatusSlot(work->getBissEntity());  // the first result, a failed one
    QVERIFY(work->getStatusTimer()->isActive());
    BissPolling* polling = BissPolling::attach(work.get());
    polling->statusPoll();
    QCOMPARE(status.size(), 0);  // the slave is not connected: nothing asked
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    polling->statusPoll();
    QCOMPARE(status.size(), 1);
    QVERIFY(SerialPortBusy::instance()->claim(&kDummyOwner));
    polling->statusPoll();
    QCOMPARE(status.size(), 1);
}

void TestBissPages::inputsEnabledOnlyOnTheCurrentPage() {
    auto* master = work->findChild<BissMasterModePage*>();
    auto* reg = work->findChild<BissRegisterPage*>();
    QListWidget* list = work->pageList();
    for (int row = 0; row < list->count(); ++row)
        if (list->itemWidget(list->item(row)) == master)
            list->setCurrentRow(row);
    QVERIFY(master->modeBox->isEnabled());
    QVERIFY(master->singleTurnBox->isEnabled());
    QVERIFY(!reg->addressField->isEnabled());
    QVERIFY(reg->readButton->isEnabled());
    for (int row = 0; row < list->count(); ++row)
        if (list->itemWidget(list->item(row)) == reg)
            list->setCurrentRow(row);
    QVERIFY(!master->modeBox->isEnabled());
    QVERIFY(reg->addressField->isEnabled());
}

void TestBissPages::slaveSupplyAlreadyOn() {
    auto* page = work->findChild<BissSlaveEnablePage*>();
    QSignalSpy requests(work.get(), &SettingsWork::setBissSlaverEnableSignal);
    page->onButton->click();
    QCOMPARE(requests.size(), 0);
    QCOMPARE(boxTexts(), QStringList{"从机已使能"});
    QCOMPARE(box()->windowTitle(), QString("从机使能"));
    QCOMPARE(box()->icon(), QMessageBox::Information);
    work->getBissEntity()->setContinuousRead(true);
    page->offButton->click();
    QCOMPARE(requests.size(), 1);
    QVERIFY(!work->getBissEntity()->getSlaveEnabled());
    QVERIFY(!work->getBissEntity()->getContinuousRead());
    emit work->viewReDraw();
    QVERIFY(page->indicator->isChecked());
}

void TestBissPages::zeroingNeedsBissCMaster() {
    auto* page = work->findChild<BissSlaveDataPage*>();
    QSignalSpy writes(work.get(), &SettingsWork::writeSlaverRegeditSignal);
    BissTransformMode::instance()->setMasterMode(BissTransformMode::RS485);
    page->zeroButton->click();
    QCOMPARE(boxTexts(), QStringList{"请连接BiSS_C Master!"});
    closeBoxes();
    BissTransformMode::instance()->setMasterMode(BissTransformMode::BISS_C);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    page->zeroButton->click();
    QCOMPARE(boxTexts(), QStringList{"此功能仅适用于BISS通信状态下!"});
    closeBoxes();
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    DevicesType::instance()->setSlaveType(DevicesType::FENOXA_BISS);
    page->zeroButton->click();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(work->getBissEntity()->getRegisterAddress(), 74);
    QCOMPARE(work->getBissEntity()->getRegisterValue(), 0x2C);
}

void TestBissPages::commFaultClearEmptiesTheList() {
    auto* page = work->findChild<BissCommFaultPage*>();
    BissErrorAndWrring::instance()->setCommunicationFaults({0, 7, 3});
    emit work->dataTimerReDrawSignal();
    QList<bool> states;
    for (QCheckBox* b : page->indicators) states << b->isChecked();
    QCOMPARE(states, QList<bool>({true, false, false, false, false, true, false}));
    // The slave link may be down after a fault; only the supply counts here.
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    QList<int> atRequest{-1};
    connect(work.get(), &SettingsWork::clearMasterErrorSignal, this,
            [&] { atRequest = BissErrorAndWrring::instance()->getCommunicationFaults(); });
    page->clearButton->click();
    QCOMPARE(atRequest, QList<int>{});
    emit work->dataTimerReDrawSignal();
    for (QCheckBox* b : page->indicators) QVERIFY(!b->isChecked());
}

QTEST_MAIN(TestBissPages)
#include "tst_bisspages.moc"
