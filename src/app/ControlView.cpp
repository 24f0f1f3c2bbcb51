#include "ControlView.h"

#include "SidebarList.h"
#include "UniverseAlertDialog.h"
#include "UniverseMenuButton.h"
#include "ui/AppInformation.h"
#include "ui/ContentUnavailableView.h"
#include "ui/ElidedLabel.h"
#include "ui/NamedColor.h"
#include "ui/PlainText.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"
#include "universe/UniverseChanges.h"
#include "universe/UniverseManager.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kSidebarMinimumWidth = 220;
constexpr int kSidebarWidth = 260;

struct AlertTexts
{
    const char *title;
    const char *message;
    const char *confirm;
};

constexpr AlertTexts kNewUniverseTexts{QT_TRANSLATE_NOOP("ControlView", "New Universe"),
                                       QT_TRANSLATE_NOOP("ControlView", "Create a new, empty universe."),
                                       QT_TRANSLATE_NOOP("ControlView", "Create")};
constexpr AlertTexts kRenameUniverseTexts{QT_TRANSLATE_NOOP("ControlView", "Rename Universe"), "",
                                          QT_TRANSLATE_NOOP("ControlView", "Rename")};
// The message names the universe, so it is made where the alert is shown.
constexpr AlertTexts kDeleteUniverseTexts{QT_TRANSLATE_NOOP("ControlView", "Delete Universe"), "",
                                          QT_TRANSLATE_NOOP("ControlView", "Delete")};

QString translated(const char *text)
{
    return text[0] == '\0' ? QString() : QCoreApplication::translate("ControlView", text);
}

QLabel *colouredLabel(const QString &text, QColor color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

ControlView::ControlView(UniverseManager *manager, WindowRouter *router,
                         TravellerMapImporter::RunningImports *imports, QWidget *parent)
    : QWidget(parent), m_manager(manager), m_universe(manager ? manager->current() : nullptr),
      m_router(router), m_imports(imports)
{
    setObjectName(QStringLiteral("controlView"));
    // Started once the chosen screen has painted: a timer, not a queued call, so that it
    // fires in a later pass of the event loop than the one that painted it.
    m_restartTimer = new QTimer(this);
    m_restartTimer->setSingleShot(true);
    m_restartTimer->setInterval(0);
    connect(m_restartTimer, &QTimer::timeout, this, &ControlView::restartLeftScreens);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(buildSidebar());

    auto *detail = new QWidget(m_splitter);
    detail->setObjectName(QStringLiteral("detailColumn"));
    m_detailLayout = new QVBoxLayout(detail);
    m_detailLayout->setContentsMargins(0, 0, 0, 0);
    m_splitter->addWidget(detail);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kSidebarWidth, 1000});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    if (m_universe) {
        connect(m_universe, &StarfarerUniverse::nameChanged, this, &ControlView::refreshTitle);
        UniverseChanges::onObjects<Faction>(m_universe, this,
                                            [this](const ObjectChange<Faction> &) { refreshSidebar(); });
        // The systems decide only the route row's title, through the rules.
        connect(m_universe, &StarfarerUniverse::usesTravellerRulesChanged, this,
                &ControlView::refreshSidebar);
    }
    connect(m_list, &SidebarList::destinationChosen, this, &ControlView::choose);
    connect(m_list, &SidebarList::groupToggled, this, &ControlView::toggleGroup);
    connect(m_menuButton, &UniverseMenuButton::newRequested, this,
            [this] { showAlert(UniverseAlert::newUniverse); });
    connect(m_menuButton, &UniverseMenuButton::renameRequested, this,
            [this] { showAlert(UniverseAlert::rename); });
    connect(m_menuButton, &UniverseMenuButton::deleteRequested, this,
            [this] { showAlert(UniverseAlert::deleteUniverse); });

    refreshTitle();
    refreshSidebar();
    showDetail();
}

ControlView::~ControlView() = default;

QString ControlView::navigationTitle() const
{
    return m_title->text();
}

QWidget *ControlView::buildSidebar()
{
    auto *sidebar = new QWidget;
    sidebar->setObjectName(QStringLiteral("sidebar"));
    sidebar->setMinimumWidth(kSidebarMinimumWidth);
    auto *layout = new QVBoxLayout(sidebar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // A long name is cut with an ellipsis; the whole name is its tooltip.
    m_title = new ElidedLabel(QString(), sidebar);
    m_title->setObjectName(QStringLiteral("navigationTitle"));
    QFont titleFont = m_title->font();
    titleFont.setPixelSize(17);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    const int padding = sidebar->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    m_title->setContentsMargins(padding, padding, padding, padding / 2);
    layout->addWidget(m_title);

    m_list = new SidebarList(sidebar);
    layout->addWidget(m_list, 1);
    layout->addWidget(buildFooter());
    return sidebar;
}

QWidget *ControlView::buildFooter()
{
    auto *footer = new QFrame;
    footer->setObjectName(QStringLiteral("sidebarFooter"));
    // Everything that sets no font of its own (the menu's label, the version line).
    footer->setFont(displayFont(10));
    footer->setAutoFillBackground(true);
    footer->setBackgroundRole(QPalette::Window);
    auto *layout = new QVBoxLayout(footer);
    layout->setSpacing(0);

    m_menuButton = new UniverseMenuButton(m_manager, m_universe, footer);
    layout->addWidget(m_menuButton);
    layout->addSpacing(15);

    auto *divider = new QFrame(footer);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addSpacing(8);

    auto *maker = new QLabel(tr("By Dulvane"), footer);
    maker->setObjectName(QStringLiteral("makerLine"));
    maker->setFont(displayFont(15));
    layout->addWidget(maker);
    layout->addSpacing(3);

    const QColor smallTitle = namedColor(NamedColor::smallTitle);
    auto *versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    // The word is set back from the number, as far as it stays readable.
    auto *word = colouredLabel(tr("Version"), smallTitle, footer);
    makeSecondary(word);
    word->setObjectName(QStringLiteral("versionWord"));
    auto *number = colouredLabel(QStringLiteral(" ") + AppInformation::versionLine(), smallTitle, footer);
    number->setObjectName(QStringLiteral("versionNumber"));
    versionRow->addWidget(word);
    versionRow->addSpacing(3);
    versionRow->addWidget(number);
    versionRow->addStretch(1);
    layout->addLayout(versionRow);
    return footer;
}

void ControlView::refreshTitle()
{
    m_title->setText(m_universe ? m_universe->name() : QString());
}

void ControlView::refreshSidebar()
{
    if (!m_universe)
        return;
    // Rebuilding the rows keeps the place the user had scrolled to.
    const int scrolled = m_list->verticalScrollBar()->value();
    m_list->rebuild(*m_universe, m_expandedCategories, m_selection);
    m_list->verticalScrollBar()->setValue(scrolled);
}

void ControlView::choose(const std::optional<Destination> &destination)
{
    m_selection = destination;
    showDetail();
}

void ControlView::toggleGroup(FactionCategory category)
{
    if (!m_expandedCategories.remove(category))
        m_expandedCategories.insert(category);
    refreshSidebar();
}

// The detail column changes only when the destination differs from the one its
// screen was made for, so choosing the shown destination again keeps that screen
// with everything typed into it. The screen it leaves goes, unless it is kept: then
// it goes back to the state a new one starts in, its pushed pages and what was typed
// into it gone as if it had been deleted. That happens once the chosen screen is on
// show (resetting a screen can cost more than showing another), or before the left
// screen shows again, whichever comes first.
void ControlView::showDetail()
{
    if (m_detailPage && m_detailDestination == m_selection)
        return;
    if (m_detailPage) {
        m_detailLayout->removeWidget(m_detailPage);
        m_detailPage->hide();
        if (m_detailDestination && DetailPages::isKept(m_detailDestination->kind)) {
            m_leftScreens[std::size_t(m_detailDestination->kind)] = true;
            QCoreApplication::instance()->installEventFilter(this);
        } else {
            m_detailPage->deleteLater();
        }
    }
    if (m_selection)
        restartIfLeft(m_selection->kind);
    QWidget *page = m_selection ? m_keptPages[std::size_t(m_selection->kind)].data() : nullptr;
    if (!page) {
        page = m_selection ? DetailPages::make(*m_selection,
                                               ScreenEnvironment{m_manager, m_universe, m_router, m_imports})
                           : new ContentUnavailableView(tr("Nothing Selected"), Symbol::sidebarLeft,
                                                        tr("Choose an item from the sidebar."));
        if (m_selection && DetailPages::isKept(m_selection->kind))
            m_keptPages[std::size_t(m_selection->kind)] = page;
    }
    m_detailLayout->addWidget(page);
    page->show();
    m_detailPage = page;
    m_detailDestination = m_selection;
}

bool ControlView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_detailPage &&
        (watched == m_detailPage || m_detailPage->isAncestorOf(qobject_cast<QWidget *>(watched)))) {
        QCoreApplication::instance()->removeEventFilter(this);
        m_restartTimer->start();
    }
    return QWidget::eventFilter(watched, event);
}

void ControlView::restartIfLeft(DestinationKind kind)
{
    if (!std::exchange(m_leftScreens[std::size_t(kind)], false))
        return;
    if (QWidget *page = m_keptPages[std::size_t(kind)])
        DetailPages::returnToStart(kind, page);
}

void ControlView::restartLeftScreens()
{
    for (const DestinationKindRow &row : kDestinationKinds)
        restartIfLeft(row.value);
}

void ControlView::showAlert(UniverseAlert alert)
{
    if (m_alertDialog || !m_universe)
        return;
    if (alert == UniverseAlert::newUniverse)
        m_draftName.clear();
    else if (alert == UniverseAlert::rename)
        m_draftName = m_universe->name();
    m_universeAlert = alert;

    const bool deleting = alert == UniverseAlert::deleteUniverse;
    const AlertTexts &texts = alert == UniverseAlert::newUniverse ? kNewUniverseTexts
                              : deleting                          ? kDeleteUniverseTexts
                                                                  : kRenameUniverseTexts;
    const QString message = deleting
                                ? tr("Delete “%1”? This can’t be undone.").arg(quotedName(m_universe->name()))
                                : translated(texts.message);
    auto *dialog = new UniverseAlertDialog(translated(texts.title), message, translated(texts.confirm),
                                           deleting ? std::nullopt : std::optional<QString>(m_draftName),
                                           deleting, this);
    connect(dialog, &UniverseAlertDialog::nameEdited, this,
            [this](const QString &name) { m_draftName = name; });
    connect(dialog, &QDialog::finished, this,
            [this, alert](int result) { finishAlert(alert, result == QDialog::Accepted); });
    dialog->setObjectName(QStringLiteral("universeAlert"));
    dialog->setWindowModality(Qt::WindowModal);
    m_alertDialog = dialog;
    // Not exec(): no nested event loop runs while the store acts on the answer.
    dialog->open();
}

void ControlView::finishAlert(UniverseAlert alert, bool confirmed)
{
    if (m_alertDialog) {
        m_alertDialog->deleteLater();
        m_alertDialog = nullptr;
    }
    // The store acts before the alert counts as dismissed. Creating or deleting may
    // open another universe, which replaces this view once control returns to the
    // event loop.
    if (confirmed && m_manager) {
        if (alert == UniverseAlert::newUniverse)
            m_manager->create(m_draftName);
        else if (alert == UniverseAlert::rename)
            m_manager->renameCurrent(m_draftName);
        else
            deleteOpenUniverse();
    }
    m_universeAlert.reset();
}

// Deletes the file the open universe was listed from: the listed file named after
// its id when there is one, else the first listed file with its id, else the file it
// saves to.
void ControlView::deleteOpenUniverse()
{
    if (!m_universe)
        return;
    const QUuid id = m_universe->id();
    const QString ownFile = m_universe->filePath();
    std::optional<StarfarerUniverse::Header> target;
    for (const StarfarerUniverse::Header &header : m_manager->headers()) {
        if (header.id != id)
            continue;
        if (header.filePath == ownFile) {
            target = header;
            break;
        }
        if (!target)
            target = header;
    }
    if (!target)
        target = StarfarerUniverse::Header{id, m_universe->name(), ownFile};
    m_manager->deleteUniverse(*target);
}
