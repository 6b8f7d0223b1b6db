// The PDF report of a calibration or test: A4 portrait, the header, the verdict, the table of
// maximum INL against the target, and the result views' charts two to a page.
#pragma once

#include <QByteArray>
#include <QString>

struct ReportInput;

class ReportWriter {
public:
    // The document's bytes. The charts are widgets: call on the user-interface thread.
    static QByteArray render(const ReportInput& input, int* pageCount = nullptr);
    // Renders and writes the file whole or not at all: an existing file is replaced only by a
    // complete new one.
    static bool write(const ReportInput& input, const QString& path, QString* error,
                      int* pageCount = nullptr);
    // Writes bytes rendered before; safe on any thread.
    static bool save(const QByteArray& pdf, const QString& path, QString* error);

    // Pages the report of this input has: the first, then the charts two to a page.
    static int pages(const ReportInput& input);
    // The maximum INL as the result views print it.
    static QString inlText(float value);
};
