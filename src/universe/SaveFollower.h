#pragma once

#include "SaveState.h"

#include <QMetaObject>
#include <QPointer>

#include <functional>

class QObject;
class StarfarerUniverse;

// Follows, for a view that saved a change, the writes that hold that change to their
// end: every outcome of a write holding the view's save request is told, a failure
// and the automatic retries after it included, until one is clean. Following another
// request, or the follower's end, stops the last one.
class SaveFollower
{
public:
    using Told = std::function<void(const SaveState &outcome)>;

    SaveFollower() = default;
    ~SaveFollower();
    SaveFollower(const SaveFollower &) = delete;
    SaveFollower &operator=(const SaveFollower &) = delete;

    // Tells `told`, in `context`, each outcome of `universe` that settles `request`.
    void follow(StarfarerUniverse *universe, quint64 request, QObject *context, Told told);
    void stop();
    bool following() const { return bool(m_watch); }

private:
    QMetaObject::Connection m_watch;
};
