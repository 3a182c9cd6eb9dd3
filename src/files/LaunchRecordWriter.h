#pragma once

#include "LaunchRecord.h"
#include "SafeSave.h"

#include <QByteArray>

// Writes launch data files: one line of 13 comma-separated fields ending in CR LF, texts in double quotes,
// numbers bare, truth values as #TRUE# or #FALSE#. Values the system writes are ASCII; paths go out as UTF-8.
namespace LaunchRecordWriter {

// The bytes of the record, or the reason in words why the record cannot be written.
struct Encoded
{
    QByteArray bytes;
    QString problem;
};

// The record format has no escapes, so a value holding a double quote or a line break is refused.
Encoded encode(const LaunchRecord& record);

// How a write ended: an empty problem means the file now holds the record.
using Written = SafeSave::Written;

// Encodes and writes the record through a temporary file that replaces path only once it is complete, so a
// failure leaves the old file whole. The file is read back after the replacement and compared with the record.
Written writeFile(const QString& path, const LaunchRecord& record);

} // namespace LaunchRecordWriter
