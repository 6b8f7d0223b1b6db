#include "bisscommand.h"

#include <cstdio>

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

#include "absresloverresolution.h"
#include "bisscontroler.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "bisstransformmode.h"
#include "clioptions.h"
#include "clirecording.h"
#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "jobprinter.h"
#include "serialportbusy.h"
#include "serialportentity.h"

namespace {
constexpr int kOk = 0;
constexpr int kFailed = 1;

int usageError(const QString& message) {
    return CliOptions::usageError(message);
}

// One operation of the command line, parsed and checked before anything is sent.
struct Operation {
    QString name;
    QStringList args;
};

bool inRange(const QString& text, int low, int high, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

QString checkOperation(const Operation& op) {
    const int n = int(op.args.size());
    int v = 0;
    if (op.name == "master-status" || op.name == "slave-status" || op.name == "slave-data" ||
        op.name == "clear-slave-fault" || op.name == "clear-master-fault" ||
        op.name == "read-resolution")
        return n == 0 ? QString() : op.name + " takes no value";
    if (op.name == "set-master") {
        if (n != 3 || BissTransformMode::keyToValue(op.args[0]) < 0)
            return "set-master=MODE,MULTI,SINGLE with MODE one of " +
                   BissTransformMode::keyList().join(", ");
        if (!inRange(op.args[1], 0, 32, v) || !inRange(op.args[2], 1, 32, v))
            return "set-master: MULTI must be 0..32 and SINGLE 1..32";
        return QString();
    }
    if (op.name == "slave-enable")
        return n == 1 && (op.args[0] == "on" || op.args[0] == "off") ? QString()
                                                                     : "slave-enable=on|off";
    if (op.name == "set-slave-mode")
        return n == 1 && BissTransformMode::keyToValue(op.args[0]) >= 0
                   ? QString()
                   : "set-slave-mode=MODE with MODE one of " +
                         BissTransformMode::keyList().join(", ");
    if (op.name == "read-reg")
        return n == 1 && inRange(op.args[0], 0, 255, v) ? QString() : "read-reg=ADDR (0..255)";
    if (op.name == "write-reg") {
        int w = 0;
        if ((n == 2 || (n == 3 && op.args[2] == "eeprom")) && inRange(op.args[0], 0, 255, v) &&
            inRange(op.args[1], 0, 255, w))
            return QString();
        return "write-reg=ADDR,VALUE[,eeprom] (0..255 each)";
    }
    if (op.name == "write-resolution") {
        if (n == 2 && AbsResloverResolution::keyToValue(op.args[0]) >= 0 &&
            inRange(op.args[1], 1, 20, v))
            return QString();
        return "write-resolution=RES,POLES with RES one of " +
               AbsResloverResolution::keyList().join(", ") + " and POLES 1..20";
    }
    return "unknown operation '" + op.name + "'";
}

QJsonArray keyList(const QList<int>& codes, QString (*name)(int)) {
    QJsonArray list;
    for (int code : codes) {
        const QString key = name(code);
        list.append(key.isEmpty() ? QJsonValue(code) : QJsonValue(key));
    }
    return list;
}

QString commKey(int code) {
    return EnumKeys<BissErrorAndWrring::ComiunicationErrorAndWrringEnum>::valueToKey(code);
}
QString slaveKey(int code) {
    return EnumKeys<BissErrorAndWrring::SlaveErrorAndWrringEnum>::valueToKey(code);
}
QString resolverKey(int code) {
    return EnumKeys<BissErrorAndWrring::AbsResloverErrorAndWrringEnum>::valueToKey(code);
}

QJsonObject record(const BissEntity& e) {
    QJsonObject o;
    o["masterTransformMode"] = e.getMasterTransformMode();
    o["multiTurnBits"] = e.getMultiTurnBits();
    o["singleTurnBits"] = e.getSingleTurnBits();
    o["slaveEnabled"] = e.getSlaveEnabled();
    o["masterNormalMode"] = e.getMasterNormalMode();
    o["slaveTransformMode"] = e.getSlaveTransformMode();
    // The master's positions are unsigned 32-bit counts; the record keeps the bits in an int.
    o["multiTurnValue"] = qint64(quint32(e.getMultiTurnValue()));
    o["singleTurnValue"] = qint64(quint32(e.getSingleTurnValue()));
    o["voltage"] = double(e.getVoltage());
    o["warningFree"] = e.getWarningFree();
    o["errorFree"] = e.getErrorFree();
    o["registerAddress"] = e.getRegisterAddress();
    o["registerValue"] = e.getRegisterValue();
    o["saveToEeprom"] = e.getSaveToEeprom();
    o["continuousRead"] = e.getContinuousRead();
    o["resolution"] = e.getResolution();
    o["polePairs"] = e.getPolePairs();
    BissTransformMode* modes = BissTransformMode::instance();
    o["masterMode"] = BissTransformMode::valueToKey(modes->getMasterMode());
    o["slaveMode"] = BissTransformMode::valueToKey(modes->getSlaveMode());
    DevicesType* types = DevicesType::instance();
    const QString slaveName = types->valueToKey(types->getSlaveType());
    o["slaveType"] =
        slaveName.isEmpty() ? QJsonValue(types->getSlaveType()) : QJsonValue(slaveName);
    ConnectFlag* flags = ConnectFlag::instance();
    o["deviceConnection"] = ConnectFlag::valueToKey(flags->getDeviceConnection());
    o["slaveConnection"] = ConnectFlag::valueToKey(flags->getSlaveConnection());
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    o["communicationFaults"] = keyList(faults->getCommunicationFaults(), commKey);
    o["slaveFaults"] = keyList(faults->getSlaveFaults(), slaveKey);
    o["resolverFaults"] = keyList(faults->getResolverFaults(), resolverKey);
    return o;
}

void writeOut(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

void printRecord(const BissEntity& e, bool json) {
    const QJsonObject o = record(e);
    if (json) {
        // "type" first, as in every other event line.
        writeOut("{\"type\":\"record\",\"record\":" +
                 QJsonDocument(o).toJson(QJsonDocument::Compact) + "}\n");
        return;
    }
    QStringList parts;
    for (auto it = o.constBegin(); it != o.constEnd(); ++it) {
        QString value;
        if (it->isArray()) {
            QStringList items;
            for (const QJsonValue& v : it->toArray())
                items << (v.isString() ? v.toString() : QString::number(v.toInt()));
            value = "[" + items.join(",") + "]";
        } else if (it->isBool()) {
            value = it->toBool() ? "true" : "false";
        } else if (it->isDouble()) {
            value = QString::number(it->toDouble(), 'g', 6);
        } else {
            value = it->toString();
        }
        parts << it.key() + "=" + value;
    }
    writeOut("record: " + parts.join(' ').toUtf8() + "\n");
}

// Runs the operations in order through the controller, each to its bissResult.
class Runner {
public:
    Runner(BissControler& controler, JobPrinter& printer, bool json)
        : controler(controler), printer(printer), json(json) {}

    bool runOne(const Operation& op) {
        if (op.name == "slave-enable") {
            const bool wanted = op.args[0] == "on";
            // The master switches its slave supply with one toggling byte: without a known
            // supply state "on" could switch it off. Learn the state first.
            if (!masterKnown && !runOne(Operation{"master-status", {}}))
                return false;
            if (entity.getSlaveEnabled() == wanted) {
                printer.message("BiSS", wanted ? "从机已使能" : "从机使能已断开");
                printRecord(entity, json);
                return true;
            }
            entity.setSlaveEnabled(wanted);
            return request(&BissControler::setBissSlaverEnableSlot);
        }
        if (op.name == "master-status") {
            const bool ok = request(&BissControler::getMasterStatusSlot);
            masterKnown = masterKnown || ok;
            return ok;
        }
        if (op.name == "set-master") {
            entity.setMasterTransformMode(op.args[0]);
            entity.setMultiTurnBits(op.args[1].toInt());
            entity.setSingleTurnBits(op.args[2].toInt());
            return request(&BissControler::setMasterStatusSlot);
        }
        if (op.name == "slave-status")
            return request(&BissControler::getSlaverStatusSlot);
        if (op.name == "slave-data")
            return request(&BissControler::getSlaverDataSlot);
        if (op.name == "set-slave-mode") {
            entity.setSlaveTransformMode(op.args[0]);
            return request(&BissControler::setSlaverStatusSlot);
        }
        if (op.name == "read-reg") {
            entity.setRegisterAddress(op.args[0].toInt());
            return request(&BissControler::readSlaverRegeditSlot);
        }
        if (op.name == "write-reg") {
            entity.setRegisterAddress(op.args[0].toInt());
            entity.setRegisterValue(op.args[1].toInt());
            entity.setSaveToEeprom(op.args.size() == 3);
            return request(&BissControler::writeSlaverRegeditSlot);
        }
        if (op.name == "clear-slave-fault")
            return request(&BissControler::clearSlaverErrorSlot);
        if (op.name == "clear-master-fault") {
            // As the communication-fault page does: forgetting the codes reopens the fault gate.
            BissErrorAndWrring::instance()->setCommunicationFaults({});
            return request(&BissControler::clearMasterErrorSlot);
        }
        if (op.name == "read-resolution")
            return request(&BissControler::closeResolutionPolePairsSlot);
        entity.setResolution(op.args[0]);
        entity.setPolePairs(op.args[1].toInt());
        return request(&BissControler::setResolutionPolePairsSlot);
    }

private:
    bool request(void (BissControler::*slot)(BissEntity*)) {
        bool ok = false;
        bool done = false;
        QEventLoop loop;
        const QMetaObject::Connection c =
            QObject::connect(&controler, &BissControler::bissResult, &loop, [&](QString, bool f) {
                ok = f;
                done = true;
                loop.quit();
            });
        (controler.*slot)(&entity);
        // Nothing was queued when the port claim was refused; the controller said why.
        const void* self = static_cast<ControlerBase*>(&controler);
        if (!done && SerialPortBusy::instance()->holder() == self)
            loop.exec();
        QObject::disconnect(c);
        printRecord(entity, json);
        return ok;
    }

    BissControler& controler;
    JobPrinter& printer;
    bool json;
    BissEntity entity;
    bool masterKnown = false;
};

void pause(int ms) {
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
}  // namespace

int BissCommand::run(const QStringList& args) {
    QString port;
    QString serial;
    int baud = 115200;
    bool json = false;
    int repeat = 1;
    int interval = 0;
    QList<Operation> ops;
    for (int i = 0; i < args.size(); ++i) {
        QString a = args.at(i);
        QString value;
        const bool option = a.startsWith("--");
        const int eq = a.indexOf('=');
        if (option && eq > 0) {
            value = a.mid(eq + 1);
            a.truncate(eq);
        }
        auto takeValue = [&]() -> bool {
            if (eq > 0)
                return true;
            if (i + 1 >= args.size())
                return false;
            value = args.at(++i);
            return true;
        };
        if (a == "--json" && eq < 0) {
            json = true;
        } else if (a == "--serial") {
            if (!takeValue())
                return usageError(a + " needs a value");
            serial = value;
        } else if (a == "--port" || a == "--baud" || a == "--repeat" || a == "--interval") {
            if (!takeValue())
                return usageError(a + " needs a value");
            bool numeric = true;
            if (a == "--port")
                port = value;
            else if (a == "--baud")
                baud = value.toInt(&numeric);
            else if (a == "--repeat")
                repeat = value.toInt(&numeric);
            else
                interval = value.toInt(&numeric);
            if (!numeric || (a == "--baud" && baud <= 0) || (a == "--repeat" && repeat <= 0) ||
                (a == "--interval" && interval < 0))
                return usageError(a + " needs a positive number");
        } else if (option) {
            return usageError("unknown option '" + a + "'");
        } else {
            const int at = a.indexOf('=');
            Operation op{at < 0 ? a : a.left(at), {}};
            if (at >= 0)
                op.args = a.mid(at + 1).split(',');
            const QString problem = checkOperation(op);
            if (!problem.isEmpty())
                return usageError(problem);
            ops << op;
        }
    }
    if (port.isEmpty())
        return usageError("biss needs --port");
    if (ops.isEmpty())
        return usageError("biss needs at least one operation");
    const QString serialRefused = CliRecording::checkSerial(serial);
    if (!serialRefused.isEmpty())
        return usageError(serialRefused);

    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);

    JobPrinter printer(json, QStringLiteral("BiSS"));
    BissControler controler;
    // Every request of this run, repeats included, goes to this port: the window's saved
    // connection is neither read nor written.
    controler.setJobPort(port, baud);
    CliRecording recording(serial);
    recording.attach(&controler);
    QObject::connect(&controler, &BissControler::msgSignal, &printer, &JobPrinter::message);
    QObject::connect(&controler, &BissControler::setProgress, &printer, &JobPrinter::progress);
    QObject::connect(&controler, &BissControler::bissResult, &printer,
                     [&](const QString& text, bool ok) { printer.result("bissResult", text, ok); });
    QObject::connect(&controler, &BissControler::compResult, &printer,
                     [&](const QString& text, bool ok) { printer.result("compResult", text, ok); });
    auto withEntity = [&](const char* name) {
        return [&printer, name](const QString& text, bool ok, BissEntity*) {
            printer.result(QString::fromLatin1(name), text, ok);
        };
    };
    QObject::connect(&controler, &BissControler::getMasterStatusResult, &printer,
                     withEntity("getMasterStatusResult"));
    QObject::connect(&controler, &BissControler::setMasterStatusResult, &printer,
                     withEntity("setMasterStatusResult"));
    QObject::connect(&controler, &BissControler::setBissSlaverEnableResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result("setBissSlaverEnableResult", text, ok);
                     });
    QObject::connect(&controler, &BissControler::getSlaverStatusResult, &printer,
                     withEntity("getSlaverStatusResult"));
    QObject::connect(&controler, &BissControler::getSlaverDataResult, &printer,
                     withEntity("getSlaverDataResult"));
    QObject::connect(&controler, &BissControler::setSlaverStatusResult, &printer,
                     withEntity("setSlaverStatusResult"));
    QObject::connect(&controler, &BissControler::readSlaverRegeditResult, &printer,
                     withEntity("readSlaverRegeditResult"));
    QObject::connect(&controler, &BissControler::writeSlaverRegeditResult, &printer,
                     withEntity("writeSlaverRegeditResult"));
    QObject::connect(&controler, &BissControler::clearSlaverErrorResult, &printer,
                     withEntity("clearSlaverErrorResult"));
    QObject::connect(&controler, &BissControler::clearMasterErrorResult, &printer,
                     withEntity("clearMasterErrorResult"));
    QObject::connect(&controler, &BissControler::setResolutionPolePairsResult, &printer,
                     withEntity("setResolutionPolePairsResult"));
    QObject::connect(&controler, &BissControler::closeResolutionPolePairsResult, &printer,
                     withEntity("closeResolutionPolePairsResult"));

    Runner runner(controler, printer, json);
    int code = kOk;
    for (int round = 0; round < repeat && code == kOk; ++round) {
        if (round > 0)
            pause(interval);
        for (const Operation& op : ops)
            if (!runner.runOne(op)) {
                code = kFailed;
                break;
            }
    }
    recording.finish();
    printer.exitCode(code);
    return code;
}
