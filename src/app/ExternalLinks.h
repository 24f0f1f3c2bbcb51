#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// The one place that holds the maker's names and the addresses the program opens:
// the maker's web site and the user guide that ships with the program. Every link
// is opened through openUrl(), which tests can intercept with ScopedUrlOpener.
namespace ExternalLinks {

// The maker, as the About window credits it.
QString makerName();
// The author, named in the About window's copyright and credit lines.
QString authorName();
// The maker's web site.
QUrl makerWebsite();

// Where the user guide lives: "help/index.html" next to the executable, so that it
// works offline and moves with the program.
QString helpGuidePath(const QString &applicationDirectory);
// The guide of this run's executable, as a local file address.
QUrl helpGuideUrl();

// Opens `url` in the user's browser (or the program the desktop uses for it).
// False when the desktop could not open it.
bool openUrl(const QUrl &url);
enum class PageOutcome { opened, missing, noProgram };
// Opens a page that must exist on disk: `missing`, without asking the desktop, when
// it is not a file; `noProgram` when the desktop found nothing to open it with.
PageOutcome openLocalPage(const QString &path);

// Opens the user guide, or the maker's web site; when that fails, tells the user in
// a message over `parent` (which must be a live widget) and returns false.
bool openHelpGuide(QWidget *parent);
bool openMakerWebsite(QWidget *parent);

using UrlOpener = std::function<bool(const QUrl &)>;

// Replaces the desktop as the opener of links while it lives; tests use it to see
// which address the program asked for.
class ScopedUrlOpener
{
public:
    explicit ScopedUrlOpener(UrlOpener opener);
    ~ScopedUrlOpener();
    ScopedUrlOpener(const ScopedUrlOpener &) = delete;
    ScopedUrlOpener &operator=(const ScopedUrlOpener &) = delete;

private:
    UrlOpener m_previous;
};

} // namespace ExternalLinks
