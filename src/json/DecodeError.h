#pragma once

#include <QString>

#include <exception>

// A stored document that cannot be read: the key path where reading stopped
// ("data[3].starSystem.stars[0].orbit") and what was wrong there. The document load
// catches it once, so no partial document is ever produced.
class DecodeError : public std::exception
{
public:
    DecodeError(QString path, QString message);

    const QString &path() const { return m_path; }
    const QString &message() const { return m_message; }
    // "path: message", or the message alone at the top level.
    QString text() const;
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_path;
    QString m_message;
    QByteArray m_utf8;
};

// A value that cannot be written faithfully (a number that is not finite): the
// save fails instead of writing a file that could not be read back.
class EncodeError : public std::exception
{
public:
    explicit EncodeError(QString message);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
