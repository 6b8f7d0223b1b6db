// Fault and warning codes of the BiSS slave, of the BiSS link and of a resolver slave.
#pragma once

#include <QList>
#include <QMutex>
#include <QObject>

#include "enumkeys.h"

class BissErrorAndWrring : public QObject {
    Q_OBJECT
public:
    enum SlaveErrorAndWrringEnum {
        ANGLE_ERROR = 0,
        MULTI_ERROR = 1,
        BATTERY_ERROR = 2,
        OVER_SPEED_ALM = 3,
        BATTERY_ALM = 4
    };
    Q_ENUM(SlaveErrorAndWrringEnum)
    enum ComiunicationErrorAndWrringEnum {
        COMIUNICATION_NO_FAULT = 0,
        COMIUNICATION_FAULT_CMD = 1,
        COMIUNICATION_FAULT_CRC = 2,
        COMIUNICATION_FAULT_NO_DATA = 3,
        COMIUNICATION_FAULT_BISS_STREAM = 4,
        COMIUNICATION_FAULT_BISS_WRITE = 5,
        COMIUNICATION_FAULT_BISS_READ = 6,
        COMIUNICATION_FAULT_BISS_BUSY = 7,
        COMIUNICATION_FAULT_BISS_IDL = 8
    };
    Q_ENUM(ComiunicationErrorAndWrringEnum)
    enum AbsResloverErrorAndWrringEnum {
        SIN_COS_INPUT_CLIP = 0,
        SIN_COS_LOS = 1,
        SIN_COS_DOS_OVER = 2,
        SIN_COS_DOS_MISMATCH = 3,
        POSITION_LOS = 4,
        OVER_SPEED = 5,
        PHASE_LOCK_ERROR = 6
    };
    Q_ENUM(AbsResloverErrorAndWrringEnum)

    static BissErrorAndWrring* instance();

    // Lists are written by the BiSS worker and read by the panels: copied under a lock.
    QList<int> getSlaveFaults() const;
    void setSlaveFaults(const QList<int>& list);
    QList<int> getCommunicationFaults() const;
    void setCommunicationFaults(const QList<int>& list);
    QList<int> getResolverFaults() const;
    void setResolverFaults(const QList<int>& list);

private:
    BissErrorAndWrring();
    mutable QMutex mutex;
    QList<int> slaveFaults;
    QList<int> communicationFaults;
    QList<int> resolverFaults;
};
