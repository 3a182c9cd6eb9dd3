#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the program keeps, with every step checked, never more than a limit.
namespace FileBytes {

struct Read
{
    QByteArray bytes;  // at most mostBytes + 1, so that a parser can tell a file that goes on past its limit
    QString problem;   // empty when the bytes are the file's; else a sentence saying why in words
    bool found = true; // false when nothing stands at the path (not even a dead link)
};

Read read(const QString& path, qint64 mostBytes);

} // namespace FileBytes
