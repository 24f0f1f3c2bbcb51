#include "MainWindow.h"

#include "ControlView.h"
#include "ExternalLinks.h"
#include "MessageBanner.h"
#include "import/RunningImports.h"
#include "ui/PlainText.h"
#include "ui/ScreenFit.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

MainWindow::MainWindow(WindowRouter *router, QWidget *parent)
    : QMainWindow(parent), m_router(router ? router : new WindowRouter(this)),
      m_uwpReference(new QAction(tr("UWP Reference"), this)), m_help(new QAction(tr("Vostrel Help"), this)),
      m_about(new QAction(tr("About Vostrel"), this)), m_quit(new QAction(tr("Quit"), this))
{
    auto *frame = new QWidget(this);
    m_frame = new QVBoxLayout(frame);
    m_frame->setContentsMargins(0, 0, 0, 0);
    m_frame->setSpacing(0);
    m_saveFailure = new MessageBanner(false, frame);
    m_saveFailure->setObjectName(QStringLiteral("saveFailureBanner"));
    m_loadError = new MessageBanner(true, frame);
    m_loadError->setObjectName(QStringLiteral("loadErrorBanner"));
    m_operationFailure = new MessageBanner(true, frame);
    m_operationFailure->setObjectName(QStringLiteral("operationFailureBanner"));
    m_importOutcome = new MessageBanner(true, frame);
    m_importOutcome->setObjectName(QStringLiteral("importOutcomeBanner"));
    m_frame->addWidget(m_saveFailure);
    m_frame->addWidget(m_loadError);
    m_frame->addWidget(m_operationFailure);
    m_frame->addWidget(m_importOutcome);
    m_imports = new TravellerMapImporter::RunningImports(this);
    connect(m_imports, &TravellerMapImporter::RunningImports::outcomeUnseen, m_importOutcome,
            [this](const TravellerMapImporter::ImportOutcome &outcome) {
                const bool applied = outcome.kind == TravellerMapImporter::ImportOutcome::Kind::applied;
                m_importOutcome->setTone(applied ? MessageBanner::Tone::information
                                                 : MessageBanner::Tone::warning);
                m_importOutcome->showMessage(outcome.summary());
            });
    setCentralWidget(frame);

    refreshTitle();
    auto *placeholder = new QLabel(QStringLiteral("Vostrel"));
    placeholder->setAlignment(Qt::AlignCenter);
    setContent(placeholder);
    resize(sizeWithinScreen(QSize(1200, 800), screen()->availableGeometry()));
    buildMenus();
}

void MainWindow::setContent(QWidget *content)
{
    if (m_content) {
        m_frame->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = content;
    if (m_content) {
        m_frame->addWidget(m_content, 1);
        // Shown now rather than at the next turn of the event loop.
        m_content->show();
    }
}

ControlView *MainWindow::controlView() const
{
    return qobject_cast<ControlView *>(m_content);
}

void MainWindow::setUniverseManager(UniverseManager *manager)
{
    if (m_manager)
        m_manager->disconnect(this);
    m_manager = manager;
    if (!m_manager)
        return;
    connect(m_manager, &UniverseManager::currentChanged, this, &MainWindow::showCurrentUniverse);
    connect(m_manager, &UniverseManager::loadErrorChanged, this, &MainWindow::showLoadError);
    // Shown again even when the same file failed before and was dismissed.
    connect(m_manager, &UniverseManager::openFailed, this, &MainWindow::showLoadError);
    connect(m_manager, &UniverseManager::operationFailed, m_operationFailure, &MessageBanner::showMessage);
    connect(m_manager, &UniverseManager::quitReady, this, &MainWindow::closeForGood);
    // A quit that ends without quitReady() (the user stayed, or what it followed
    // failed) closes nothing.
    connect(m_manager, &UniverseManager::quittingChanged, this, [this] {
        if (!m_manager->quitting())
            m_closing.reset();
    });
    m_manager->setLeaveUnsavedQuestion([window = QPointer<MainWindow>(this)](StarfarerUniverse &universe,
                                                                             UniverseManager::Leaving leaving,
                                                                             UniverseManager::Answer answer) {
        if (!window)
            return answer(true);
        window->askToLeaveUnsaved(universe, leaving, std::move(answer));
    });
    if (m_manager->current())
        showCurrentUniverse();
    showLoadError();
}

// A new ControlView for the universe that is now open, following that document's
// name and the outcome of its saves.
void MainWindow::showCurrentUniverse()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_documentConnections))
        disconnect(connection);
    m_documentConnections.clear();

    StarfarerUniverse *universe = m_manager ? m_manager->current() : nullptr;
    if (universe) {
        m_documentConnections = {
            connect(universe, &StarfarerUniverse::nameChanged, this, &MainWindow::refreshTitle),
            connect(universe, &StarfarerUniverse::saveStateChanged, this,
                    [this, universe] { showSaveState(universe->saveState()); }),
            connect(universe, &StarfarerUniverse::externalChangeKept, this, &MainWindow::showExternalChange),
        };
        setContent(new ControlView(m_manager, m_router, m_imports));
    }
    refreshTitle();
}

void MainWindow::refreshTitle()
{
    const StarfarerUniverse *universe = m_manager ? m_manager->current() : nullptr;
    const QString product = QStringLiteral("Vostrel");
    // A window manager cuts a long title; it need not be handed a megabyte of it.
    setWindowTitle(universe ? quotedName(universe->name()) + QStringLiteral(" \u2014 ") + product : product);
}

void MainWindow::showLoadError()
{
    if (!m_manager)
        return;
    if (const auto &error = m_manager->loadError()) {
        const QString file = m_manager->loadErrorFile();
        m_loadError->showMessage(
            file.isEmpty() ? *error : *error + QLatin1Char('\n') + QDir::toNativeSeparators(file));
    } else
        m_loadError->clearMessage();
}

// A failure stays shown while the next write runs.
void MainWindow::showSaveState(const SaveState &state)
{
    if (state.kind == SaveState::Kind::failed)
        m_saveFailure->showMessage(state.message);
    else if (state.kind == SaveState::Kind::clean)
        m_saveFailure->clearMessage();
}

void MainWindow::showExternalChange(const QString &keptPath)
{
    const StarfarerUniverse *universe = m_manager ? m_manager->current() : nullptr;
    if (!universe)
        return;
    m_operationFailure->showMessage(
        tr("Another program changed the file of “%1”. Its version is kept in %2; this universe stays in %3.")
            .arg(universe->name(), QDir::toNativeSeparators(keptPath),
                 QDir::toNativeSeparators(universe->filePath())));
}

void MainWindow::buildMenus()
{
    m_uwpReference->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    m_uwpReference->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_uwpReference, &QAction::triggered, this,
            [this] { m_router->openWindow(WindowId::uwpReference); });
    // The shortcut must also work while only auxiliary windows are on screen.
    addAction(m_uwpReference);
    m_router->addSharedAction(m_uwpReference);

    connect(m_help, &QAction::triggered, this, [this] { ExternalLinks::openHelpGuide(this); });

    // The platform's key for quitting; where it has none (Windows), the usual Ctrl+Q.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (quitKeys.isEmpty())
        quitKeys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    m_quit->setShortcuts(quitKeys);
    m_quit->setMenuRole(QAction::QuitRole);
    connect(m_quit, &QAction::triggered, this, &MainWindow::quit);

    m_about->setMenuRole(QAction::AboutRole);
    connect(m_about, &QAction::triggered, this, [this] { m_router->openWindow(WindowId::about); });

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(m_quit);

    QMenu *windowMenu = menuBar()->addMenu(tr("&Window"));
    windowMenu->addAction(m_uwpReference);

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(m_help);
    helpMenu->addSeparator();
    helpMenu->addAction(m_about);
}

void MainWindow::quit()
{
    leave(Closing::everyWindow);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window stays until the store has nothing left to write; when it has nothing
    // now, this very event closes it.
    if (!m_closingConfirmed) {
        m_inCloseEvent = true;
        leave(m_closing.value_or(Closing::thisWindow));
        m_inCloseEvent = false;
    }
    event->setAccepted(std::exchange(m_closingConfirmed, false));
}

void MainWindow::leave(Closing closing)
{
    // Quitting wins over closing this window alone.
    m_closing = m_closing == Closing::everyWindow ? Closing::everyWindow : closing;
    if (m_manager)
        m_manager->prepareToQuit();
    else
        closeForGood();
}

void MainWindow::closeForGood()
{
    if (!m_closing)
        return;
    const Closing closing = *std::exchange(m_closing, std::nullopt);
    m_closingConfirmed = true;
    if (closing == Closing::everyWindow)
        QApplication::closeAllWindows(); // the program ends with the last one
    else if (!m_inCloseEvent)
        close();
    // Inside a close event this window's own close is that event's.
    if (!m_inCloseEvent)
        m_closingConfirmed = false;
}

void MainWindow::askToLeaveUnsaved(const StarfarerUniverse &universe, UniverseManager::Leaving leaving,
                                   UniverseManager::Answer answer)
{
    const bool quitting = leaving == UniverseManager::Leaving::quitting;
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Vostrel"), QString(), QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("unsavedChangesAlert"));
    box->setWindowModality(Qt::WindowModal);
    setPlainTexts(*box, tr("The latest changes to “%1” couldn’t be saved.").arg(quotedName(universe.name())),
                  universe.lastOutcome().message + QStringLiteral("\n\n") +
                      (quitting ? tr("If you quit now, those changes are lost.")
                                : tr("If you switch now, those changes are lost.")));
    QPushButton *leaveButton =
        box->addButton(quitting ? tr("Quit Anyway") : tr("Switch Anyway"), QMessageBox::DestructiveRole);
    QPushButton *stay = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(stay);
    box->setEscapeButton(stay);
    // Not exec(): nothing runs inside a nested event loop while the store waits for
    // the answer.
    connect(box, &QDialog::finished, this,
            [box, leaveButton, answer = std::move(answer)] { answer(box->clickedButton() == leaveButton); });
    box->open();
}
