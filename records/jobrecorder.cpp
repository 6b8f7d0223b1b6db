#include "jobrecorder.h"

#include <QJsonArray>
#include <QJsonObject>

#include "bisscontroler.h"
#include "bissentity.h"
#include "calibrationcontroler.h"
#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "devicestype.h"
#include "firmwarecontroler.h"
#include "firmwareentity.h"
#include "iapcontroler.h"
#include "iapentity.h"
#include "readconfig.h"
#include "recordwriter.h"
#include "serialportcontroler.h"
#include "serialportentity.h"

namespace {
bool isSeparator(const QString& line) {
    const QString t = line.trimmed();
    return t.isEmpty() || t.count(QLatin1Char('-')) == t.size();
}

// A float sent as a double carries 17 digits of noise; nine digits give back the same float
// and a third of the text. Empty curves (phases the run did not send) are left out.
QJsonValue compact(const QJsonValue& v) {
    if (v.isDouble())
        return QString::number(double(float(v.toDouble())), 'g', 9).toDouble();
    if (v.isArray()) {
        QJsonArray out;
        for (const QJsonValue& item : v.toArray()) out.append(compact(item));
        return out;
    }
    if (v.isObject()) {
        QJsonObject out;
        const QJsonObject in = v.toObject();
        for (auto it = in.begin(); it != in.end(); ++it)
            if (!(it->isArray() && it->toArray().isEmpty()))
                out.insert(it.key(), compact(*it));
        return out;
    }
    return v;
}

// The result fields each rig job produces; others in the operator's record belong to earlier
// runs and must not pass for this one's.
QStringList resultFields(const QString& job) {
    QStringList fields{"encoderType", "rigVerdict", "maxInl"};
    if (job == QLatin1String("calibrate"))
        fields << "inlCurves" << "phaseCoefficients" << "phaseMaxInl" << "phaseLineOffset";
    else if (job == QLatin1String("test"))
        fields << "inlCurves" << "testMaxInl";
    return fields;
}
}  // namespace

JobRecorder::JobRecorder(RecordWriter* writer, QObject* parent) : QObject(parent), writer(writer) {}

JobRecorder::Run& JobRecorder::begin(QObject* controler, const QString& job, const QString& port,
                                     int baud, const QString& serial) {
    Run& run = runs[controler];
    run = Run();
    run.active = true;
    run.record = ProductionRecord::begin(job);
    // The saved connection is the dialog's text ("USB Serial (ttyUSB0)"); the record keeps the
    // port's name, as the job opened it.
    run.record.port = port.isEmpty() ? port : ReadConfig::portNameFromDescription(port);
    run.record.baud = baud;
    run.record.serial = serial.trimmed().isEmpty() ? defaultSerial.trimmed() : serial.trimmed();
    DevicesType* types = DevicesType::instance();
    run.record.deviceType = types->getConnectedType();
    run.record.deviceName = types->connectedKey();
    return run;
}

void JobRecorder::log(QObject* controler, const QString& text) {
    Run& run = runs[controler];
    if (!run.active)
        return;
    if (run.record.log.size() < kMaxLogLines)
        run.record.log << text;
    else
        ++run.dropped;
}

void JobRecorder::noteImage(const ProductionRecord& record, const QString& path) {
    if (writer && !path.isEmpty())
        writer->noteImage(record.id, path);
}

void JobRecorder::calibrationResult(QObject* controler, const QString& job, const QString& text,
                                    CalibrationEntity* entity) {
    Run& run = runs[controler];
    if (!run.active || run.record.job != job)
        return;
    run.verdictText = text;
    if (!entity)
        return;
    const QJsonObject fields = CalibrationRecord::toJson(entity);
    for (const QString& key : resultFields(job))
        run.record.details.insert(key, compact(fields.value(key)));
    // The rig names the encoder under test: that is the device of the record.
    if (entity->getEncoderType() > 0) {
        run.record.deviceType = entity->getEncoderType();
        run.record.deviceName = DevicesType::instance()->valueToKey(entity->getEncoderType());
    }
}

void JobRecorder::finish(QObject* controler, const QString& text, bool ok, const QString& outcome) {
    Run run = runs.take(controler);
    ProductionRecord& r = run.record;
    // Refused before it was accepted (the port was taken): nothing reached a device, and the
    // refusal is in the log already.
    if (!run.active)
        return;
    r.endedAt = QDateTime::currentDateTimeUtc();
    if (!outcome.isEmpty())
        r.outcome = outcome;
    else if (!ok)
        r.outcome = QString::fromLatin1(ProductionRecord::kFailed);
    else if (r.details.contains(QStringLiteral("rigVerdict")) &&
             !r.details.value(QStringLiteral("rigVerdict")).toBool())
        r.outcome = QString::fromLatin1(ProductionRecord::kBad);
    else
        r.outcome = QString::fromLatin1(ProductionRecord::kGood);
    QString resultText = run.verdictText.isEmpty() ? text : run.verdictText + QLatin1Char(' ') + text;
    if (r.outcome == QLatin1String(ProductionRecord::kFailed)) {
        // The reason is the last thing the job said before its summary.
        for (int i = int(r.log.size()) - 1; i >= 0; --i) {
            const QString& line = r.log.at(i);
            if (!isSeparator(line) && line != text) {
                resultText += QStringLiteral(" ") + line.trimmed();
                break;
            }
        }
    }
    r.resultText = resultText.trimmed();
    if (run.dropped > 0)
        r.log << QStringLiteral("(%1 more lines not kept)").arg(run.dropped);
    emit recordReady(r);
    if (writer)
        writer->submit(r);
}

void JobRecorder::attach(CalibrationControler* c) {
    struct Start {
        void (CalibrationControler::*signal)(CalibrationEntity*, QString, int);
        const char* job;
    };
    for (const Start& s : {Start{&CalibrationControler::startZero, "zero"},
                           Start{&CalibrationControler::startCalibration, "calibrate"},
                           Start{&CalibrationControler::startTest, "test"},
                           Start{&CalibrationControler::startArgments, "params"}}) {
        const QString job = QString::fromLatin1(s.job);
        connect(c, s.signal, this,
                [this, c, job](CalibrationEntity* e, const QString& port, int baud) {
                    Run& run = begin(c, job, port, baud, e ? e->getSerialNumber() : QString());
                    if (!e)
                        return;
                    // The parameters as sent; the worker changes none of these fields.
                    QJsonArray speeds;
                    for (quint16 v : e->getTestSpeed()) speeds.append(int(v));
                    QJsonObject& d = run.record.details;
                    d.insert("pointNum", e->getPointNum());
                    d.insert("encoderLine", e->getEncoderLine());
                    d.insert("calibrationSpeed", e->getCalibrationSpeed());
                    d.insert("testSpeed", speeds);
                },
                Qt::DirectConnection);
    }
    connect(c, &ControlerBase::msgSignal, this,
            [this, c](const QString&, const QString& text) { log(c, text); });
    connect(c, &CalibrationControler::compResult, this,
            [this, c](const QString& text, bool) { log(c, text); });
    connect(c, &CalibrationControler::zeroCompInlResult, this,
            [this, c](const QString& t, bool, CalibrationEntity* e) {
                calibrationResult(c, QStringLiteral("zero"), t, e);
            });
    connect(c, &CalibrationControler::calibrationCompInlResult, this,
            [this, c](const QString& t, bool, CalibrationEntity* e) {
                calibrationResult(c, QStringLiteral("calibrate"), t, e);
            });
    connect(c, &CalibrationControler::testCompInlResult, this,
            [this, c](const QString& t, bool, CalibrationEntity* e) {
                calibrationResult(c, QStringLiteral("test"), t, e);
            });
    connect(c, &CalibrationControler::calibrationResult, this,
            [this, c](const QString& text, bool ok) { finish(c, text, ok); });
}

void JobRecorder::attach(IapControler* c) {
    connect(c, &IapControler::startIap, this,
            [this, c](IapEntity* e, const QString& port, int baud) {
                Run& run = begin(c, QStringLiteral("iap"), port, baud,
                                 e ? e->getSerialNumber() : QString());
                if (!e)
                    return;
                QJsonObject& d = run.record.details;
                d.insert("protocol", e->getTransformName());
                d.insert("axis", e->getCaxisName());
                d.insert("firmwarePath", e->getFirmwarePath());
                noteImage(run.record, e->getFirmwarePath());
            },
            Qt::DirectConnection);
    connect(c, &IapControler::startTransfer, this,
            [this, c](const QString& port, int baud, const QString& path, int packetSize,
                      bool sendStart) {
                Run& run = begin(c, QStringLiteral("ymodem"), port, baud, QString());
                QJsonObject& d = run.record.details;
                d.insert("firmwarePath", path);
                d.insert("packetSize", packetSize);
                d.insert("sendStart", sendStart);
                noteImage(run.record, path);
            },
            Qt::DirectConnection);
    connect(c, &ControlerBase::msgSignal, this,
            [this, c](const QString&, const QString& text) { log(c, text); });
    connect(c, &IapControler::compResult, this,
            [this, c](const QString& text, bool) { log(c, text); });
    connect(c, &IapControler::connectResult, this,
            [this, c](const QString& text, bool ok) { finish(c, text, ok); });
    connect(c, &IapControler::transferResult, this,
            [this, c](const QString& text, bool ok) { finish(c, text, ok); });
}

void JobRecorder::attach(BissControler* c) {
    using Request = void (BissControler::*)(BissEntity*, QString, int);
    struct Change {
        Request signal;
        const char* job;
    };
    // Only the operations that change the device leave a record; reads do not.
    for (const Change& ch : {Change{&BissControler::setMasterStatus, "set-master"},
                             Change{&BissControler::setBissSlaverEnable, "slave-enable"},
                             Change{&BissControler::setSlaverStatus, "set-slave-mode"},
                             Change{&BissControler::writeSlaverRegedit, "write-reg"},
                             Change{&BissControler::setResolutionPolePairs, "write-resolution"},
                             Change{&BissControler::clearSlaverError, "clear-slave-fault"},
                             Change{&BissControler::clearMasterError, "clear-master-fault"}}) {
        const QString job = QString::fromLatin1(ch.job);
        connect(c, ch.signal, this,
                [this, c, job](BissEntity* e, const QString& port, int baud) {
                    Run& run = begin(c, job, port, baud, QString());
                    QJsonObject& d = run.record.details;
                    d.insert("bissOperation", job);
                    DevicesType* types = DevicesType::instance();
                    if (types->getSlaveType() > 0)
                        d.insert("slaveType", types->slaveKey());
                    if (!e)
                        return;
                    if (job == QLatin1String("set-master")) {
                        d.insert("masterTransformMode", e->getMasterTransformMode());
                        d.insert("multiTurnBits", e->getMultiTurnBits());
                        d.insert("singleTurnBits", e->getSingleTurnBits());
                    } else if (job == QLatin1String("slave-enable")) {
                        d.insert("slaveEnabled", e->getSlaveEnabled());
                    } else if (job == QLatin1String("set-slave-mode")) {
                        d.insert("slaveTransformMode", e->getSlaveTransformMode());
                    } else if (job == QLatin1String("write-reg")) {
                        d.insert("registerAddress", e->getRegisterAddress());
                        d.insert("registerValue", e->getRegisterValue());
                        d.insert("saveToEeprom", e->getSaveToEeprom());
                    } else if (job == QLatin1String("write-resolution")) {
                        d.insert("resolution", e->getResolution());
                        d.insert("polePairs", e->getPolePairs());
                    }
                },
                Qt::DirectConnection);
    }
    connect(c, &ControlerBase::msgSignal, this, [this, c](const QString&, const QString& text) {
        if (runs.value(c).active)
            log(c, text);
    });
    connect(c, &BissControler::bissResult, this, [this, c](const QString& text, bool ok) {
        // A read's result: nothing was begun for it.
        if (runs.value(c).active)
            finish(c, text, ok);
    });
}

void JobRecorder::attach(SerialPortControler* c) {
    connect(c, &SerialPortControler::startConnect, this,
            [this, c](SerialPortEntity* e) {
                begin(c, QStringLiteral("connect"), e ? e->getSerialPortNum() : QString(),
                      e ? e->getBaudRate() : 0, QString());
            },
            Qt::DirectConnection);
    connect(c, &ControlerBase::msgSignal, this,
            [this, c](const QString&, const QString& text) { log(c, text); });
    connect(c, &SerialPortControler::connectResult, this, [this, c](const QString& text, bool ok) {
        // A good connect goes on to the type comparison, which ends the job.
        if (ok)
            log(c, text);
        else
            finish(c, text, false);
    });
    connect(c, &SerialPortControler::compResult, this,
            [this, c](const QString& text, bool ok) { finish(c, text, ok); });
}

void JobRecorder::attach(FirmwareControler* c) {
    connect(c, &FirmwareControler::startGeneration, this,
            [this, c](FirmwareEntity* e) {
                Run& run = begin(c, QStringLiteral("firmware"), QString(), 0, QString());
                if (!e)
                    return;
                const int type = DevicesType::instance()->keyToValue(e->getWatermarkName());
                run.record.deviceType = type < 0 ? 0 : type;
                run.record.deviceName = e->getWatermarkName();
                QJsonObject& d = run.record.details;
                d.insert("mode", e->getModeName());
                d.insert("watermark", e->getWatermarkName());
                d.insert("version", e->getVersion());
                d.insert("bootFirmwarePath", e->getBootFirmwarePath());
                d.insert("appFirmwarePath", e->getAppFirmwarePath());
                d.insert("savePath", e->getSavePath());
            },
            Qt::DirectConnection);
    connect(c, &ControlerBase::msgSignal, this,
            [this, c](const QString&, const QString& text) { log(c, text); });
    connect(c, &FirmwareControler::generationResult, this, [this, c](const QString& text, bool ok) {
        const Run& run = runs[c];
        if (ok && run.active)
            noteImage(run.record, run.record.details.value("savePath").toString());
        finish(c, text, ok);
    });
}
