#include "themesetdialog.h"

#include <QComboBox>
#include <QDebug>
#include <QFutureWatcher>
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
      serviceNote(new QLabel(translated("正在查询翻译服务..."), this)),
      cancel(new QPushButton(translated("取消"), this)),
      sure(new QPushButton(translated("确认"), this)) {
    setObjectName(QStringLiteral("ThemeSetDialog"));
    setWindowTitle(translated("主题设置"));
    setFont(QFont(QStringLiteral("Corbel")));
    languageBox->setObjectName(QStringLiteral("languageBox"));
    serviceNote->setObjectName(QStringLiteral("serviceNote"));
    cancel->setObjectName(QStringLiteral("cancel"));
    sure->setObjectName(QStringLiteral("sure"));

    // Chinese and English need no network (English has its catalogue), so the dialog opens
    // offline too; a language of the service chosen earlier stays listed to be kept.
    addLanguage(Language::zh);
    addLanguage(Language::en);
    const int current = Language::instance()->getValue();
    if (current != Language::zh && current != Language::en && current >= 0)
        addLanguage(current);
    // An unknown stored language leaves the texts in Chinese: that is what is preselected.
    languageBox->setCurrentIndex(languageBox->findData(current < 0 ? int(Language::zh) : current));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(translated("语言:"), this), 0, 0);
    grid->addWidget(languageBox, 0, 1);
    grid->addWidget(serviceNote, 1, 0, 1, 2);
    grid->addWidget(cancel, 2, 0);
    grid->addWidget(sure, 2, 1);
    connect(cancel, &QPushButton::clicked, this, &ThemeSetDialog::on_cancel_clicked);
    connect(sure, &QPushButton::clicked, this, &ThemeSetDialog::on_sure_clicked);

    // The other languages are the service's: offered once it answers, never waited for.
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this,
            [this, watcher] { serviceAnswered(watcher->future().result()); });
    watcher->setFuture(BaiduTranslate::probeServiceLater());
}

QString ThemeSetDialog::languageName(int value) {
    switch (value) {
        case Language::zh:
            return QStringLiteral("中文");  // untranslated: a language's own name
        case Language::en:
            return QStringLiteral("English");
        case Language::yue:
            return QStringLiteral("粵語");  // untranslated: a language's own name
        case Language::jp:
            return QStringLiteral("日本語");  // untranslated: a language's own name
        case Language::de:
            return QStringLiteral("Deutsch");
        default:
            return Language::valueToKey(value);
    }
}

void ThemeSetDialog::addLanguage(int value) {
    if (languageBox->findData(value) < 0)
        languageBox->addItem(languageName(value), value);
}

void ThemeSetDialog::serviceAnswered(bool reachable) {
    if (!reachable) {
        serviceNote->setText(translated("翻译服务无法连接，其他语言暂不可选。"));
        return;
    }
    serviceNote->hide();
    for (const QString& key : Language::keyList()) addLanguage(Language::keyToValue(key));
}

void ThemeSetDialog::on_cancel_clicked() {
    close();
}

void ThemeSetDialog::on_sure_clicked() {
    qDebug() << languageBox->currentText();
    if (languageBox->currentIndex() < 0)
        return;
    const int chosen = languageBox->currentData().toInt();
    const QString key = Language::valueToKey(chosen);
    if (key.isEmpty())
        return;
    Language* language = Language::instance();
    const int previous = language->getValue();
    language->setValue(chosen);
    language->save();
    if (ReadConfig::readValue(QStringLiteral("Language"), QStringLiteral("LanguageType")) != key) {
        language->setValue(previous);
        emit showMsg(QMessageBox::Critical, configWriteFailedText());
        return;
    }
    QTimer::singleShot(resetDelayMs, this, &ThemeSetDialog::reset);
}
