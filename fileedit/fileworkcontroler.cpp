#include "fileworkcontroler.h"

#include <QFileDialog>
#include <QFileInfo>

#include "baidutranslate.h"
#include "fileworkentity.h"
#include "fileworkmode.h"

namespace {
const char* const kFilter = "Binary(*.bin)";

QString folderOf(const QString& path) {
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}
}  // namespace

FileWorkControler::FileWorkControler(QObject* parent)
    : QObject(parent), mode(new FileWorkMode(this)) {
    entity = mode->loadEntity(this);
}

QFileDialog* FileWorkControler::makeDialog(const QString& title) {
    // Non-modal and without a parent: the dialog is its own window and goes when it closes.
    auto* d = new QFileDialog(nullptr, title, folderOf(entity->getFilePath()),
                              QString::fromLatin1(kFilter));
    d->setAttribute(Qt::WA_DeleteOnClose);
    dialog = d;
    return d;
}

void FileWorkControler::openFileSlot() {
    QFileDialog* d = makeDialog(translated("打开文件"));
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setFileMode(QFileDialog::ExistingFile);
    connect(d, &QFileDialog::fileSelected, this, [this](const QString& path) {
        entity->setFilePath(path);
        mode->saveEntity(entity);
        emit openFileSignal(path, QFileInfo(path).fileName());
    });
    d->show();
}

void FileWorkControler::newFileSlot() {
    emit newFileSignal(translated("新文件"));
}

void FileWorkControler::saveFileSlot(QString filePath) {
    entity->setFilePath(filePath);
    mode->saveEntity(entity);
    emit saveFileSignal(filePath, QFileInfo(filePath).fileName());
}

QFileDialog* FileWorkControler::saveAsFileSlot() {
    if (entity->getFilePath().isEmpty())
        return nullptr;
    QFileDialog* d = makeDialog(translated("保存文件"));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    connect(d, &QFileDialog::fileSelected, this, [this](const QString& path) {
        entity->setFilePath(path);
        mode->saveEntity(entity);
        emit saveAsFileSignal(path, QFileInfo(path).fileName());
    });
    d->show();
    return d;
}

void FileWorkControler::openRecentSlot() {
    emit openRecentSignal(entity->getRecentList());
}

void FileWorkControler::rememberPath(const QString& filePath) {
    entity->setFilePath(filePath);
    mode->saveEntity(entity);
}
