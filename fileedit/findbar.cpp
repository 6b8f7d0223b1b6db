#include "findbar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "baidutranslate.h"
#include "hexdocument.h"
#include "hexrenderer.h"
#include "hexview.h"

FindBar::FindBar(HexView* view, QWidget* parent) : QWidget(parent), view(view) {
    setObjectName(QStringLiteral("findBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("findPattern"));
    edit->setPlaceholderText(translated("查找：十六进制字节或文本"));
    edit->setClearButtonEnabled(true);
    mode = new QComboBox(this);
    mode->setObjectName(QStringLiteral("findMode"));
    mode->addItem(translated("十六进制"));
    mode->addItem(translated("文本"));
    previousButton = new QPushButton(translated("上一个"), this);
    previousButton->setObjectName(QStringLiteral("findPrevious"));
    nextButton = new QPushButton(translated("下一个"), this);
    nextButton->setObjectName(QStringLiteral("findNext"));
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("findStatus"));
    status->setMinimumWidth(120);
    closeButton = new QPushButton(QStringLiteral("×"), this);
    closeButton->setObjectName(QStringLiteral("findClose"));
    closeButton->setFixedWidth(28);
    closeButton->setToolTip(translated("关闭"));
    layout->addWidget(edit, 1);
    layout->addWidget(mode);
    layout->addWidget(previousButton);
    layout->addWidget(nextButton);
    layout->addWidget(status);
    layout->addWidget(closeButton);

    connect(edit, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(edit, &QLineEdit::textChanged, status, &QLabel::clear);
    connect(mode, &QComboBox::currentIndexChanged, status, &QLabel::clear);
    connect(nextButton, &QPushButton::clicked, this, &FindBar::findNext);
    connect(previousButton, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(closeButton, &QPushButton::clicked, this, &FindBar::close);
    hide();
}

QString FindBar::statusText() const {
    return status->text();
}

void FindBar::open() {
    // Search text in the text the operator was working in.
    if (view->renderer())
        mode->setCurrentIndex(view->renderer()->selectedArea() == HexRenderer::AsciiArea ? Text
                                                                                         : Hex);
    status->clear();
    show();
    edit->setFocus();
    edit->selectAll();
}

void FindBar::close() {
    hide();
    view->setFocus();
}

QByteArray FindBar::pattern() {
    const QString text = edit->text();
    if (text.isEmpty())
        return QByteArray();
    if (mode->currentIndex() == Text)
        return text.toUtf8();
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("[\\s,]|0x")));
    static const QRegularExpression hexOnly(QStringLiteral("^[0-9A-Fa-f]*$"));
    if (digits.isEmpty() || !hexOnly.match(digits).hasMatch() || digits.size() % 2 != 0) {
        status->setText(translated("十六进制字节格式错误"));
        return QByteArray();
    }
    return QByteArray::fromHex(digits.toLatin1());
}

qint64 FindBar::find(bool forward) {
    HexDocument* document = view->document();
    const QByteArray ba = pattern();
    if (!document || ba.isEmpty())
        return -1;
    const qint64 hit = forward ? document->searchForward(ba) : document->searchBackward(ba);
    if (hit < 0)
        status->setText(translated("未找到"));
    else
        status->setText(QStringLiteral("0x") + QString::number(hit, 16).toUpper());
    return hit;
}

qint64 FindBar::findNext() {
    return find(true);
}

qint64 FindBar::findPrevious() {
    return find(false);
}

void FindBar::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & Qt::ShiftModifier)) {
        findPrevious();
        return;
    }
    QWidget::keyPressEvent(e);
}
