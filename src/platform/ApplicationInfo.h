#pragma once

#include <QString>

// The program's name, set once as the application name: per-user data lies in a folder of this name, and the
// file commands' message boxes carry it as their title.
namespace ApplicationInfo {
inline const QString Name = QStringLiteral("Tarvane");
} // namespace ApplicationInfo
