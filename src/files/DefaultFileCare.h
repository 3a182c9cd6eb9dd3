#pragma once

#include <QDateTime>
#include <QString>

struct LaunchFileOptions;

// Quiet upkeep of the default folder at start-up, before the default file is read.
namespace DefaultFileCare {

// Moves launch.trv from the folder earlier versions used when the default folder has none yet.
void moveFromFormerFolder(const LaunchFileOptions& options);

// Removes what an interrupted save may have left next to the default file: files named like it plus a dot and
// six characters, last changed before notAfter, that read as launch records. Nothing else is touched.
void removeLeftovers(const QString& defaultFile, const QDateTime& notAfter);

} // namespace DefaultFileCare
