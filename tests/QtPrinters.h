#pragma once

// Lets GoogleTest print Qt strings and UUIDs readably in failure messages. Included
// into every test file by the build.

#include <QString>
#include <QStringList>
#include <QUuid>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *out << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *out << '}';
}

inline void PrintTo(const QUuid &id, std::ostream *out)
{
    *out << id.toString(QUuid::WithoutBraces).toStdString();
}
