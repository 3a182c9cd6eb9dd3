#include "LaunchFileNames.h"

void LaunchFileNames::setCurrentFileName(const QString& name)
{
    if (name == m_current)
        return;
    m_current = name;
    emit currentFileNameChanged(name);
}
