#pragma once

#include <QString>

// The application's version and build number, fixed by the build.
namespace AppInformation {

// The version, as "1.2".
QString appVersion();
// The build number, as "34".
QString appBuildNumber();
// The version, a full stop and the build number ("1.2.34"), as the About window,
// the sidebar footer and the generator header show it.
QString versionLine();
// The same line for any version and build number, as in "1.2" and "34" to "1.2.34".
QString versionLine(const QString &version, const QString &buildNumber);

} // namespace AppInformation
