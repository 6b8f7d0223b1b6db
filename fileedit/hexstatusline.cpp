#include "hexstatusline.h"

#include "baidutranslate.h"
#include "hexcursor.h"
#include "hexdocument.h"
#include "hexview.h"

namespace {
QString hexAndDecimal(qint64 v) {
    return QStringLiteral("0x") + QString::number(v, 16).toUpper() + QStringLiteral(" (") +
           QString::number(v) + QLatin1Char(')');
}
}  // namespace

HexStatusLine::HexStatusLine(HexView* view, QWidget* parent)
    : QLabel(parent),
      view(view),
      offsetLabel(translated("偏移")),
      selectionLabel(translated("选中")),
      lengthLabel(translated("长度")),
      bytesLabel(translated("字节")),
      insertLabel(translated("插入")),
      overwriteLabel(translated("覆盖")) {
    setObjectName(QStringLiteral("hexStatusLine"));
    setContentsMargins(6, 2, 6, 2);
    attach();
}

void HexStatusLine::attach() {
    HexDocument* document = view->document();
    if (!document)
        return;
    connect(document->cursor(), &HexCursor::positionChanged, this, &HexStatusLine::refresh,
            Qt::UniqueConnection);
    connect(document->cursor(), &HexCursor::insertionModeChanged, this, &HexStatusLine::refresh,
            Qt::UniqueConnection);
    connect(document, &HexDocument::documentChanged, this, &HexStatusLine::refresh,
            Qt::UniqueConnection);
    refresh();
}

void HexStatusLine::refresh() {
    HexDocument* document = view->document();
    if (!document)
        return;
    HexCursor* cursor = document->cursor();
    const qint64 selected = cursor->hasSelection() ? cursor->selectionLength() : 0;
    setText(offsetLabel + QStringLiteral(": ") + hexAndDecimal(cursor->positionOffset()) +
            QStringLiteral("    ") + selectionLabel + QStringLiteral(": ") +
            QString::number(selected) + QLatin1Char(' ') + bytesLabel + QStringLiteral("    ") +
            lengthLabel + QStringLiteral(": ") + QString::number(document->length()) +
            QLatin1Char(' ') + bytesLabel + QStringLiteral("    ") +
            (cursor->insertionMode() == HexCursor::InsertMode ? insertLabel : overwriteLabel));
}
