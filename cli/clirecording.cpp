#include "clirecording.h"

#include <QTextStream>

#include "baidutranslate.h"

namespace {
// Beyond the store's own lock wait (10 s): a record is never given up for a slow disk.
constexpr int kFlushMs = 20000;
}

QString CliRecording::checkSerial(const QString& serial) {
    if (serial.trimmed().isEmpty() && RecordSettings::load().serialRequired)
        return translated("请输入编码器序列号。") + QStringLiteral(" (--serial)");
    return QString();
}

CliRecording::CliRecording(const QString& serial)
    : writer(RecordSettings::load()), recorder(&writer) {
    recorder.setDefaultSerial(serial);
    QObject::connect(&writer, &RecordWriter::failed, &writer, [](const QString&, const QString& m) {
        QTextStream(stderr) << "quelbrin-cli: " << translated("生产记录保存失败：") << m << "\n";
    });
}

CliRecording::~CliRecording() {
    finish();
}

void CliRecording::finish() {
    if (finished)
        return;
    finished = true;
    if (!writer.flush(kFlushMs))
        QTextStream(stderr) << "quelbrin-cli: " << translated("生产记录保存超时。") << "\n";
    writer.stop();
}
