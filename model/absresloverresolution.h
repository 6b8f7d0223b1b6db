// Resolution codes of a resolver slave: note 1024 is code 2 and 4096 code 1.
#pragma once

#include <QObject>

#include "enumkeys.h"

class AbsResloverResolution : public QObject {
    Q_OBJECT
public:
    enum AbsResloverResolutionEnum { L256 = 0, L1024 = 2, L4096 = 1, L16384 = 3 };
    Q_ENUM(AbsResloverResolutionEnum)
    QUELBRIN_ENUM_KEYS(AbsResloverResolutionEnum)

    static AbsResloverResolution* instance();

private:
    AbsResloverResolution();
};
