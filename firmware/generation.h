// Writes firmware image files: the factory image (boot, application, empty second application,
// configuration record, identification byte) and the upgrade image (application + trailer).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSaveFile;

class Generation : public QObject {
    Q_OBJECT
public:
    // The upgrade trailer the IAP file check reads back: 11 name bytes, 'V', 4 version bytes.
    static constexpr int kWatermarkLength = 11;
    static constexpr int kVersionTextLength = 4;
    static constexpr int kNameFieldSize = 32;
    static constexpr int kLengthFieldSize = 8;
    static constexpr char kFill = char(0xFF);
    // No flash area of these encoders comes near 16 MiB; a larger configured size is a typo.
    static constexpr int kMaxAreaSize = 16 * 1024 * 1024;

    explicit Generation(QObject* parent = nullptr);

    // "V" and the version with up to 6 significant digits: 0.02 -> V0.02, 1.5 -> V1.5.
    static QByteArray versionText(double version);

    bool generateFirmware(int mode, const QString& bootPath, const QString& appPath,
                          const QString& savePath, const QString& watermark, double version,
                          int bootAreaSize, int appAreaSize, int configAreaSize, int idAreaSize);
    bool generateFactoryImage(const QString& bootPath, const QString& appPath,
                              const QString& savePath, const QString& watermark, double version,
                              int bootAreaSize, int appAreaSize, int configAreaSize);
    bool generateUpgradeImage(const QString& appPath, const QString& savePath,
                              const QString& watermark, double version, int appAreaSize);

signals:
    void msgSignal(QString msg);
    void setProcess(int value);

private:
    void log(const QString& text);
    // Announces the output and opens it as a save file: the bytes go to a temporary file beside
    // the target, which replaces the target only on commit.
    bool prepareOutput(QSaveFile& out, const QString& savePath, bool factory);
    // Reads a whole input file; label names it in the messages ("BootLoader" or "App").
    // Reads an input of at most limit bytes through the checked reader, with a message for each
    // refusal; a larger file is refused before it is read, its size left in tooLargeSize for the
    // caller's area message (-1 otherwise).
    // The device's area sizes are configured and usable, each refusal with its message.
    bool areasUsable(const QString& watermark, bool factory, int bootAreaSize, int appAreaSize,
                     int configAreaSize);
    bool readInput(const QString& label, const QString& path, qint64 limit, QByteArray& content,
                   qint64& tooLargeSize);
    void logBootTooLarge(const QString& bootPath, qint64 size, const QString& watermark,
                         int bootAreaSize);
    bool readAppInput(const QString& appPath, const QString& watermark, double version,
                      int appAreaSize, QByteArray& app);
    // The upgrade trailer can only be read back from an 11-character name and a 4-character
    // version; anything else would make an image the upgrade refuses.
    bool checkTrailerRules(const QString& watermark, const QByteArray& versionBytes);
    bool write(QSaveFile& out, const QByteArray& bytes);
    // The App area as both images lay it out: the App, the watermark, then the version text.
    // appAreaFits checks the trailer's rules and that the three fit the area (used: their size);
    // writeAppArea writes them with progress 65, 75 and 85 behind the pieces.
    bool appAreaFits(const QString& appPath, const QByteArray& app, const QString& watermark,
                     const QByteArray& versionBytes, int appAreaSize, qint64& used);
    bool writeAppArea(QSaveFile& out, const QByteArray& app, const QByteArray& mark,
                      const QByteArray& versionBytes);
    bool commit(QSaveFile& out);
};
