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

} // namespace AppInformation
