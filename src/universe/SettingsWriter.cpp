#include "SettingsWriter.h"

#include <QMutexLocker>

SettingsWriter::SettingsWriter(QString fileName, QSettings::Format format)
    : m_fileName(std::move(fileName)), m_format(format)
{}

void SettingsWriter::set(const QString &key, const QVariant &value)
{
    {
        QMutexLocker lock(&m_mutex);
        m_pending.insert(key, value);
    }
    m_writes.run([this] { writePending(); });
}

void SettingsWriter::writePending()
{
    QMap<QString, QVariant> values;
    {
        QMutexLocker lock(&m_mutex);
        values.swap(m_pending);
    }
    if (values.isEmpty())
        return;
    // Settings of their own on the same file: those of the GUI thread are only read,
    // at start-up.
    QSettings settings(m_fileName, m_format);
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (value->isValid())
            settings.setValue(value.key(), *value);
        else
            settings.remove(value.key());
    }
    settings.sync();
}
