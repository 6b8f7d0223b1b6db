#include "calibrationpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>

#include "baidutranslate.h"
#include "mcombobox.h"
#include "settingswork.h"

CalibrationPage::CalibrationPage(SettingsWork* work)
    : work(work), grid(new QGridLayout(this)), row(work->buildingRow()) {
    if (QListWidget* list = work->pageList())
        connect(list, &QListWidget::currentItemChanged, this, &CalibrationPage::currentChanged);
}

CalibrationEntity* CalibrationPage::record() const {
    return work->getCalibrationEntity();
}

QLabel* CalibrationPage::label(const char* text) {
    auto* l = new QLabel(translated(text), this);
    l->setObjectName(QStringLiteral("detail"));
    return l;
}

QLineEdit* CalibrationPage::resultField() {
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setFont(QFont(QStringLiteral("Corbel"), 12, QFont::Bold));
    return field;
}

void CalibrationPage::addInput(QWidget* input) {
    input->setEnabled(false);
    inputs << input;
}

void CalibrationPage::currentChanged(QListWidgetItem* current) {
    const bool mine = current && row >= 0 && current->data(SettingsWork::RowRole).toInt() == row;
    for (QWidget* input : inputs) input->setEnabled(mine);
}

void CalibrationPage::setResult(QWidget* widget, bool success) {
    widget->setProperty("Result", success ? QStringLiteral("success") : QStringLiteral("fail"));
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

void CalibrationPage::setName(QWidget* widget, const QString& objectName) {
    if (widget->objectName() == objectName)
        return;
    widget->setObjectName(objectName);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

void CalibrationPage::selectNumber(MComboBox* box, int value) {
    const QSignalBlocker quiet(box);
    int index = value == 0 ? -1 : box->findText(QString::number(value));
    // A valid value the list does not offer (stored from the command line) is shown as it is:
    // the field shows what the next run will use, never a blank.
    if (index < 0 && value != 0) {
        box->addItem(QString::number(value));
        index = box->count() - 1;
    }
    box->setCurrentIndex(index >= 0 ? index : 0);
}
