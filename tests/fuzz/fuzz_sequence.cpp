// Feeds arbitrary bytes to the countdown sequence reader. Besides crashes and sanitizer reports it checks that
// a refusal always names a line and leaves no milestone behind, that every sequence read keeps the sequence's
// rules, and that it is written out to bytes that read back to the same sequence.
#include "files/SequenceFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "%s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SequenceFile::Parsed parsed = SequenceFile::parse(bytes);
    if (!parsed.problem.isEmpty()) {
        if (parsed.badLine < 1 || !parsed.sequence.isEmpty() ||
            !parsed.problem.startsWith(QStringLiteral("Line %1 cannot be used.  ").arg(parsed.badLine)))
            fail("a refusal that names no line or keeps milestones:", parsed.problem);
        return 0;
    }
    if (parsed.badLine != 0)
        fail("a bad line without a problem");

    const CountdownSequence& read = parsed.sequence;
    if (read.size() > CountdownSequence::MostMilestones)
        fail("too many milestones");
    for (qsizetype i = 0; i < read.size(); ++i) {
        if (const SequenceProblem problem = read.at(i).problem(); !problem.isNone())
            fail("a milestone read that breaks a rule:", problem.text);
        if (i > 0 && read.at(i - 1).time >= read.at(i).time)
            fail("milestones out of T order");
    }

    const QByteArray written = SequenceFile::encode(read);
    const SequenceFile::Parsed again = SequenceFile::parse(written);
    if (!again.problem.isEmpty() || !(again.sequence == read))
        fail("a sequence written does not read back:", again.problem);
    if (SequenceFile::encode(again.sequence) != written)
        fail("a sequence is written two ways");
    return 0;
}
