#include "calibrationlimits.h"

#include <QStringList>

namespace {
QString joined(const QList<int>& values) {
    QStringList texts;
    for (int v : values) texts << QString::number(v);
    return texts.join(QStringLiteral(", "));
}
}  // namespace

QList<int> CalibrationLimits::pointCounts() {
    QList<int> counts;
    for (int n = 1; n < 2048; ++n) {
        const double stepDegrees = 360.0 / n;
        if (2048 % n == 0 && stepDegrees >= 1.0 && stepDegrees <= 22.5)
            counts << n;
    }
    return counts;
}

QList<int> CalibrationLimits::speeds() {
    return {200, 1000, 1400};
}

QString CalibrationLimits::pointNumProblem(qint64 value) {
    if (value == 0)
        return QStringLiteral("校准参考点数量不能为0,请重新输入");
    if (!pointCounts().contains(value))
        return QStringLiteral("校准参考点数量 [ %1 ] 无效，可选：%2，请重新选择")
            .arg(value)
            .arg(joined(pointCounts()));
    return QString();
}

QString CalibrationLimits::encoderLineProblem(qint64 value) {
    if (value == 0)
        return QStringLiteral("对拖编码器线数不能为0,请重新输入");
    if (value < 0 || value > kMaxEncoderLine)
        return QStringLiteral("对拖编码器线数 [ %1 ] 超出范围（1 ~ %2），请重新输入")
            .arg(value)
            .arg(kMaxEncoderLine);
    return QString();
}

QString CalibrationLimits::calibrationSpeedProblem(qint64 value) {
    if (value == 0)
        return QStringLiteral("校准速度不能为0,请重新输入");
    if (value < 0 || value > kMaxSpeed)
        return QStringLiteral("校准速度 [ %1 ] RPM 超出范围（1 ~ %2），请重新选择")
            .arg(value)
            .arg(kMaxSpeed);
    return QString();
}

QString CalibrationLimits::testSpeedsProblem(const QList<qint64>& values) {
    if (values.size() != kTestSpeedCount || values.contains(0))
        return QStringLiteral("测试速度不能为0,请重新输入");
    for (qint64 v : values)
        if (v < 0 || v > kMaxSpeed)
            return QStringLiteral("测试速度 [ %1 ] RPM 超出范围（1 ~ %2），请重新选择")
                .arg(v)
                .arg(kMaxSpeed);
    return QString();
}

QString CalibrationLimits::problem(qint64 pointNum, qint64 encoderLine, qint64 calibrationSpeed,
                                   const QList<qint64>& testSpeeds) {
    for (const QString& p : {pointNumProblem(pointNum), encoderLineProblem(encoderLine),
                             calibrationSpeedProblem(calibrationSpeed),
                             testSpeedsProblem(testSpeeds)})
        if (!p.isEmpty())
            return p;
    return QString();
}
