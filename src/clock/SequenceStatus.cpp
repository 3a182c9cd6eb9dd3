#include "SequenceStatus.h"

#include "MissionTexts.h"

using namespace Qt::StringLiterals;

QString WindowCheck::text() const
{
    if (!applies)
        return QString();
    return u"The planned holds need "_s % MissionTexts::windowText(static_cast<int>(needed)) % u" and " %
           MissionTexts::windowText(static_cast<int>(left)) % u" of launch window is left";
}
