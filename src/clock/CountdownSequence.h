#pragma once

#include "Milestone.h"
#include "SequenceProblem.h"

#include <QList>

// The countdown sequence: its milestones in T order, at most one at each T-time and at most 1,000 in all. Every
// change is checked first: one that breaks a rule is refused with the reason and leaves the list as it was.
class CountdownSequence
{
public:
    static constexpr qsizetype MostMilestones = 1000;

    const QList<Milestone>& milestones() const { return m_milestones; }
    qsizetype size() const { return m_milestones.size(); }
    bool isEmpty() const { return m_milestones.isEmpty(); }
    const Milestone& at(qsizetype index) const { return m_milestones.at(index); }
    // The place of the milestone at T-time time, or -1 when there is none.
    qsizetype indexOf(qint32 time) const;
    // The first place whose milestone stands at time or later: the number of milestones before time.
    qsizetype placeOf(qint32 time) const;

    // Puts the milestone in its place in T order.
    SequenceProblem add(const Milestone& milestone);
    // Puts milestone in the place of the one at index, then moves it to its own place in T order.
    SequenceProblem replace(qsizetype index, const Milestone& milestone);
    // False, and nothing removed, when there is no milestone at index.
    bool remove(qsizetype index);
    void clear() { m_milestones.clear(); }

    // What add() or replace() would refuse, without changing anything; replacing is -1 for an addition.
    SequenceProblem problemWith(const Milestone& milestone, qsizetype replacing = -1) const;

    bool operator==(const CountdownSequence&) const = default;

private:
    QList<Milestone> m_milestones;
};
