// Reads a style sheet (usually an embedded resource) as text.
#pragma once

#include <QString>

// Empty text, and the debug line "QSS File Open Failed!", when the file cannot be read.
QString loadStyleSheet(const QString& path);
