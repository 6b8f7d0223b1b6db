#include "themesetdialog.h"

#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "baidutranslate.h"
#include "configwritecheck.h"
#include "language.h"
#include "readconfig.h"

ThemeSetDialog::ThemeSetDialog(QWidget* parent)
    : QDialog(parent),
      languageBox(new QComboBox(this)),
      cancel(new QPushButton(translated("取消"), this)),
      sure(new QPushButton(translated("确认"), this)) {
    setObjectName(QStringLiteral("ThemeSetDialog"));
    setWindowTitle(translated("主题设置"));
    setFont(QFont(QStringLiteral("Corbel")));
    languageBox->setObjectName(QStringLiteral("languageBox"));
    cancel->setObjectName(QStringLiteral("cancel"));
    sure->setObjectName(QStringLiteral("sure"));
    for (const QString& key : Language::keyList()) languageBox->addItem(translated(key));
    languageBox->setCurrentText(translated(Language::instance()->currentKey()));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(translated("语言:"), this), 0, 0);
    grid->addWidget(languageBox, 0, 1);
    grid->addWidget(cancel, 1, 0);
    grid->addWidget(sure, 1, 1);
    connect(cancel, &QPushButton::clicked, this, &ThemeSetDialog::on_cancel_clicked);
    connect(sure, &QPushButton::clicked, this, &ThemeSetDialog::on_sure_clicked);
}

void ThemeSetDialog::on_cancel_clicked() {
    close();
}

void ThemeSetDialog::on_sure_clicked() {
    qDebug() << languageBox->currentText();
    const QStringList keys = Language::keyList();
    const int index = languageBox->currentIndex();
    if (index < 0 || index >= keys.size())
        return;
    Language* language = Language::instance();
    const int previous = language->getValue();
    language->setValue(Language::keyToValue(keys.at(index)));
    language->save();
    if (ReadConfig::readValue(QStringLiteral("Language"), QStringLiteral("LanguageType")) !=
        keys.at(index)) {
        language->setValue(previous);
        emit showMsg(QMessageBox::Critical, configWriteFailedText());
        return;
    }
    QTimer::singleShot(resetDelayMs, this, &ThemeSetDialog::reset);
}
