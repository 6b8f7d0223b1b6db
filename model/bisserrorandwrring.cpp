#include "bisserrorandwrring.h"

#include <QMutexLocker>

BissErrorAndWrring* BissErrorAndWrring::instance() {
    static BissErrorAndWrring* const holder = new BissErrorAndWrring;
    return holder;
}

BissErrorAndWrring::BissErrorAndWrring() {
    qRegisterMetaType<SlaveErrorAndWrringEnum>("BissErrorAndWrring::SlaveErrorAndWrringEnum");
    qRegisterMetaType<ComiunicationErrorAndWrringEnum>(
        "BissErrorAndWrring::ComiunicationErrorAndWrringEnum");
    qRegisterMetaType<AbsResloverErrorAndWrringEnum>(
        "BissErrorAndWrring::AbsResloverErrorAndWrringEnum");
}

QList<int> BissErrorAndWrring::getSlaveFaults() const {
    QMutexLocker locker(&mutex);
    return slaveFaults;
}
void BissErrorAndWrring::setSlaveFaults(const QList<int>& list) {
    QMutexLocker locker(&mutex);
    slaveFaults = list;
}
QList<int> BissErrorAndWrring::getCommunicationFaults() const {
    QMutexLocker locker(&mutex);
    return communicationFaults;
}
void BissErrorAndWrring::setCommunicationFaults(const QList<int>& list) {
    QMutexLocker locker(&mutex);
    communicationFaults = list;
}
QList<int> BissErrorAndWrring::getResolverFaults() const {
    QMutexLocker locker(&mutex);
    return resolverFaults;
}
void BissErrorAndWrring::setResolverFaults(const QList<int>& list) {
    QMutexLocker locker(&mutex);
    resolverFaults = list;
}
