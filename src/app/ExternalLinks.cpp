#include "ExternalLinks.h"

#include "ui/PlainText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The maker's web site: the single copy of the address.
constexpr auto kMakerWebsite = "https://dulvane.com/";

void tellFailure(QWidget *parent, const QString &text)
{
    // Not modal to the application: the user can keep working while it is shown.
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::translate("ExternalLinks", "Vostrel"),
                                QString(), QMessageBox::Ok, parent);
    setPlainTexts(*box, text); // a path may hold anything
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

ExternalLinks::UrlOpener &installedOpener()
{
    static ExternalLinks::UrlOpener opener;
    return opener;
}

} // namespace

namespace ExternalLinks {

QString makerName()
{
    return QStringLiteral("Dulvane");
}

QString authorName()
{
    return QStringLiteral("Vostrel contributors");
}

QUrl makerWebsite()
{
    return QUrl(QLatin1StringView(kMakerWebsite));
}

QString helpGuidePath(const QString &applicationDirectory)
{
    return QDir(applicationDirectory).filePath(QStringLiteral("help/index.html"));
}

QUrl helpGuideUrl()
{
    return QUrl::fromLocalFile(helpGuidePath(QCoreApplication::applicationDirPath()));
}

bool openUrl(const QUrl &url)
{
    if (const UrlOpener &opener = installedOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

PageOutcome openLocalPage(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return PageOutcome::missing;
    return openUrl(QUrl::fromLocalFile(path)) ? PageOutcome::opened : PageOutcome::noProgram;
}

bool openHelpGuide(QWidget *parent)
{
    const QString path = helpGuidePath(QCoreApplication::applicationDirPath());
    const PageOutcome outcome = openLocalPage(path);
    if (outcome == PageOutcome::opened)
        return true;
    // The message says why, so that the user knows whether to reinstall or to set up
    // a browser.
    const char *text =
        outcome == PageOutcome::missing
            ? QT_TRANSLATE_NOOP("ExternalLinks",
                                "Vostrel couldn’t open its user guide: there is no file at “%1”.")
            : QT_TRANSLATE_NOOP("ExternalLinks",
                                "Vostrel couldn’t open its user guide “%1”: no program on this "
                                "computer is set up to open web pages.");
    tellFailure(parent,
                QCoreApplication::translate("ExternalLinks", text).arg(QDir::toNativeSeparators(path)));
    return false;
}

bool openMakerWebsite(QWidget *parent)
{
    if (openUrl(makerWebsite()))
        return true;
    tellFailure(parent, QCoreApplication::translate("ExternalLinks", "Vostrel couldn’t open “%1”.")
                            .arg(makerWebsite().toString()));
    return false;
}

ScopedUrlOpener::ScopedUrlOpener(UrlOpener opener)
    : m_previous(std::exchange(installedOpener(), std::move(opener)))
{}

ScopedUrlOpener::~ScopedUrlOpener()
{
    installedOpener() = std::move(m_previous);
}

} // namespace ExternalLinks
