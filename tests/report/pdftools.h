// Looks at a written PDF from outside, with poppler's tools, as a reader's machine would.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

struct Tool {
    bool ran = false;  // finished in time with exit code 0
    QString out;
    QString err;
};

inline Tool pdfTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    Tool tool;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        tool.err = program + QStringLiteral(": did not finish");
        return tool;
    }
    tool.ran = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    tool.out = QString::fromUtf8(process.readAllStandardOutput());
    tool.err = QString::fromUtf8(process.readAllStandardError());
    return tool;
}

// The text a reader can search and copy; runs of white space become one space.
inline QString pdfText(const QString& path) {
    const Tool tool = pdfTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    return tool.ran ? tool.out.simplified() : QString();
}

inline int pdfPages(const QString& path, QString* pageSize = nullptr) {
    const Tool tool = pdfTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(tool.out);
    if (pageSize)
        *pageSize = QRegularExpression(QStringLiteral("Page size:\\s+(.*)"))
                        .match(tool.out)
                        .captured(1)
                        .trimmed();
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// The fonts pdffonts lists that are not embedded, or "none listed" when it lists none.
inline QStringList fontsNotEmbedded(const QString& path) {
    const Tool tool = pdfTool(QStringLiteral("pdffonts"), {path});
    QStringList lines = tool.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!tool.ran || lines.size() < 3)
        return {QStringLiteral("none listed")};
    QStringList missing;
    // Columns end in "emb sub uni object ID": emb is the fifth from the right.
    for (const QString& line : lines.mid(2)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() < 7 || columns.at(columns.size() - 5) != QLatin1String("yes"))
            missing << line;
    }
    return missing;
}
