#pragma once

#include <QString>

// What is wrong with a milestone or with a change to the countdown sequence, in words for a message box, and the
// entry it is about, so that the sequence window can put the focus there. No text means nothing is wrong.
struct SequenceProblem
{
    enum class Entry
    {
        None, // the sequence as a whole, such as one that is full
        TTime,
        Name,
        Kind,
        Length
    };

    Entry entry = Entry::None;
    QString text;

    bool isNone() const { return text.isEmpty(); }
    bool operator==(const SequenceProblem&) const = default;
};
