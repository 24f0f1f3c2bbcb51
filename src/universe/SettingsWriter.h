#pragma once

#include "LatestJob.h"

#include <QMap>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>

// Writes values to a settings file off the calling thread. Writing the file ends in
// a flush to disk, which takes up to a second when the disk is busy, so the values
// set are kept until the worker is free and then written together, the latest of
// each: however many were set meanwhile, one write follows the one under way. The
// caller never waits for a write; the writer's end waits for the last.
class SettingsWriter
{
public:
    SettingsWriter(QString fileName, QSettings::Format format);

    // Sets the key to the value, or removes it for no (invalid) value, at the next
    // write.
    void set(const QString &key, const QVariant &value);

private:
    // Writes what is pending; runs on the worker.
    void writePending();

    const QString m_fileName;
    const QSettings::Format m_format;
    QMutex m_mutex;
    QMap<QString, QVariant> m_pending; // guarded by m_mutex
    LatestJob m_writes;                // last: it ends, and waits, before the values go
};
