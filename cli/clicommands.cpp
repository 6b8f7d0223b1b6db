#include "clicommands.h"

#include <cstdio>

#include <QCoreApplication>
#include <QSerialPortInfo>
#include <QTextStream>

#include "baidutranslate.h"
#include "bisscommand.h"
#include "clioptions.h"
#include "clirecording.h"
#include "commandhelp.h"
#include "devicestype.h"
#include "firmwarecommand.h"
#include "historycommand.h"
#include "jobprinter.h"
#include "language.h"
#include "reportcommand.h"
#include "rigcommand.h"
#include "serialportcontroler.h"
#include "serialportentity.h"
#include "serialportmode.h"

namespace {
const char* const kHelp =
    "Usage: quelbrin-cli COMMAND [OPTIONS]\n"
    "\n"
    "Quelbrin's headless front end. It works in the program's folder: config/ of the\n"
    "current directory, or for an installed program without one $XDG_DATA_HOME/quelbrin.\n"
    "\n"
    "Commands:\n"
    "  translate [--lang KEY] TEXT   print the translation of TEXT (KEY: en, zh, yue, jp, de;\n"
    "                                default: the stored language)\n"
    "  ports                         list the serial ports, one port text per line\n"
    "  connect --port TEXT --baud N --type NAME [--json]\n"
    "                                greet and identify the device, as the serial dialog does;\n"
    "                                exit 0 when it answers and is of type NAME\n"
    "  rig params|zero|calibrate|test --port TEXT [--baud N] [--points N] [--line N]\n"
    "      [--speed RPM] [--test-speeds A,B,C,D] [--json] [--record FILE] [--report FILE.pdf]\n"
    "                                run a calibration-rig job with the saved parameters and\n"
    "                                these changes; a record event follows the results, and\n"
    "                                --record writes it as JSON (curves as CSV for *.csv);\n"
    "                                --report writes the PDF report of a calibration or test;\n"
    "                                exit 3 when the rig judged the encoder bad\n"
    "  report (--from-json FILE | --record-id ID | --serial S [--latest]) --out FILE.pdf\n"
    "      [--json]                  write the PDF report of a calibration or test record:\n"
    "                                a rig job's --record file, or a stored record\n"
    "  biss --port TEXT [--baud N] [--json] [--repeat N --interval MS] OP [OP ...]\n"
    "                                BiSS master and slave operations, one request each, in\n"
    "                                order: master-status, set-master=MODE,MULTI,SINGLE,\n"
    "                                slave-enable=on|off, slave-status, slave-data,\n"
    "                                set-slave-mode=MODE, read-reg=ADDR,\n"
    "                                write-reg=ADDR,VALUE[,eeprom], clear-slave-fault,\n"
    "                                clear-master-fault, read-resolution,\n"
    "                                write-resolution=RES,POLES; a record event follows each\n"
    "  firmware --mode Factory_Firmware|Upgrade_Firmware --app FILE [--boot FILE]\n"
    "           --watermark NAME --version V --out FILE [--json]\n"
    "                                write a factory image (needs --boot) or an upgrade image;\n"
    "                                area sizes come from the watermark device's group\n"
    "  iap --port TEXT [--baud N] --device NAME [--protocol Ymodem_128|Ymodem_1K]\n"
    "      [--axis NAME] --file FILE [--json]\n"
    "                                upgrade the encoder's firmware through its boot loader\n"
    "  ymodem --port TEXT [--baud N] [--block 128|1024] [--no-start] FILE [--json]\n"
    "                                send FILE by YMODEM alone; --no-start leaves out the 'S'\n"
    "                                that starts the encoder's boot loader\n"
    "  history [--serial S] [--since DATE] [--until DATE] [--job KIND]\n"
    "      [--outcome good|bad|failed] [--station NAME] [--limit N] [--json|--csv]\n"
    "                                the production records, newest first; --json writes one\n"
    "                                record per line with all its fields, curves and log\n"
    "\n"
    "Every job command takes --serial TEXT, the encoder's serial or batch number, and leaves\n"
    "a production record (in records/quelbrin.sqlite, or the [Records] database of config.ini).\n"
    "\n"
    "Job commands print each message as a log line on stdout (with --json: one JSON object\n"
    "per line: message, line, progress, result, exit) and show progress on stderr when it is\n"
    "a terminal. Debug output goes to stderr.\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help; after a COMMAND, that command's usage\n"
    "  --verbose       write debug output to stderr (also: QT_LOGGING_RULES)\n"
    "  -v, --version   show the version\n"
    "\n"
    "Exit codes: 0 success, 1 the job failed, 2 usage error.\n";

void out(const QString& text) {
    QTextStream stream(stdout);
    stream << text;
}
}  // namespace

int CliCommands::usageError(const QString& message) {
    return CliOptions::usageError(message);
}

bool CliCommands::readsConfiguration(const QStringList& arguments) {
    const QString command = arguments.value(1);
    return !command.isEmpty() && command != QLatin1String("-h") &&
           command != QLatin1String("--help") && command != QLatin1String("-v") &&
           command != QLatin1String("--version") && !CommandHelp::asksForHelp(arguments.mid(2));
}

int CliCommands::run(const QStringList& arguments) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString command = args.first();
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        out(QString::fromUtf8(kHelp));
        return kOk;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        out(QStringLiteral("quelbrin-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kOk;
    }
    if (CommandHelp::asksForHelp(args.mid(1)) && CommandHelp::commands().contains(command)) {
        out(CommandHelp::usage(command));
        return kOk;
    }
    if (command == QLatin1String("translate"))
        return translate(args.mid(1));
    if (command == QLatin1String("ports"))
        return ports(args.mid(1));
    if (command == QLatin1String("connect"))
        return connectDevice(args.mid(1));
    if (command == QLatin1String("rig"))
        return RigCommand::run(args.mid(1));
    if (command == QLatin1String("biss"))
        return BissCommand::run(args.mid(1));
    if (command == QLatin1String("history"))
        return HistoryCommand::run(args.mid(1));
    if (command == QLatin1String("report"))
        return ReportCommand::run(args.mid(1));
    if (FirmwareCommand::handles(command))
        return FirmwareCommand::run(command, args.mid(1));
    return usageError(QStringLiteral("unknown command '%1'").arg(command));
}

int CliCommands::translate(const QStringList& args) {
    QString language;
    QStringList words;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--lang")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("--lang needs a language key"));
            language = args.at(++i);
        } else if (a.startsWith(QLatin1String("--lang="))) {
            language = a.mid(7);
        } else if (a.startsWith(QLatin1String("--")) && a != QLatin1String("--")) {
            return usageError(QStringLiteral("unknown option '%1'").arg(a));
        } else {
            words << (a == QLatin1String("--") ? args.mid(i + 1).join(QLatin1Char(' ')) : a);
            if (a == QLatin1String("--"))
                break;
        }
    }
    if (words.isEmpty())
        return usageError(QStringLiteral("translate needs a TEXT"));

    Language* holder = Language::instance();
    if (!language.isEmpty()) {
        const int value = Language::keyToValue(language);
        if (value < 0)
            return usageError(QStringLiteral("unknown language '%1' (one of: %2)")
                                  .arg(language, Language::keyList().join(QStringLiteral(", "))));
        holder->setValue(value);
    }
    bool failed = false;
    out(BaiduTranslate::translate(words.join(QLatin1Char(' ')), &failed) + QLatin1Char('\n'));
    // The text is printed either way; the exit code tells a script it was not translated.
    return failed ? kFailed : kOk;
}

int CliCommands::ports(const QStringList& args) {
    if (!args.isEmpty())
        return usageError(QStringLiteral("ports takes no arguments"));
    const QStringList list =
        SerialPortMode::portTexts(QSerialPortInfo::availablePorts(), VirtualPorts::list());
    for (const QString& text : list) out(text + QLatin1Char('\n'));
    return kOk;
}

int CliCommands::connectDevice(const QStringList& args) {
    const CliOptions o =
        CliOptions::parse(args, {"--port", "--baud", "--type", "--serial"}, {"--json"});
    if (!o.error.isEmpty())
        return usageError(o.error);
    const QString absent = o.missing({"--port", "--baud", "--type"});
    if (!absent.isEmpty())
        return usageError(QStringLiteral("connect needs %1").arg(absent));
    bool numeric = false;
    const int baud = o.value("--baud").toInt(&numeric);
    if (!numeric || baud <= 0)
        return usageError(QStringLiteral("--baud must be a positive number"));
    const QString type = o.value("--type");
    DevicesType* types = DevicesType::instance();
    if (!types->keyList().contains(type))
        return usageError(QStringLiteral("unknown device type '%1' (one of: %2)")
                              .arg(type, types->keyList().join(QStringLiteral(", "))));
    const QString serialRefused = CliRecording::checkSerial(o.value("--serial"));
    if (!serialRefused.isEmpty())
        return usageError(serialRefused);

    JobPrinter printer(o.has("--json"), QStringLiteral("SerialPort"));
    SerialPortControler controler;
    CliRecording recording(o.value("--serial"));
    recording.attach(&controler);
    QObject::connect(&controler, &SerialPortControler::msgSignal, &printer, &JobPrinter::message);
    QObject::connect(&controler, &SerialPortControler::msgSignals, &printer, &JobPrinter::line);
    QObject::connect(&controler, &SerialPortControler::setProgress, &printer,
                     &JobPrinter::progress);

    int code = kFailed;
    QObject::connect(&controler, &SerialPortControler::connectResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("connectResult"), text, ok);
                         // A failed connect reports no comparison: the job ends here.
                         if (!ok)
                             QCoreApplication::exit(kFailed);
                     });
    QObject::connect(&controler, &SerialPortControler::compResult, &printer,
                     [&](const QString& text, bool ok) {
                         printer.result(QStringLiteral("compResult"), text, ok);
                         QCoreApplication::exit(ok ? kOk : kFailed);
                     });

    // As the serial dialog does, but the connection is this command's own: set the type and
    // queue the job; the window's saved connection is left as it is.
    auto* entity = new SerialPortEntity(&controler, o.value("--port"), baud);
    types->setConnectedType(type);
    controler.connectSerialPort(entity);
    code = QCoreApplication::exec();
    recording.finish();
    printer.exitCode(code);
    return code;
}
