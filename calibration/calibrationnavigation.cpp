#include "calibrationnavigation.h"

#include "baidutranslate.h"

QList<QStringList> CalibrationNavigation::groupsAfter(QList<QStringList> groups, bool calibration) {
    const QStringList calibrationGroup{translated("校准结果"), translated("校准INL数据")};
    const QStringList testGroup{translated("测试结果"), translated("测试INL数据")};
    const QStringList& drop = calibration ? testGroup : calibrationGroup;
    const QStringList& keep = calibration ? calibrationGroup : testGroup;
    bool present = false;
    for (int i = int(groups.size()) - 1; i >= 0; --i) {
        const QString name = groups.at(i).value(0);
        if (name == drop.first())
            groups.removeAt(i);
        else if (name == keep.first())
            present = true;
    }
    if (!present)
        groups.prepend(keep);
    return groups;
}
