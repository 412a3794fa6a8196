#pragma once
// A sketch (or any file) written into a temporary folder for a workbench test.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The path of `name` in `dir`, holding `bytes`; empty when it could not be written.
inline QString write_test_file(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}
