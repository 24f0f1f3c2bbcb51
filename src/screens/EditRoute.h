#pragma once

#include "model/HexData.h"

#include <QMetaType>

// The request, pushed on the system list's navigation stack, to edit one hex: equal
// and hashed as the hex it carries, every field included.
struct EditRoute
{
    HexData hex;

    friend bool operator==(const EditRoute &, const EditRoute &) = default;
};

inline size_t qHash(const EditRoute &route, size_t seed = 0)
{
    return qHash(route.hex, seed);
}

Q_DECLARE_METATYPE(EditRoute)
