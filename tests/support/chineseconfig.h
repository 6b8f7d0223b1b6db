// Configuration content shared by the tests.
#pragma once

#include <QByteArray>

// Operator texts stay in Chinese: no translation request leaves the test.
inline QByteArray chineseConfig() {
    return QByteArrayLiteral("[Language]\nLanguageType=zh\n");
}
