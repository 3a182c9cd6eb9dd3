#pragma once

#include "LaunchRecord.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <optional>

// Reads launch data files. The whole record is read and checked before anyone applies it, so a file that
// cannot be used changes nothing.
namespace LaunchRecordReader {

constexpr qint64 MaxFileSize = 64 * 1024;

// A record, or the reason in words why there is none.
struct Result
{
    std::optional<LaunchRecord> record;
    QString problem;
};

// UTF-8, or Windows-1252 for bytes that are not valid UTF-8 (files made on Windows). Nothing when the bytes
// hold control characters other than tab and line ends.
std::optional<QString> decodeText(QByteArrayView bytes);

// Splits text into at most maxFields fields. Spaces and tabs before a field are skipped. A quoted field runs
// to the next double quote, and whatever follows it up to the separator is dropped; a bare field runs to the
// separator without trailing blanks. Commas and line ends (CR LF, LF or CR) both separate fields.
QStringList splitFields(QStringView text, int maxFields = LaunchRecord::FieldCount);

// Decodes, splits and checks one record.
Result parse(QByteArrayView bytes);

// Reads and parses the file at path; the problem covers a missing, unreadable or oversized file too.
Result readFile(const QString& path);

} // namespace LaunchRecordReader
