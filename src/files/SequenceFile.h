#pragma once

#include "SafeSave.h"
#include "clock/CountdownSequence.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

// The countdown sequence's file, kept beside its launch data file: NAME.tvseq for NAME.trv. UTF-8 comma-separated
// values, so that a spreadsheet can write one: the header line t,kind,length,name (in any case), then one
// milestone a line, in any order, such as
//     T - 00:20:00,hold,0:10:00,Built-in hold
//     T - 00:04:00,callout,,Go/No-Go poll
// Lines end in CR LF or LF; a byte-order mark, blank lines and empty fields after the fourth are let pass.
namespace SequenceFile {

constexpr qsizetype LongestLine = 1024; // bytes, without the line end
constexpr qsizetype MostBytes = 2 * 1024 * 1024;
inline const QString Header = QStringLiteral("t,kind,length,name");

// The sequence file that belongs to a launch data file: NAME.tvseq in the same folder for NAME.trv (in any case);
// any other name gets .tvseq added.
QString pathFor(const QString& launchDataPath);

// A sequence from the bytes of a file, or what is wrong with the first line that cannot be used, in words that
// name the line (the sequence is then empty).
struct Parsed
{
    CountdownSequence sequence;
    QString problem;
    qsizetype badLine = 0; // from 1
};
Parsed parse(QByteArrayView bytes);

// The file's bytes: the header, then the milestones in T order, CR LF after each line; a byte-order mark first
// when a name holds more than ASCII, so that spreadsheets read the file as UTF-8.
QByteArray encode(const CountdownSequence& sequence);

struct Read
{
    CountdownSequence sequence;
    // Why the file was refused, as a message naming the file and its first bad line; empty when the sequence
    // was read, or when there is no file (an empty sequence).
    QString problem;
    // Something stood at the path: an empty sequence is written as a header-only file over it, and one that was
    // refused is replaced only after asking.
    bool found = false;
    // The file's real path once it was read, for the files a save may reach through a link.
    QString realPath;
};
Read readFile(const QString& path);

// Writes the sequence to path through SafeSave, refusing a link to a file that is not among knownFiles. An empty
// sequence where no file stands (a link that leads nowhere included) writes nothing and succeeds.
SafeSave::Written writeFile(const QString& path, const CountdownSequence& sequence, const QSet<QString>& knownFiles);

// "Tarvane could not save the countdown sequence PATH.  REASON", and whether anything was written.
QString cannotSaveMessage(const QString& path, const SafeSave::Written& written);

} // namespace SequenceFile
