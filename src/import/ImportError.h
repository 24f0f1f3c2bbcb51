#pragma once

#include <QByteArray>
#include <QException>
#include <QString>

namespace TravellerMapImporter {

// Why an import could not fetch what it needs, with the message the user is shown.
// Only the requests and the start of an import raise it; the readers never fail. It
// is a QException so that it can cross from a worker thread through a QFuture.
class ImportError : public QException
{
public:
    enum class Kind { sectorNotFound, httpStatus, network, emptySectorName, badResponse };

    static ImportError sectorNotFound(const QString &name);
    static ImportError httpStatus(int status);
    static ImportError network(const QString &description);
    static ImportError emptySectorName();
    static ImportError badResponse();

    Kind kind() const { return m_kind; }
    // The sector name of sectorNotFound, the platform's text of network.
    const QString &detail() const { return m_detail; }
    // The HTTP status of httpStatus.
    int status() const { return m_status; }

    QString errorDescription() const;
    const char *what() const noexcept override { return m_utf8.constData(); }

    void raise() const override { throw *this; }
    ImportError *clone() const override { return new ImportError(*this); }

private:
    ImportError(Kind kind, QString detail, int status);

    Kind m_kind;
    QString m_detail;
    int m_status;
    QByteArray m_utf8;
};

} // namespace TravellerMapImporter
