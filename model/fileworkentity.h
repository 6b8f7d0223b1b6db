// The file open in the editor and the recently used files, oldest first.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class FileWorkEntity : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRecent = 10;

    explicit FileWorkEntity(QObject* parent = nullptr, const QString& filePath = QString());

    QString getFilePath() const { return filePath; }
    // Also appends the path to the recent list when the list does not hold it yet.
    void setFilePath(const QString& path);

    // Trims the list to its newest kMaxRecent entries, keeps and returns the trimmed list.
    QStringList getRecentList();
    void setRecentList(const QStringList& list) { recentList = list; }

private:
    QString filePath;
    QStringList recentList;
};
