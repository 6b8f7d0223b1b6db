#include "gotooffsetbar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "baidutranslate.h"
#include "hexdocument.h"
#include "hexview.h"

GotoOffsetBar::GotoOffsetBar(HexView* view, QWidget* parent) : QWidget(parent), view(view) {
    setObjectName(QStringLiteral("gotoBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(translated("跳转到偏移："), this);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("gotoOffset"));
    edit->setPlaceholderText(QStringLiteral("1024 / 0x400"));
    auto* goButton = new QPushButton(translated("跳转"), this);
    goButton->setObjectName(QStringLiteral("gotoGo"));
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("gotoStatus"));
    auto* closeButton = new QPushButton(QStringLiteral("×"), this);
    closeButton->setFixedWidth(28);
    layout->addWidget(label);
    layout->addWidget(edit, 1);
    layout->addWidget(goButton);
    layout->addWidget(status);
    layout->addWidget(closeButton);
    connect(edit, &QLineEdit::returnPressed, this, &GotoOffsetBar::go);
    connect(goButton, &QPushButton::clicked, this, &GotoOffsetBar::go);
    connect(closeButton, &QPushButton::clicked, this, &GotoOffsetBar::close);
    connect(edit, &QLineEdit::textChanged, status, &QLabel::clear);
    hide();
}

QString GotoOffsetBar::statusText() const {
    return status->text();
}

qint64 GotoOffsetBar::parseOffset(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    qint64 value;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    return ok && value >= 0 ? value : -1;
}

void GotoOffsetBar::open() {
    status->clear();
    show();
    edit->setFocus();
    edit->selectAll();
}

void GotoOffsetBar::close() {
    hide();
    view->setFocus();
}

bool GotoOffsetBar::go() {
    HexDocument* document = view->document();
    if (!document)
        return false;
    const qint64 offset = parseOffset(edit->text());
    if (offset < 0) {
        status->setText(translated("偏移量无效"));
        return false;
    }
    // The append position just past the last byte is a valid place for the cursor.
    if (offset > document->length()) {
        status->setText(translated("超出范围") + QStringLiteral(" (0 - 0x") +
                        QString::number(document->length(), 16).toUpper() + QLatin1Char(')'));
        return false;
    }
    view->goToOffset(offset);
    close();
    return true;
}

void GotoOffsetBar::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}
