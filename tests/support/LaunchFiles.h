#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Launch data files as tests write and read them, byte for byte.
namespace LaunchFiles {

// Fields 1 to 11 of a record holding the window's initial values, and of one that differs in every field the
// window shows; each ends with the comma before field 12.
inline const QByteArray InitialFields =
    R"("May 3, 2001   10:30:00 AM","May 3, 2001",0,#FALSE#,"00:00:00","00","30","10","00","00","00",)";
inline const QByteArray OtherFields =
    R"("June 1, 2002   2:05:00 PM","Jun 1, 2002",1,#TRUE#,"1:30:00","07","05","14","09","08","01",)";

// The whole record: fields, the save name and the current file, and the line's end.
inline QByteArray record(const QString& saveName, const QString& currentFile, const QByteArray& fields = InitialFields)
{
    return fields + '"' + saveName.toUtf8() + "\",\"" + currentFile.toUtf8() + "\"\r\n";
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace LaunchFiles
