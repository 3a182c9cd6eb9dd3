#pragma once

#include "LaunchFileOptions.h"

#include <QObject>
#include <QString>

// The three file names of the launch data files: the current file (shown in the status bar), the open name
// (the Open dialog's preset) and the save name (where Save writes). They change only through the load and
// save routines.
class LaunchFileNames final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchFileNames)

public:
    explicit LaunchFileNames(QObject* parent = nullptr) : QObject(parent) {}

    QString currentFileName() const { return m_current; }
    void setCurrentFileName(const QString& name);
    QString openName() const { return m_open; }
    void setOpenName(const QString& name) { m_open = name; }
    QString saveName() const { return m_save; }
    void setSaveName(const QString& name) { m_save = name; }

signals:
    void currentFileNameChanged(const QString& name);

private:
    QString m_current;
    QString m_open;
    QString m_save = LaunchFileOptions::DefaultFileName; // in the Save As dialog's initial folder
};
