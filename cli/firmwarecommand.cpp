#include "firmwarecommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include "clioptions.h"
#include "clirecording.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "entitystore.h"
#include "firmwarecontroler.h"
#include "firmwareentity.h"
#include "iapcontroler.h"
#include "iapentity.h"
#include "jobprinter.h"
#include "mode.h"
#include "serialportentity.h"
#include "transformways.h"

namespace {
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kDefaultBaud = 115200;

int usageError(const QString& message) {
    return CliOptions::usageError(message);
}

// The command's own connection: held by the controller for its jobs, never saved for the window.
bool jobBaud(const CliOptions& o, int& baud, QString& error) {
    baud = kDefaultBaud;
    if (!o.value("--baud").isEmpty()) {
        bool numeric = false;
        baud = o.value("--baud").toInt(&numeric);
        if (!numeric || baud <= 0) {
            error = QStringLiteral("--baud must be a positive number");
            return false;
        }
    }
    return true;
}

template <typename Controler>
void relayLog(Controler& controler, JobPrinter& printer) {
    QObject::connect(&controler, &Controler::msgSignal, &printer, &JobPrinter::message);
    QObject::connect(&controler, &Controler::msgSignals, &printer, &JobPrinter::line);
    QObject::connect(&controler, &Controler::setProgress, &printer, &JobPrinter::progress);
}

int finish(JobPrinter& printer, CliRecording& recording) {
    const int code = QCoreApplication::exec();
    recording.finish();
    printer.exitCode(code);
    return code;
}
}  // namespace

bool FirmwareCommand::handles(const QString& command) {
    return command == QLatin1String("firmware") || command == QLatin1String("iap") ||
           command == QLatin1String("ymodem");
}

int FirmwareCommand::run(const QString& command, const QStringList& args) {
    if (command == QLatin1String("firmware"))
        return firmware(args);
    if (command == QLatin1String("iap"))
        return iap(args);
    return ymodem(args);
}

int FirmwareCommand::firmware(const QStringList& args) {
    const CliOptions o = CliOptions::parse(
        args, {"--mode", "--app", "--boot", "--watermark", "--version", "--out", "--serial"},
        {"--json"});
    if (!o.error.isEmpty())
        return usageError(o.error);
    const QString absent = o.missing({"--mode", "--app", "--watermark", "--version", "--out"});
    if (!absent.isEmpty())
        return usageError(QStringLiteral("firmware needs %1").arg(absent));
    Mode* modes = Mode::instance();
    const QString mode = o.value("--mode");
    if (!modes->keyList().contains(mode))
        return usageError(QStringLiteral("--mode must be one of: %1")
                              .arg(modes->keyList().join(QStringLiteral(", "))));
    if (modes->keyToValue(mode) == Mode::Factory_Firmware && o.value("--boot").isEmpty())
        return usageError(QStringLiteral("a factory image needs --boot"));
    DevicesType* types = DevicesType::instance();
    const QString watermark = o.value("--watermark");
    if (!types->keyList().contains(watermark))
        return usageError(QStringLiteral("unknown watermark '%1' (one of: %2)")
                              .arg(watermark, types->keyList().join(QStringLiteral(", "))));
    bool numeric = false;
    const double version = o.value("--version").toDouble(&numeric);
    if (!numeric || version < 0.01 || version > 9.99)
        return usageError(QStringLiteral("--version must be a number from 0.01 to 9.99"));
    const QString serialRefused = CliRecording::checkSerial(o.value("--serial"));
    if (!serialRefused.isEmpty())
        return usageError(serialRefused);

    JobPrinter printer(o.has("--json"), QStringLiteral("Firmware Generation"));
    FirmwareControler controler;
    CliRecording recording(o.value("--serial"));
    recording.attach(&controler);
    relayLog(controler, printer);
    QObject::connect(&controler, &FirmwareControler::generationResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("generationResult"), text, ok);
                         QCoreApplication::exit(ok ? kOk : kFailed);
                     });
    auto* entity = new FirmwareEntity(&controler);
    entity->setModeName(mode);
    modes->setValue(mode);
    entity->setWatermarkName(watermark);
    entity->setVersion(version);
    entity->setBootFirmwarePath(o.value("--boot"));
    entity->setAppFirmwarePath(o.value("--app"));
    entity->setSavePath(o.value("--out"));
    controler.startGenerationSlot(entity);
    return finish(printer, recording);
}

int FirmwareCommand::iap(const QStringList& args) {
    const CliOptions o = CliOptions::parse(
        args, {"--port", "--baud", "--device", "--protocol", "--axis", "--file", "--serial"},
        {"--json"});
    if (!o.error.isEmpty())
        return usageError(o.error);
    const QString absent = o.missing({"--port", "--device", "--file"});
    if (!absent.isEmpty())
        return usageError(QStringLiteral("iap needs %1").arg(absent));
    DevicesType* types = DevicesType::instance();
    const QString device = o.value("--device");
    if (!types->keyList().contains(device))
        return usageError(QStringLiteral("unknown device type '%1' (one of: %2)")
                              .arg(device, types->keyList().join(QStringLiteral(", "))));
    const QString protocol =
        o.value("--protocol").isEmpty() ? QStringLiteral("Ymodem_128") : o.value("--protocol");
    if (!TransformWays::keyList().contains(protocol))
        return usageError(QStringLiteral("--protocol must be Ymodem_128 or Ymodem_1K"));
    EncoderCaxis* axes = EncoderCaxis::instance();
    const QString axis =
        o.value("--axis").isEmpty() ? QStringLiteral("First_Caxis") : o.value("--axis");
    if (!axes->keyList().contains(axis))
        return usageError(QStringLiteral("unknown axis '%1' (one of: %2)")
                              .arg(axis, axes->keyList().join(QStringLiteral(", "))));
    const QString serialRefused = CliRecording::checkSerial(o.value("--serial"));
    if (!serialRefused.isEmpty())
        return usageError(serialRefused);
    QString error;
    int baud = 0;
    if (!jobBaud(o, baud, error))
        return usageError(error);
    types->setConnectedType(device);
    TransformWays::instance()->setValue(protocol);
    axes->setValue(axis);

    JobPrinter printer(o.has("--json"), QStringLiteral("IAP"));
    IapControler controler;
    controler.setJobPort(o.value("--port"), baud);
    CliRecording recording(o.value("--serial"));
    recording.attach(&controler);
    relayLog(controler, printer);
    QObject::connect(&controler, &IapControler::connectResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("connectResult"), text, ok);
                         QCoreApplication::exit(ok ? kOk : kFailed);
                     });
    auto* entity = new IapEntity(&controler, device, protocol, axis, o.value("--file"));
    entity->setDevicesName(device);
    entity->setSerialNumber(o.value("--serial").trimmed());
    controler.startIapSlot(entity);
    return finish(printer, recording);
}

int FirmwareCommand::ymodem(const QStringList& args) {
    const CliOptions o =
        CliOptions::parse(args, {"--port", "--baud", "--block", "--serial"}, {"--json", "--no-start"}, 1);
    if (!o.error.isEmpty())
        return usageError(o.error);
    if (o.value("--port").isEmpty())
        return usageError(QStringLiteral("ymodem needs --port"));
    if (o.positional.isEmpty())
        return usageError(QStringLiteral("ymodem needs a FILE"));
    const QString block = o.value("--block").isEmpty() ? QStringLiteral("128") : o.value("--block");
    if (block != QLatin1String("128") && block != QLatin1String("1024"))
        return usageError(QStringLiteral("--block must be 128 or 1024"));
    const QString serialRefused = CliRecording::checkSerial(o.value("--serial"));
    if (!serialRefused.isEmpty())
        return usageError(serialRefused);
    QString error;
    int baud = 0;
    if (!jobBaud(o, baud, error))
        return usageError(error);

    JobPrinter printer(o.has("--json"), QStringLiteral("IAP"));
    IapControler controler;
    controler.setJobPort(o.value("--port"), baud);
    CliRecording recording(o.value("--serial"));
    recording.attach(&controler);
    relayLog(controler, printer);
    QObject::connect(&controler, &IapControler::transferResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("transferFile"), text, ok);
                         QCoreApplication::exit(ok ? kOk : kFailed);
                     });
    controler.startTransferSlot(o.positional.first(), block.toInt(), !o.has("--no-start"));
    return finish(printer, recording);
}
