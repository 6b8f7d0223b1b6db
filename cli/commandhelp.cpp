#include "commandhelp.h"

namespace {
const char* const kCommon =
    "\n"
    "Exit codes: 0 success, 1 the job failed, 2 usage error";

const char* const kJobOutput =
    "\n"
    "Each message is printed as a log line on stdout; with --json one JSON object per line\n"
    "(message, line, progress, result, exit). Progress goes to stderr when it is a terminal.\n"
    "PORT is a port name (/dev/ttyUSB0) or a port text as 'quelbrin-cli ports' lists it.\n";

struct Entry {
    const char* name;
    const char* text;
    bool job;
    const char* extraExit;
};

const Entry kEntries[] = {
    {"translate",
     "Usage: quelbrin-cli translate [--lang KEY] TEXT...\n"
     "\n"
     "Print the translation of TEXT into the language KEY (en, zh, yue, jp, de; default: the\n"
     "stored language), through the translation service and its cache in\n"
     "config/transconfig.ini. The text is printed either way; exit 1 tells that it was not\n"
     "translated. After '--' every argument is text.\n",
     false, ""},
    {"ports",
     "Usage: quelbrin-cli ports\n"
     "\n"
     "List the serial ports, one port text per line, as the serial dialog shows them\n"
     "(simulated equipment of a running 'quelbrin --simulate' or 'quelbrin-sim' included).\n",
     false, ""},
    {"connect",
     "Usage: quelbrin-cli connect --port PORT --baud N --type NAME [--json]\n"
     "\n"
     "Greet and identify the device, as the serial dialog does. NAME is a device type of the\n"
     "configuration (CALIBRATION, ZEK_ENCODER, BiSS_Master, ...). Exit 0 when the device\n"
     "answers and is of type NAME.\n",
     true, ""},
    {"rig",
     "Usage: quelbrin-cli rig params|zero|calibrate|test --port PORT [--baud N] [--points N]\n"
     "           [--line N] [--speed RPM] [--test-speeds A,B,C,D] [--json] [--record FILE]\n"
     "           [--report FILE.pdf]\n"
     "\n"
     "Run a calibration-rig job with the saved calibration parameters and these changes (which\n"
     "are saved):\n"
     "  params      send the parameter frame only\n"
     "  zero        zero the encoder\n"
     "  calibrate   self-calibration at the calibration speed (--speed)\n"
     "  test        INL tests at the four test speeds (--test-speeds)\n"
     "  --points N  sampling points per revolution (0..65535)\n"
     "  --line N    encoder line count\n"
     "A record event follows the results; --record FILE writes it as JSON (the curves as CSV\n"
     "when FILE ends in .csv); --report writes the PDF report of a calibration or test.\n",
     true, ", 3 the rig judged the encoder bad"},
    {"report",
     "Usage: quelbrin-cli report (--from-json FILE | --record-id ID | --serial S [--latest])\n"
     "           --out FILE.pdf [--json]\n"
     "\n"
     "Write the PDF report of a calibration or test record: a rig job's --record file, or a\n"
     "stored record by its id or by the encoder's serial number.\n",
     false, ""},
    {"biss",
     "Usage: quelbrin-cli biss --port PORT [--baud N] [--json] [--repeat N --interval MS]\n"
     "           OP [OP ...]\n"
     "\n"
     "BiSS master and slave operations, one request each, in order:\n"
     "  master-status  set-master=MODE,MULTI,SINGLE  slave-enable=on|off  slave-status\n"
     "  slave-data  set-slave-mode=MODE  read-reg=ADDR  write-reg=ADDR,VALUE[,eeprom]\n"
     "  clear-slave-fault  clear-master-fault  read-resolution  write-resolution=RES,POLES\n"
     "A record event follows each. --repeat N runs the operations N times, --interval MS apart.\n",
     true, ""},
    {"firmware",
     "Usage: quelbrin-cli firmware --mode Factory_Firmware|Upgrade_Firmware --app FILE\n"
     "           [--boot FILE] --watermark NAME --version V --out FILE [--json]\n"
     "\n"
     "Write a factory image (needs --boot) or an upgrade image. The area sizes come from the\n"
     "configuration group of the watermark's device; V is a version from 0.01 to 9.99.\n",
     true, ""},
    {"iap",
     "Usage: quelbrin-cli iap --port PORT [--baud N] --device NAME\n"
     "           [--protocol Ymodem_128|Ymodem_1K] [--axis NAME] --file FILE [--json]\n"
     "\n"
     "Upgrade the encoder's firmware through its boot loader: check the image FILE against\n"
     "the device NAME, switch the encoder to boot mode and send the image by YMODEM.\n",
     true, ""},
    {"ymodem",
     "Usage: quelbrin-cli ymodem --port PORT [--baud N] [--block 128|1024] [--no-start] FILE\n"
     "           [--json]\n"
     "\n"
     "Send FILE by YMODEM alone. --no-start leaves out the 'S' that starts the encoder's boot\n"
     "loader, so that any YMODEM receiver can take the file.\n",
     true, ""},
};
}  // namespace

namespace CommandHelp {

QStringList commands() {
    QStringList names;
    for (const Entry& entry : kEntries) names << QString::fromLatin1(entry.name);
    return names;
}

bool asksForHelp(const QStringList& commandArguments) {
    for (const QString& a : commandArguments) {
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("-h") || a == QLatin1String("--help"))
            return true;
    }
    return false;
}

QString usage(const QString& command) {
    for (const Entry& entry : kEntries) {
        if (command != QLatin1String(entry.name))
            continue;
        QString text = QString::fromUtf8(entry.text);
        if (entry.job)
            text += QString::fromUtf8(kJobOutput);
        return text + QString::fromUtf8(kCommon) + QString::fromUtf8(entry.extraExit) +
               QStringLiteral(".\nSee also: quelbrin-cli --help, man quelbrin-cli.\n");
    }
    return QString();
}

}  // namespace CommandHelp
