#include "LaunchRecord.h"

#include <array>

using namespace Qt::StringLiterals;

QString LaunchRecord::fieldName(int number)
{
    static const std::array<QString, FieldCount> names = {
        u"the launch target"_s,      u"the launch date"_s,    u"launch window active"_s, u"holds armed"_s,
        u"the launch window left"_s, u"the launch second"_s,  u"the launch minute"_s,    u"the launch hour"_s,
        u"the window seconds"_s,     u"the window minutes"_s, u"the window hours"_s,     u"the save name"_s,
        u"the previous file name"_s};
    if (number < 1 || number > FieldCount)
        return u"field %1"_s.arg(number);
    return u"field %1 (%2)"_s.arg(number).arg(names[size_t(number - 1)]);
}

bool LaunchRecord::canHold(const QString& text)
{
    return !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n');
}
