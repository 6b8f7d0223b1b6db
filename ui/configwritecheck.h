// The dialogs read back what they wrote: QSettings reports no failure to its caller, and a
// configuration that cannot be written must not be announced as saved.
#pragma once

#include <QDir>
#include <QString>

#include "baidutranslate.h"
#include "readconfig.h"

inline QString configWriteFailedText() {
    return translated("配置文件写入失败，设置未保存：") +
           QDir::toNativeSeparators(QDir::current().absoluteFilePath(ReadConfig::configPath()));
}
