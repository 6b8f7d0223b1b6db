#include "rigcommand.h"

#include <cstdio>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include "calibrationcontroler.h"
#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "clicommands.h"
#include "clioptions.h"
#include "clirecording.h"
#include "devicestype.h"
#include "entitystore.h"
#include "jobprinter.h"
#include "serialportentity.h"

namespace {
int usage(const QString& message) {
    return CliOptions::usageError(message, QStringLiteral("rig"));
}

bool toNumber(const QString& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

void writeOut(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}
}  // namespace

int RigCommand::run(const QStringList& args) {
    const QStringList jobs{"params", "zero", "calibrate", "test"};
    if (args.isEmpty() || !jobs.contains(args.first()))
        return usage(QStringLiteral("COMMAND must be one of params, zero, calibrate, test"));
    const QString job = args.first();

    const CliOptions options = CliOptions::parse(
        args.mid(1),
        {"--port", "--baud", "--points", "--line", "--speed", "--test-speeds", "--record",
         "--serial"},
        {"--json"});
    if (!options.error.isEmpty())
        return usage(options.error);
    const bool json = options.has("--json");
    if (options.value("--port").isEmpty())
        return usage(QStringLiteral("rig needs --port"));

    CalibrationControler controler;
    // The record as the panels get it: loaded from the configuration by the controller.
    CalibrationEntity* record = nullptr;
    QObject::connect(&controler,
                     qOverload<CalibrationEntity*>(&CalibrationControler::getConfigArgments),
                     &controler, [&](CalibrationEntity* loaded) { record = loaded; });
    controler.getConfigArgments();

    SerialPortEntity* savedPort = EntityStore::loadSerialPortEntity(&controler);
    int baud = savedPort->getBaudRate() > 0 ? savedPort->getBaudRate() : 115200;
    if (options.contains("--baud") && (!toNumber(options.value("--baud"), baud) || baud <= 0))
        return usage(QStringLiteral("--baud must be a positive number"));
    int number = 0;
    if (options.contains("--points")) {
        if (!toNumber(options.value("--points"), number) || number < 0 || number > 65535)
            return usage(QStringLiteral("--points must be a number of 0..65535"));
        record->setPointNum(number);
    }
    if (options.contains("--line")) {
        if (!toNumber(options.value("--line"), number) || number < 0 || number > 65535)
            return usage(QStringLiteral("--line must be a number of 0..65535"));
        record->setEncoderLine(number);
    }
    if (options.contains("--speed")) {
        if (!toNumber(options.value("--speed"), number) || number < -32768 || number > 32767)
            return usage(QStringLiteral("--speed must be a number of RPM"));
        record->setCalibrationSpeed(number);
    }
    if (options.contains("--test-speeds")) {
        const QStringList parts = options.value("--test-speeds").split(QLatin1Char(','));
        QList<quint16> speeds;
        for (const QString& part : parts) {
            if (!toNumber(part, number) || number < 0 || number > 65535)
                return usage(QStringLiteral("--test-speeds must be four numbers A,B,C,D"));
            speeds << quint16(number);
        }
        if (speeds.size() != 4)
            return usage(QStringLiteral("--test-speeds must be four numbers A,B,C,D"));
        record->setTestSpeed(speeds);
    }

    // The run panel's checks, with its messages.
    const char* invalid = nullptr;
    if (record->getPointNum() == 0)
        invalid = "校准参考点数量不能为0,请重新输入";
    else if (record->getEncoderLine() == 0)
        invalid = "对拖编码器线数不能为0,请重新输入";
    else if (record->getCalibrationSpeed() == 0)
        invalid = "校准速度不能为0,请重新输入";
    else if (record->getTestSpeed().size() < 4 || record->getTestSpeed().contains(0))
        invalid = "测试速度不能为0,请重新输入";
    if (invalid)
        return usage(QString::fromUtf8(invalid));
    const QString serialRefused = CliRecording::checkSerial(options.value("--serial"));
    if (!serialRefused.isEmpty())
        return usage(serialRefused);
    record->setSerialNumber(options.value("--serial").trimmed());
    CliRecording recording(options.value("--serial"));
    recording.attach(&controler);

    // As the serial dialog and the run panel do: the connection and the parameters are saved,
    // then the job is queued.
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    SerialPortEntity port(&controler, options.value("--port"), baud);
    EntityStore::saveSerialPortEntity(&port);
    controler.setConfigArgments(record);

    JobPrinter printer(json, QStringLiteral("Calibration"));
    QObject::connect(&controler, &CalibrationControler::msgSignal, &printer, &JobPrinter::message);
    QObject::connect(&controler, &CalibrationControler::msgSignals, &printer, &JobPrinter::line);
    QObject::connect(&controler, &CalibrationControler::setProgress, &printer,
                     &JobPrinter::progress);
    auto resultEvent = [&](const char* name) {
        return [&printer, name](const QString& text, bool ok, CalibrationEntity*) {
            printer.result(QString::fromLatin1(name), text, ok);
        };
    };
    QObject::connect(&controler, &CalibrationControler::zeroCompInlResult, &printer,
                     resultEvent("zeroCompInlResult"));
    QObject::connect(&controler, &CalibrationControler::calibrationCompInlResult, &printer,
                     resultEvent("calibrationCompInlResult"));
    QObject::connect(&controler, &CalibrationControler::testCompInlResult, &printer,
                     resultEvent("testCompInlResult"));
    QObject::connect(&controler, &CalibrationControler::calibrationResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("calibrationResult"), text, ok);
                         int code = CliCommands::kFailed;
                         if (ok)
                             code = job == QLatin1String("params") || record->getRigVerdict()
                                        ? CliCommands::kOk
                                        : kRejected;
                         QCoreApplication::exit(code);
                     });

    if (job == QLatin1String("params"))
        controler.startArgmentsSlot(record);
    else if (job == QLatin1String("zero"))
        controler.startZeroSlot(record);
    else if (job == QLatin1String("calibrate"))
        controler.startCalibrationSlot(record);
    else
        controler.startTestSlot(record);
    int code = QCoreApplication::exec();
    recording.finish();

    const QJsonObject fields = CalibrationRecord::toJson(record);
    const QByteArray compact = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    if (json)
        writeOut("{\"type\":\"record\",\"record\":" + compact + "}\n");
    else
        writeOut(">>>>>>>>> Calibration  :  :  record " + compact + "\n");

    const QString recordPath = options.value("--record");
    if (!recordPath.isEmpty() && code != CliCommands::kFailed) {
        const QByteArray content = recordPath.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                       ? CalibrationRecord::curvesCsv(record)
                                       : QJsonDocument(fields).toJson(QJsonDocument::Indented);
        QString error;
        if (!CalibrationRecord::writeFile(recordPath, content, &error)) {
            QTextStream(stderr) << "quelbrin-cli rig: cannot write " << recordPath << ": " << error
                                << "\n";
            code = CliCommands::kFailed;
        }
    }
    printer.exitCode(code);
    return code;
}
