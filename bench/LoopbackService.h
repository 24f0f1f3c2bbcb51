#pragma once

#include <QByteArray>
#include <QHash>
#include <QThread>
#include <QUrl>

#include <future>

// The Traveller Map service played on 127.0.0.1 from a thread of its own, so that a
// benchmark waiting on the calling thread does not hold it up: each request is
// answered with the body given for its path (the query left out), or an empty one.
class LoopbackService : public QThread
{
public:
    explicit LoopbackService(QHash<QByteArray, QByteArray> answers);
    ~LoopbackService() override;

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port)); }
    QByteArray answer(const QByteArray &path) const { return m_answers.value(path); }

protected:
    void run() override;

private:
    const QHash<QByteArray, QByteArray> m_answers;
    std::promise<quint16> m_portPromise;
    quint16 m_port = 0;
};
