#include "AppInformation.h"

#include "AppInformationData.h"

// Both strings come from the build; an empty one is a build mistake, caught here
// rather than shown as a blank version at run time.
static_assert(sizeof(VOSTREL_VERSION_STRING) > 1, "the project version must not be empty");
static_assert(sizeof(VOSTREL_BUILD_NUMBER_STRING) > 1, "the build number must not be empty");

namespace AppInformation {

QString appVersion()
{
    return QStringLiteral(VOSTREL_VERSION_STRING);
}

QString appBuildNumber()
{
    return QStringLiteral(VOSTREL_BUILD_NUMBER_STRING);
}

QString versionLine()
{
    return versionLine(appVersion(), appBuildNumber());
}

QString versionLine(const QString &version, const QString &buildNumber)
{
    return version + QLatin1Char('.') + buildNumber;
}

} // namespace AppInformation
