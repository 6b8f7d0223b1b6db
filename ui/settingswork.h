// The workspace tab "工作区": one long list of task pages grouped by job area, kept inside one
// area while scrolling and in step with the navigation trees; it owns the records the pages edit.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

class BissEntity;
class CalibrationEntity;
class CalibrationWork;
class FirmwareEntity;
class IapEntity;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QTreeWidgetItem;

class SettingsWork : public QWidget {
    Q_OBJECT
public:
    // Data roles of the list items: the row in the flattened entry list (-1 for the closing
    // entry of an area) and the entry's name.
    static constexpr int RowRole = Qt::UserRole + 1;
    static constexpr int NameRole = Qt::UserRole + 2;

    explicit SettingsWork(QWidget* parent = nullptr);

    // Called once: the area names and, per area, its groups (group name, then page names), as
    // shown to the operator. Each page comes from the builder registered for its name
    // (PageRegistry); a page without one is left out.
    void build(const QStringList& areaNames, const QList<QList<QStringList>>& areaGroups);

    QListWidget* pageList() const { return list; }
    QStringList areaNames() const { return areas; }
    QStringList entries() const { return flatEntries; }
    QList<int> areaStartRows() const { return areaStarts; }
    // The row of the first entry called pageName inside areaName, -1 when there is none.
    int rowOf(const QString& areaName, const QString& pageName) const;
    // While a page builder runs: the area it builds for and the row its page will take.
    QString buildingArea() const { return currentBuildArea; }
    int buildingRow() const { return currentBuildRow; }

    // The records the pages edit. A result may hand back another record, so read them through
    // these each time instead of keeping the pointer.
    CalibrationEntity* getCalibrationEntity() const { return calibrationEntity; }
    IapEntity* getIapEntity() const { return iapEntity; }
    FirmwareEntity* getFirmwareEntity() const { return firmwareEntity; }
    BissEntity* getBissEntity() const { return bissEntity; }

    // The BiSS pages' pollers. dataTimer: the pages start it (200 ms) and connect its timeout
    // to their data poll. statusTimer: the first slave status result starts it (2000 ms); the
    // pages connect its timeout to their status poll. Neither is ever stopped.
    QTimer* getDataTimer() const { return dataTimer; }
    QTimer* getStatusTimer() const { return statusTimer; }

signals:
    void scorll(QString itemName);
    void devicesNotConnect();
    void showMsg(QMessageBox::Icon msgType, QString msg);
    void startCalibration(CalibrationEntity* calibrationEntity);
    void startTest(CalibrationEntity* calibrationEntity);
    void startZero(CalibrationEntity* calibrationEntity);
    void getCalibrationArgments();
    void setCalibrationArgments(CalibrationEntity* calibrationEntity);
    void startIap(IapEntity* iapEntity);
    void getIapArgments();
    void setIapArgments(IapEntity* iapEntity);
    void startFirmware(FirmwareEntity* firmwareEntity);
    void getFirmwareArgments();
    void setFirmwareArgments(FirmwareEntity* firmwareEntity);
    void reViewSlaverTrans();
    void viewReDraw();
    void dataTimerReDrawSignal();
    // A slave data result came back (before the redraw): the live chart samples only these.
    void slaverDataResult();
    void devicesTypeUpdate();
    void calibrationArgmentsUpdate();
    void finish();
    void showCalibration(QString msg, CalibrationWork* calibrationWork);
    void getMasterStatusSignal(BissEntity* bissEntity);
    void setMasterStatusSignal(BissEntity* bissEntity);
    void setBissSlaverEnableSignal(BissEntity* bissEntity);
    void getSlaverDataSignal(BissEntity* bissEntity);
    void getSlaverStatusSignal(BissEntity* bissEntity);
    void setSlaverStatusSignal(BissEntity* bissEntity);
    void readSlaverRegeditSignal(BissEntity* bissEntity);
    void writeSlaverRegeditSignal(BissEntity* bissEntity);
    void clearSlaverErrorSignal(BissEntity* bissEntity);
    void clearMasterErrorSignal(BissEntity* bissEntity);
    void setResolutionAndPolePairsSignal(BissEntity* bissEntity);
    void closeResolutionAndPolePairsSignal(BissEntity* bissEntity);

public slots:
    void setAreaWidth(int width, int height);
    void scorllProcess(int currentIndex);
    void scorllProcess(QListWidgetItem* item);
    void scorllProcess(QTreeWidgetItem* item);
    void getIapArgmentsSlot(IapEntity* iapEntity);
    void getFirmwareArgmentsSlot(FirmwareEntity* firmwareEntity);
    void getCalibrationArgmentsSlot(CalibrationEntity* calibrationEntity);
    void getMasterStatus();
    void getMasterStatusSlot(BissEntity* bissEntity);
    void setMasterStatusSlot(BissEntity* bissEntity);
    void getSlaverStatusSlot(BissEntity* bissEntity);
    void setSlaverStatusSlot(BissEntity* bissEntity);
    void getSlaverDataSlot(BissEntity* bissEntity);
    void readSlaverRegeditSlot(BissEntity* bissEntity);
    void writeSlaverRegeditSlot(BissEntity* bissEntity);
    void setResolutionAndPolePairsSlot(BissEntity* bissEntity);
    void closeResolutionAndPolePairsSlot(BissEntity* bissEntity);
    void clearSlaverErrorSlot(BissEntity* bissEntity);
    void clearMasterErrorSlot(BissEntity* bissEntity);
    void getSlaverStatusSlot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepInsideArea(int value);
    QListWidgetItem* addEntry(const QString& name);
    void addHeader(const QString& name, int height, int pointSize, const QString& styleSheet);

    QListWidget* list;
    QTimer* dataTimer;
    QTimer* statusTimer;
    CalibrationEntity* calibrationEntity;
    IapEntity* iapEntity;
    FirmwareEntity* firmwareEntity;
    BissEntity* bissEntity;

    QStringList areas;
    QList<QList<QStringList>> groups;
    QStringList flatEntries;
    QList<int> areaStarts;
    QList<int> areaSizes;  // entries of each area, its closing entry included
    QString currentBuildArea;
    int currentBuildRow = -1;
    bool adjustingScroll = false;
};
