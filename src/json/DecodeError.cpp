#include "DecodeError.h"

DecodeError::DecodeError(QString path, QString message)
    : m_path(std::move(path)), m_message(std::move(message)), m_utf8(text().toUtf8())
{
}

QString DecodeError::text() const
{
    if (m_path.isEmpty())
        return m_message;
    return m_path + QStringLiteral(": ") + m_message;
}

EncodeError::EncodeError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}
