#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// How every file of the program is saved: through a temporary file that replaces the old one only once it is
// complete, with every step checked and the file read back after the replacement.
namespace SafeSave {

// How a write ended: an empty problem means the file now holds the bytes.
struct Written
{
    QString problem;
    bool replaced = false; // the old file was replaced all the same, by something else than the bytes
};

// Writes bytes to path. A failure leaves the old file whole and says why in words, the system's reason included.
Written writeFile(const QString& path, const QByteArray& bytes);

// A save never goes through a link, except to a file whose real path is among knownFiles (those read or written
// in this run).
bool isForeignLink(const QString& path, const QSet<QString>& knownFiles);

} // namespace SafeSave
