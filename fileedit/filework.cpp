#include "filework.h"

#include <new>

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QSaveFile>
#include <QShortcut>

#include "inputfile.h"
#include "baidutranslate.h"
#include "findbar.h"
#include "gotooffsetbar.h"
#include "hexdocument.h"
#include "hexrenderer.h"
#include "hexstatusline.h"
#include "hexview.h"
#include "memorybuffer.h"
#include "stylesheetloader.h"

namespace {
QString fileMessage(const QString& path, const char* tail) {
    return translated("文件： ") + path + translated(tail);
}

// Bytes per row from the width the window offers: one column of offsets and margins, then
// about 42 pixels per byte; at least one byte and no more than the row width can count.
constexpr int kFixedWidth = 166;
constexpr int kPerByte = 42;
constexpr int kMaxBytesPerLine = 255;

const char* const kViewColours =
    "\nHexView { background: rgba(30, 30, 30, 1); color: rgba(215, 215, 215, 1);"
    " alternate-background-color: rgba(37, 37, 37, 1);"
    " selection-background-color: rgba(74, 163, 223, 1); selection-color: rgba(255, 255, 255, 1);"
    " border: none; }\n";
}  // namespace

qint64 FileWork::maxFileSize = qint64(2) * 1024 * 1024 * 1024;

FileWork::FileWork(QWidget* parent) : QWidget(parent) {
    layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view = new HexView(this);
    view->setObjectName(QStringLiteral("hexView"));
    // The palette roles the rows are painted in come from the view's own rule; a dark window
    // style would otherwise leave light text on the default white base.
    view->setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/filework.qss")) +
                        QString::fromLatin1(kViewColours));
    finder = new FindBar(view, this);
    gotoOffset = new GotoOffsetBar(view, this);
    status = new HexStatusLine(view, this);
    layout->addWidget(view, 0, 0);
    layout->addWidget(finder, 1, 0);
    layout->addWidget(gotoOffset, 2, 0);
    layout->addWidget(status, 3, 0);

    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        gotoOffset->hide();
        finder->open();
    });
    auto* go = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    go->setContext(Qt::WidgetWithChildrenShortcut);
    connect(go, &QShortcut::activated, this, [this] {
        finder->hide();
        gotoOffset->open();
    });
    for (auto key : {QKeySequence::FindNext, QKeySequence::FindPrevious}) {
        auto* again = new QShortcut(key, this);
        again->setContext(Qt::WidgetWithChildrenShortcut);
        connect(again, &QShortcut::activated, this, [this, key] {
            if (finder->pattern().isEmpty()) {
                finder->open();
                return;
            }
            key == QKeySequence::FindNext ? finder->findNext() : finder->findPrevious();
        });
    }

    connect(view, &HexView::saveFile, this, [this] {
        if (newFile)
            emit saveAsFileSignal();
        else
            writeFile(filePath);
    });
    connect(view, &HexView::saveFileAs, this, &FileWork::saveAsFileSignal);
    connect(view, &HexView::clipboardRefused, this, [this](qint64 length) {
        emit showMsg(QMessageBox::Warning,
                     translated("选中的字节太多，无法放入剪贴板： ") + QString::number(length));
    });
    attachDocumentSignals();
}

void FileWork::attachDocumentSignals() {
    HexDocument* document = view->document();
    connect(document, &HexDocument::canUndoChanged, this, &FileWork::documentIsChanged);
    connect(document, &HexDocument::canRedoChanged, this, &FileWork::documentIsChanged);
    connect(document, &HexDocument::documentChanged, this, &FileWork::documentIsChanged);
    status->attach();
}

bool FileWork::loadFile(const QString& path) {
    filePath = path;
    QByteArray data;
    const InputFile::Result read = InputFile::read(path, maxFileSize, data);
    switch (read.status) {
        case InputFile::Ok:
            break;
        case InputFile::Missing:
            emit showMsg(QMessageBox::Critical, fileMessage(path, " 不存在 "));
            return false;
        case InputFile::TooLarge:
            emit showMsg(QMessageBox::Critical, fileMessage(path, " 太大，无法读入内存。"));
            return false;
        case InputFile::Folder:
        case InputFile::NotRegular:
        case InputFile::Unreadable:
            emit showMsg(QMessageBox::Critical,
                         fileMessage(path, "") + translated(InputFile::refusal(read, maxFileSize)));
            return false;
    }

    auto* buffer = new MemoryBuffer();
    buffer->adopt(data);
    view->setDocument(new HexDocument(buffer));
    attachDocumentSignals();
    if (displayWidth > 0)
        applyDisplayLine();
    return true;
}

bool FileWork::writeFile(const QString& path) {
    QSaveFile file(path);
    const bool ok =
        file.open(QIODevice::WriteOnly) && view->document()->saveTo(&file) && file.commit();
    if (!ok) {
        file.cancelWriting();
        emit showMsg(QMessageBox::Critical, fileMessage(path, " 保存失败 "));
        return false;
    }
    filePath = path;
    newFile = false;
    setModified(false);
    emit showMsg(QMessageBox::Information, fileMessage(path, " 保存成功 "));
    return true;
}

void FileWork::requestSave() {
    if (newFile)
        emit saveAsFileSignal();
    else
        emit saveFileSignal(filePath);
}

void FileWork::documentIsChanged() {
    setModified(true);
}

void FileWork::setModified(bool b) {
    if (modified == b)
        return;
    modified = b;
    emit modifiedChanged(b);
}

void FileWork::setDisplayLine(int width) {
    displayWidth = width;
    applyDisplayLine();
}

void FileWork::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (displayWidth > 0)
        applyDisplayLine();
}

void FileWork::applyDisplayLine() {
    int bytes = qBound(1, (displayWidth - kFixedWidth) / kPerByte, kMaxBytesPerLine);
    // The window's width overstates the room the tab really has (the navigation takes its
    // share): a shown tab keeps its rows within the view, so the character column stays in
    // sight without scrolling sideways.
    if (isVisible())
        bytes =
            qMin(bytes, qMax(1, view->renderer()->bytesPerLineFitting(view->viewport()->width())));
    // Rows of a multiple of 8 bytes keep the offsets round (0000, 0010, 0020 …); 19 a row gave
    // 0000, 0013, 0026. Narrower than 8, every byte counts.
    if (bytes >= 8)
        bytes -= bytes % 8;
    if (bytes != view->document()->hexLineWidth())
        view->document()->setBytesPerLine(quint8(bytes));
}
