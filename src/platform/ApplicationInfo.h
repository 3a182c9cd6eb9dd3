#pragma once

#include <QString>

namespace ApplicationInfo { inline const QString Name = QStringLiteral("Tarvane"); }
