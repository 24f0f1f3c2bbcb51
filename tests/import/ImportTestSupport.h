#pragma once

// What the import tests share: the synthetic answers of the service, read from the
// test data folder, a request as the form sends it, and a faction of an allegiance.

#include "import/ImportConversion.h"
#include "universe/Faction.h"

#include <QFile>

#include <gtest/gtest.h>

namespace import_test {

inline QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(VOSTREL_TEST_DATA_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

inline TravellerMapImporter::ImportRequest request(const QString &sectorName)
{
    TravellerMapImporter::ImportRequest request;
    request.sectorName = sectorName;
    request.milieu = QStringLiteral("M1105");
    return request;
}

inline Faction faction(const QString &name, const QString &code)
{
    Faction f;
    f.id = QUuid::createUuid();
    f.name = name;
    f.shortName = code;
    return f;
}

} // namespace import_test
