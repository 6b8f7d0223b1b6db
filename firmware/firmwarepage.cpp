#include "firmwarepage.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include "baidutranslate.h"
#include "settingswork.h"

FirmwarePage::FirmwarePage(SettingsWork* work, const QString& description)
    : work(work), grid(new QGridLayout(this)), row(work->buildingRow()) {
    auto* detail = new QLabel(translated(description), this);
    detail->setObjectName(QStringLiteral("detail"));
    detail->setWordWrap(true);
    grid->addWidget(detail, 0, 0, 1, 6);
    detail->setVisible(!description.isEmpty());
    if (QListWidget* list = work->pageList())
        connect(list, &QListWidget::currentItemChanged, this, &FirmwarePage::currentChanged);
}

QLabel* FirmwarePage::label(const char* text) {
    auto* l = new QLabel(translated(text), this);
    l->setObjectName(QStringLiteral("detail"));
    return l;
}

void FirmwarePage::addInput(QWidget* input) {
    input->setFont(QFont(QStringLiteral("Corbel"), 13, QFont::Bold));
    input->setEnabled(false);
    inputs << input;
}

void FirmwarePage::currentChanged(QListWidgetItem* item) {
    current = item && row >= 0 && item->data(SettingsWork::RowRole).toInt() == row;
    updateInputs();
}

void FirmwarePage::setJobRunning(bool running) {
    jobRunning = running;
    updateInputs();
}

void FirmwarePage::updateInputs() {
    for (QWidget* input : inputs) input->setEnabled(current && !jobRunning);
}

QString FirmwarePage::folderOf(const QString& path) {
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 ? path.left(slash) : QString();
}

void FirmwarePage::chooseFile(const char* title, const QString& currentPath,
                              const std::function<void(const QString&)>& chosen) {
    auto* dialog = new QFileDialog(this, translated(title), folderOf(currentPath),
                                   QStringLiteral("Binary(*.bin)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, chosen);
    dialog->open();
}
