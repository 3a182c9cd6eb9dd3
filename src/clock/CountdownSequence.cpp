#include "CountdownSequence.h"

#include "MissionTexts.h"

#include <algorithm>

using namespace Qt::StringLiterals;

qsizetype CountdownSequence::placeOf(qint32 time) const
{
    const auto at = std::lower_bound(m_milestones.cbegin(), m_milestones.cend(), time,
                                     [](const Milestone& m, qint32 t) { return m.time < t; });
    return at - m_milestones.cbegin();
}

qsizetype CountdownSequence::indexOf(qint32 time) const
{
    const qsizetype place = placeOf(time);
    return place < size() && m_milestones[place].time == time ? place : -1;
}

SequenceProblem CountdownSequence::problemWith(const Milestone& milestone, qsizetype replacing) const
{
    if (replacing >= size())
        return {SequenceProblem::Entry::None, u"The milestone to change is no longer in the sequence."_s};
    if (replacing < 0 && size() >= MostMilestones) {
        return {SequenceProblem::Entry::None,
                u"The sequence already holds 1,000 milestones, as many as it can hold."_s};
    }
    if (SequenceProblem problem = milestone.problem(); !problem.isNone())
        return problem;
    if (const qsizetype same = indexOf(milestone.time); same >= 0 && same != replacing) {
        return {SequenceProblem::Entry::TTime, u"There is already a milestone at "_s %
                                                   Milestone::timeText(milestone.time) % u": " %
                                                   MissionTexts::quoted(m_milestones[same].name) % u'.'};
    }
    return {};
}

SequenceProblem CountdownSequence::add(const Milestone& milestone)
{
    SequenceProblem problem = problemWith(milestone);
    if (problem.isNone())
        m_milestones.insert(placeOf(milestone.time), milestone);
    return problem;
}

SequenceProblem CountdownSequence::replace(qsizetype index, const Milestone& milestone)
{
    if (index < 0)
        index = size(); // no milestone to replace
    SequenceProblem problem = problemWith(milestone, index);
    if (problem.isNone()) {
        m_milestones.removeAt(index);
        m_milestones.insert(placeOf(milestone.time), milestone);
    }
    return problem;
}

bool CountdownSequence::remove(qsizetype index)
{
    if (index < 0 || index >= size())
        return false;
    m_milestones.removeAt(index);
    return true;
}
