#include "calibrationmode.h"

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "connectflag.h"
#include "entitystore.h"
#include "ymodem.h"

namespace {
QString general(double value) {
    return QString::number(value, 'g', 6);
}
}  // namespace

CalibrationMode::CalibrationMode()
    : DeviceWorker(
          QStringLiteral("Calibration"),
          {"calibration Mode Init", "Calibration Thread Deint", "Calibration Thread Is End"}),
      rig(ymodem) {}

CalibrationEntity* CalibrationMode::loadEntity(QObject* parent) const {
    return EntityStore::loadCalibrationEntity(parent);
}

void CalibrationMode::saveEntity(const CalibrationEntity* entity) const {
    EntityStore::saveCalibrationEntity(entity);
}

void CalibrationMode::separator() {
    emit msgSignal(getModeName(), QString(71, QLatin1Char('-')));
}

void CalibrationMode::titled(const char* title) {
    separator();
    separator();
    report(QString::fromUtf8(title));
    separator();
    separator();
}

bool CalibrationMode::parameterStep(CalibrationEntity* entity, const QString& portName,
                                    int baudRate) {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    titled(" 设置校准控制器参数。");
    QList<qint16> speeds;
    for (quint16 s : entity->getTestSpeed()) speeds.append(qint16(s));
    return rig.setCalibrationParameters(portName, baudRate, quint16(entity->getEncoderLine()),
                                        quint16(entity->getPointNum()),
                                        qint16(entity->getCalibrationSpeed()), speeds);
}

void CalibrationMode::setCalibrationArgments(CalibrationEntity* calibrationEntity, QString portName,
                                             int baudRate) {
    Request request(this);
    const bool ok = parameterStep(calibrationEntity, portName, baudRate);
    if (!ok)
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    emit argmentsIsSuccess(ok);
}

void CalibrationMode::startSetZero(CalibrationEntity* calibrationEntity, QString portName,
                                   int baudRate) {
    Request request(this);
    if (!parameterStep(calibrationEntity, portName, baudRate)) {
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
        emit zeroIsSuccess(false);
        return;
    }
    titled(" 开始对零。");
    emit setProgress(0);
    int typeCode = 0;
    quint32 angle = 0;
    bool verdict = false;
    if (!rig.zeroEncoder(portName, baudRate, typeCode, angle, verdict)) {
        emit setProgress(100);
        emit zeroIsSuccess(false);
        return;
    }
    calibrationEntity->setEncoderType(typeCode);
    calibrationEntity->setRigVerdict(verdict);
    calibrationEntity->setMaxInl(RigCommands::targetInl(typeCode));
    // The job has already refused a Resolution outside 0..30.
    const int bits = RigCommands::resolution(typeCode);
    const double degrees = double(angle) * 360.0 / double(qint32(1) << bits);
    const char* const tpl = verdict ? "对零成功，对零后角度：[ 0x%1 ] ,浮点角度：[ %2 °]"
                                    : "对零失败，对零后角度：[ 0x%1 ] ,浮点角度：[ %2 °]";
    const QString text = translated(tpl)
                             .arg(QString::number(angle, 16).toUpper(), 8, QLatin1Char('0'))
                             .arg(degrees, 0, 'f', 15);
    emit zeroResult(text, verdict, calibrationEntity);
    emit setProgress(100);
    emit zeroIsSuccess(true);
}

void CalibrationMode::startCalibration(CalibrationEntity* calibrationEntity, QString portName,
                                       int baudRate) {
    Request request(this);
    if (!parameterStep(calibrationEntity, portName, baudRate)) {
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
        emit calibrationIsSuccess(false);
        return;
    }
    titled(" 校准编码器。");
    emit setProgress(0);
    int typeCode = 0;
    bool verdict = false;
    RigCommands::CurveMap curves;
    RigCommands::CurveMap coefficients;
    RigCommands::ValueMap maxInl;
    RigCommands::ValueMap lineOffset;
    const bool ok =
        rig.calibrateEncoder(portName, baudRate, calibrationEntity->getPointNum(), typeCode, curves,
                             coefficients, maxInl, lineOffset, verdict);
    if (ok) {
        calibrationEntity->setEncoderType(typeCode);
        calibrationEntity->setRigVerdict(verdict);
        // The run replaces the maps whole: what an earlier run left under a key it did not
        // send must not pass for this run's data.
        CalibrationRecord::setInlCurves(calibrationEntity, curves);
        CalibrationRecord::setPhaseCoefficients(calibrationEntity, coefficients);
        CalibrationRecord::setPhaseMaxInl(calibrationEntity, maxInl);
        CalibrationRecord::setPhaseLineOffset(calibrationEntity, lineOffset);
        calibrationEntity->setMaxInl(RigCommands::targetInl(typeCode));
        const char* const tpl =
            verdict ? "校准效果验证成功，校准后最大INL：[ %1 °] ,设定最大INL：[ %2 °]"
                    : "校准效果验证失败，校准后最大INL：[ %1 °] ,设定最大INL：[ %2 °]";
        const QString text =
            translated(tpl).arg(general(double(maxInl.value(QStringLiteral("FINAL"), 0.0f))),
                                general(double(calibrationEntity->getMaxInl())));
        emit calibrationResult(text, verdict, calibrationEntity);
    }
    emit setProgress(100);
    emit calibrationIsSuccess(ok);
}

void CalibrationMode::startTest(CalibrationEntity* calibrationEntity, QString portName,
                                int baudRate) {
    Request request(this);
    if (!parameterStep(calibrationEntity, portName, baudRate)) {
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
        emit testIsSuccess(false);
        return;
    }
    titled(" 开始测试。");
    emit setProgress(0);
    int typeCode = 0;
    bool verdict = false;
    RigCommands::CurveMap curves;
    QList<float> testMaxInl{0.0f, 0.0f, 0.0f, 0.0f};
    const bool ok = rig.testEncoder(portName, baudRate, calibrationEntity->getPointNum(), typeCode,
                                    curves, testMaxInl, verdict);
    if (ok) {
        calibrationEntity->setEncoderType(typeCode);
        calibrationEntity->setRigVerdict(verdict);
        CalibrationRecord::setInlCurves(calibrationEntity, curves);
        calibrationEntity->setTestMaxInl(testMaxInl);
        calibrationEntity->setMaxInl(RigCommands::targetInl(typeCode));
        double sum = 0.0;
        for (float v : testMaxInl) sum += double(v);
        const float average = float(sum / 4.0);
        const char* const tpl =
            verdict ? "测试验证成功，测试平均最大INL：[ %1 °] ,设定最大INL：[ %2 °]"
                    : "测试验证失败，测试平均最大INL：[ %1 °] ,设定最大INL：[ %2 °]";
        const QString text = translated(tpl).arg(general(double(average)),
                                                 general(double(calibrationEntity->getMaxInl())));
        emit testResult(text, verdict, calibrationEntity);
    }
    emit setProgress(100);
    emit testIsSuccess(ok);
}
