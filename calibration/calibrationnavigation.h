// The calibration area's navigation groups after a result: the result group of the run that
// finished is shown, the other result group goes.
#pragma once

#include <QList>
#include <QStringList>

class CalibrationNavigation {
public:
    // groups: each a group name followed by its page names, as shown (translated). After a
    // calibration "测试结果" goes and "校准结果" (with "校准INL数据") comes first if absent;
    // after a test the reverse.
    static QList<QStringList> groupsAfter(QList<QStringList> groups, bool calibration);
};
