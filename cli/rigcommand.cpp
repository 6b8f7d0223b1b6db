#include "rigcommand.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QTextStream>

#include "baidutranslate.h"
#include "calibrationcontroler.h"
#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationlimits.h"
#include "calibrationrecord.h"
#include "clicommands.h"
#include "clioptions.h"
#include "clirecording.h"
#include "devicestype.h"
#include "jobprinter.h"
#include "reportcommand.h"
#include "reportinput.h"

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

    const CliOptions options =
        CliOptions::parse(args.mid(1),
                          {"--port", "--baud", "--points", "--line", "--speed", "--test-speeds",
                           "--record", "--report", "--serial"},
                          {"--json"});
    if (!options.error.isEmpty())
        return usage(options.error);
    const bool json = options.has("--json");
    if (options.value("--port").isEmpty())
        return usage(QStringLiteral("rig needs --port"));
    const QString reportPath = options.value("--report");
    if (options.contains("--report") &&
        (reportPath.isEmpty() ||
         (job != QLatin1String("calibrate") && job != QLatin1String("test"))))
        return usage(QStringLiteral("--report FILE.pdf goes with calibrate or test"));

    CalibrationControler controler;
    JobPrinter printer(json, QStringLiteral("Calibration"));
    QObject::connect(&controler, &CalibrationControler::msgSignal, &printer, &JobPrinter::message);
    // The record as the panels get it: loaded from the configuration by the controller, with a
    // line for every stored number it refused.
    CalibrationEntity* record = nullptr;
    QObject::connect(&controler,
                     qOverload<CalibrationEntity*>(&CalibrationControler::getConfigArgments),
                     &controler, [&](CalibrationEntity* loaded) { record = loaded; });
    controler.getConfigArgments();

    int baud = 115200;
    if (options.contains("--baud") && (!toNumber(options.value("--baud"), baud) || baud <= 0))
        return usage(QStringLiteral("--baud must be a positive number"));
    // Options are numbers of any size here; the run's rules below judge them, as the pages do.
    qint64 number = 0;
    auto toWide = [](const QString& text, qint64& value) {
        bool ok = false;
        value = text.trimmed().toLongLong(&ok);
        return ok;
    };
    const struct {
        const char* option;
        QString (*rule)(qint64);
        void (CalibrationEntity::*set)(int);
    } numberOptions[] = {
        {"--points", &CalibrationLimits::pointNumProblem, &CalibrationEntity::setPointNum},
        {"--line", &CalibrationLimits::encoderLineProblem, &CalibrationEntity::setEncoderLine},
        {"--speed", &CalibrationLimits::calibrationSpeedProblem,
         &CalibrationEntity::setCalibrationSpeed},
    };
    for (const auto& f : numberOptions) {
        const char* name = f.option;
        if (!options.contains(name))
            continue;
        if (!toWide(options.value(name), number))
            return usage(QStringLiteral("%1 must be a number").arg(QLatin1String(name)));
        const QString problem = f.rule(number);
        if (!problem.isEmpty())
            return usage(translated(problem));
        (record->*f.set)(int(number));
    }
    if (options.contains("--test-speeds")) {
        const QStringList parts = options.value("--test-speeds").split(QLatin1Char(','));
        QList<qint64> wide;
        QList<quint16> speeds;
        for (const QString& part : parts) {
            if (!toWide(part, number))
                return usage(QStringLiteral("--test-speeds must be four numbers A,B,C,D"));
            wide << number;
            speeds << quint16(qBound(qint64(0), number, qint64(0xFFFF)));
        }
        if (wide.size() != CalibrationLimits::kTestSpeedCount)
            return usage(QStringLiteral("--test-speeds must be four numbers A,B,C,D"));
        const QString problem = CalibrationLimits::testSpeedsProblem(wide);
        if (!problem.isEmpty())
            return usage(translated(problem));
        record->setTestSpeed(speeds);
    }

    // The run panel's checks, with its messages: what the window would refuse is refused here.
    const QString invalid = CalibrationRecord::problem(record);
    if (!invalid.isEmpty())
        return usage(translated(invalid));
    const QString serialRefused = CliRecording::checkSerial(options.value("--serial"));
    if (!serialRefused.isEmpty())
        return usage(serialRefused);
    record->setSerialNumber(options.value("--serial").trimmed());
    CliRecording recording(options.value("--serial"));
    recording.attach(&controler);

    // As the run panel does: the parameters are saved, then the job is queued. The connection
    // is this command's own and is held by the controller, never saved for the window.
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    controler.setJobPort(options.value("--port"), baud);
    controler.setConfigArgments(record);

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
    QString resultText;
    QObject::connect(&controler, &CalibrationControler::calibrationResult, &printer,
                     [&](const QString& text, bool ok) {
                         resultText = text;
                         printer.result(QStringLiteral("calibrationResult"), text, ok);
                         int code = CliCommands::kFailed;
                         if (ok)
                             code = job == QLatin1String("params") || record->getRigVerdict()
                                        ? CliCommands::kOk
                                        : kRejected;
                         QCoreApplication::exit(code);
                     });

    const QDateTime started = QDateTime::currentDateTimeUtc();
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
    // A failed run has its report too: a short one that says no curves came.
    if (!reportPath.isEmpty()) {
        ReportInput input = ReportInput::fromEntity(
            record, job == QLatin1String("test") ? ReportInput::Test : ReportInput::Calibration);
        input.runTime = started;
        input.resultText = resultText;
        if (!ReportCommand::write(input, reportPath, json, QStringLiteral("rig")))
            code = CliCommands::kFailed;
    }
    printer.exitCode(code);
    return code;
}
