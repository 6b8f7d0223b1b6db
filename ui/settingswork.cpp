#include "settingswork.h"

#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidgetItem>

#include "bissentity.h"
#include "calibrationentity.h"
#include "firmwareentity.h"
#include "iapentity.h"
#include "pagelistaccessible.h"
#include "pageregistry.h"
#include "permissioncontroller.h"
#include "stylesheetloader.h"

namespace {
// A page without a layout has no size hint of its own, only the size it was fixed to.
int pageHeight(const QWidget* page) {
    return qMax(page->sizeHint().height(), page->minimumHeight());
}
}  // namespace

SettingsWork::SettingsWork(QWidget* parent)
    : QWidget(parent),
      list(new QListWidget(this)),
      dataTimer(new QTimer(this)),
      statusTimer(new QTimer(this)),
      calibrationEntity(new CalibrationEntity(this)),
      iapEntity(new IapEntity(this)),
      firmwareEntity(new FirmwareEntity(this)),
      bissEntity(new BissEntity(this)) {
    setObjectName(QStringLiteral("SettingsWork"));
    PageListAccessible::install();
    // The records travel in signals, some of them queued to the workers' threads.
    qRegisterMetaType<CalibrationEntity*>("CalibrationEntity*");
    qRegisterMetaType<IapEntity*>("IapEntity*");
    qRegisterMetaType<FirmwareEntity*>("FirmwareEntity*");
    qRegisterMetaType<BissEntity*>("BissEntity*");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(list);
    list->setObjectName(QStringLiteral("settingsList"));
    list->setFocusPolicy(Qt::NoFocus);
    // The scrolling rule counts in rows: the bar's value must be the row at the top.
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
    list->setSpacing(2);
    list->setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/settingswork.qss")));
    dataTimer->setObjectName(QStringLiteral("dataTimer"));
    statusTimer->setObjectName(QStringLiteral("statusTimer"));

    connect(list, &QListWidget::currentRowChanged, this,
            qOverload<int>(&SettingsWork::scorllProcess));
    connect(list, &QListWidget::itemActivated, this,
            qOverload<QListWidgetItem*>(&SettingsWork::scorllProcess));
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SettingsWork::keepInsideArea);
}

QListWidgetItem* SettingsWork::addEntry(const QString& name) {
    auto* item = new QListWidgetItem(list);
    item->setData(RowRole, list->count() - 1);
    item->setData(NameRole, name);
    flatEntries << name;
    return item;
}

void SettingsWork::addHeader(const QString& name, int height, int pointSize,
                             const QString& styleSheet) {
    QListWidgetItem* item = addEntry(name);
    auto* holder = new QWidget;
    holder->setFixedHeight(height);
    auto* layout = new QGridLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(name, holder);
    QFont font(QStringLiteral("Corbel"), pointSize);
    font.setWeight(QFont::Bold);
    label->setFont(font);
    // The window's style sheet sets one font size for every widget, which beats setFont():
    // the header states its own in its style sheet.
    label->setStyleSheet(loadStyleSheet(styleSheet) +
                         QStringLiteral("\nQLabel { font-family: \"Corbel\"; font-size: %1pt; "
                                        "font-weight: 700; }")
                             .arg(pointSize));
    layout->addWidget(label);
    holder->setAccessibleName(name);
    item->setSizeHint(QSize(0, height));
    list->setItemWidget(item, holder);
}

void SettingsWork::build(const QStringList& areaNames,
                         const QList<QList<QStringList>>& areaGroups) {
    areas = areaNames;
    groups = areaGroups;
    for (int a = 0; a < areas.size(); ++a) {
        const QString& area = areas.at(a);
        const int start = list->count();
        areaStarts << start;
        addHeader(area, 60, 13, QStringLiteral(":/system/qss/topnode.qss"));
        list->setCurrentRow(start);
        for (const QStringList& group : areaGroups.value(a)) {
            if (group.isEmpty())
                continue;
            addHeader(group.first(), 50, 12, QStringLiteral(":/system/qss/parentnode.qss"));
            for (int i = 1; i < group.size(); ++i) {
                const QString& name = group.at(i);
                const QString key = PageRegistry::findPage(area, name);
                currentBuildArea = area;
                currentBuildRow = list->count();
                QWidget* page = key.isEmpty() ? nullptr : PageRegistry::createPage(key, this);
                currentBuildArea.clear();
                currentBuildRow = -1;
                if (!page) {
                    qDebug() << "No page registered for" << area << name << "- left out";
                    continue;
                }
                page->setFont(QFont(QStringLiteral("Corbel")));
                page->setAccessibleName(name);
                PageListAccessible::nameInputs(page);
                QListWidgetItem* item = addEntry(name);
                item->setSizeHint(QSize(0, pageHeight(page)));
                list->setItemWidget(item, page);
                // A page that grows or shrinks later (rows shown on demand) keeps its row's
                // height in step.
                page->installEventFilter(this);
            }
        }
        auto* closing = new QListWidgetItem(list);
        closing->setData(RowRole, -1);
        closing->setData(NameRole, QString());
        closing->setFlags(closing->flags() & ~Qt::ItemIsEnabled);
        flatEntries << QString();
        areaSizes << list->count() - start;
    }
    // Each area header was made current in turn, which would leave the last area current while
    // the view and the navigation show the first: start on the first area.
    if (list->count() > 0) {
        list->setCurrentRow(0);
        list->scrollToTop();
    }
}

bool SettingsWork::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) {
        auto* page = qobject_cast<QWidget*>(watched);
        for (int row = 0; page && row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            if (list->itemWidget(item) == page) {
                item->setSizeHint(QSize(0, pageHeight(page)));
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

int SettingsWork::rowOf(const QString& areaName, const QString& pageName) const {
    const int a = areas.indexOf(areaName);
    if (a < 0 || a >= areaStarts.size())
        return -1;
    const int start = areaStarts.at(a);
    for (int row = start; row < start + areaSizes.at(a) && row < list->count(); ++row)
        if (list->item(row)->data(RowRole).toInt() >= 0 &&
            list->item(row)->data(NameRole).toString() == pageName)
            return row;
    return -1;
}

void SettingsWork::setAreaWidth(int, int) {}

void SettingsWork::scorllProcess(int currentIndex) {
    qDebug() << currentIndex;
    if (currentIndex < 0 || currentIndex >= flatEntries.size())
        return;
    int counted = 0;
    for (int a = 0; a < areaSizes.size(); ++a) {
        counted += areaSizes.at(a);
        if (counted >= currentIndex + 1) {
            emit scorll(areas.at(a));
            emit scorll(flatEntries.at(currentIndex));
            return;
        }
    }
}

void SettingsWork::scorllProcess(QListWidgetItem* item) {
    if (!item)
        return;
    const int row = item->data(RowRole).toInt();
    if (row < 0)
        return;  // the closing entry of an area
    scorllProcess(row);
}

void SettingsWork::scorllProcess(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QString name = item->text(0);
    const QString area = item->data(0, Qt::UserRole + 1).toString();
    const int row = rowOf(area, name);
    qDebug() << area << name << row;
    if (row < 0)
        return;
    QListWidgetItem* target = list->item(row);
    list->setCurrentItem(target);
    list->scrollToItem(target, QAbstractItemView::PositionAtTop);
}

void SettingsWork::keepInsideArea(int value) {
    if (adjustingScroll)
        return;
    QListWidgetItem* current = list->currentItem();
    if (!current)
        return;
    const int row = current->data(RowRole).toInt();
    if (row < 0)
        return;
    int start = 0;
    int end = list->count() - 1;
    for (int s : areaStarts) {
        if (s <= row) {
            start = s;
        } else {
            end = s - 1;
            break;
        }
    }
    adjustingScroll = true;
    // The last row of an area is its closing entry: the view may show it at the bottom but
    // never scroll it (and the next area) to the top.
    if (value >= end)
        list->verticalScrollBar()->setValue(end - 1);
    else if (value <= start)
        list->verticalScrollBar()->setValue(start);
    adjustingScroll = false;
}

namespace {
// A result without a record keeps the current one: the pages read it without checking.
template <typename Entity>
void adopt(Entity*& held, Entity* given) {
    if (given)
        held = given;
}
}  // namespace

void SettingsWork::getIapArgmentsSlot(IapEntity* entity) {
    adopt(iapEntity, entity);
    emit viewReDraw();
}

void SettingsWork::getFirmwareArgmentsSlot(FirmwareEntity* entity) {
    adopt(firmwareEntity, entity);
    emit viewReDraw();
}

void SettingsWork::getCalibrationArgmentsSlot(CalibrationEntity* entity) {
    qDebug() << (entity ? entity->objectName() : QString());
    adopt(calibrationEntity, entity);
    emit viewReDraw();
}

void SettingsWork::getMasterStatus() {
    if (PermissionController::instance()->getPermission() == PermissionController::USER)
        return;
    emit getMasterStatusSignal(bissEntity);
}

void SettingsWork::getMasterStatusSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::setMasterStatusSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::getSlaverStatusSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    if (!statusTimer->isActive()) {
        statusTimer->setInterval(2000);
        statusTimer->setSingleShot(false);
        statusTimer->start();
    }
    emit dataTimerReDrawSignal();
    emit reViewSlaverTrans();
}

void SettingsWork::setSlaverStatusSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit reViewSlaverTrans();
}

void SettingsWork::getSlaverDataSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit slaverDataResult();
    emit dataTimerReDrawSignal();
}

void SettingsWork::readSlaverRegeditSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::writeSlaverRegeditSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::setResolutionAndPolePairsSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::closeResolutionAndPolePairsSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit viewReDraw();
}

void SettingsWork::clearSlaverErrorSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit dataTimerReDrawSignal();
}

void SettingsWork::clearMasterErrorSlot(BissEntity* entity) {
    adopt(bissEntity, entity);
    emit dataTimerReDrawSignal();
}

void SettingsWork::getSlaverStatusSlot() {
    if (bissEntity && bissEntity->getSlaveEnabled())
        emit getSlaverStatusSignal(bissEntity);
}
