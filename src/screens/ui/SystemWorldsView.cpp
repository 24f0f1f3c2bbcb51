#include "SystemWorldsView.h"

#include "SystemWorldsModel.h"
#include "WorldRowDelegate.h"
#include "WorldRowView.h"
#include "model/NumberFormat.h"
#include "ui/SecondaryText.h"
#include "ui/SymbolButton.h"
#include "ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

constexpr int kListInset = 10;

QLabel *secondaryLabel(QWidget *parent, const char *objectName)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(textFont(TextStyle::body));
    makeSecondary(label);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

} // namespace

SystemWorldsView::SystemWorldsView(const StarSystem &starSystem, double viewWidth, double maxHeight,
                                   bool compact, QWidget *parent)
    : Tile(parent), m_maxHeight(maxHeight), m_compact(compact),
      m_chevron(new SymbolButton(Symbol::chevronForwardCircle, palette().color(QPalette::WindowText), this)),
      m_bodies(secondaryLabel(this, "bodies")), m_summary(secondaryLabel(this, "summary")),
      m_list(new QListView(this)), m_model(new SystemWorldsModel(this))
{
    setContentWidth(viewWidth);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *header = new QHBoxLayout;
    // Not the column's narrow spacing: the header keeps the usual gaps.
    header->setSpacing(qMax(6, style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing)));
    header->setAlignment(Qt::AlignVCenter);
    m_chevron->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0px; }"));
    m_chevron->setObjectName(QStringLiteral("worldsChevron"));
    connect(m_chevron, &QToolButton::clicked, this, [this] { setShowOtherWorlds(!m_showOtherWorlds); });
    auto *title = new QLabel(tr("Worlds:"), this);
    title->setFont(textFont(TextStyle::body, false, true));
    header->addWidget(m_chevron);
    header->addWidget(title);
    header->addWidget(m_bodies);
    header->addWidget(m_summary);
    header->addStretch(1);
    column->addLayout(header);

    // A list view with a painted row per body, so that a system with many bodies costs
    // no more than its visible rows; the bars are hidden, the wheel still scrolls.
    m_list->setModel(m_model);
    m_list->setItemDelegate(new WorldRowDelegate(m_list));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSpacing(0);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setStyleSheet(QStringLiteral("QListView { background: transparent; }"));
    m_list->setFixedWidth(static_cast<int>(std::lround(std::max(0.0, viewWidth - kListInset))));
    m_list->setObjectName(QStringLiteral("worldsList"));
    m_list->setVisible(false);
    column->addWidget(m_list);

    setStarSystem(starSystem);
    updateChevron();
}

void SystemWorldsView::setStarSystem(const StarSystem &starSystem)
{
    m_starSystem = starSystem;
    m_model->setStarSystem(starSystem, m_compact);
    m_bodies->setText(bodiesText());
    m_summary->setText(summaryText());
    m_list->setFixedHeight(listHeight(starSystem, m_maxHeight));
}

void SystemWorldsView::setShowOtherWorlds(bool show)
{
    m_showOtherWorlds = show;
    m_list->setVisible(show);
    updateChevron();
}

void SystemWorldsView::updateChevron()
{
    m_chevron->setSymbol(m_showOtherWorlds ? Symbol::chevronDownCircle : Symbol::chevronForwardCircle,
                         palette().color(QPalette::WindowText));
    m_chevron->setToolTip(m_showOtherWorlds ? tr("Hide Worlds") : tr("Show Worlds"));
}

QString SystemWorldsView::bodiesText() const
{
    return tr("%1 bodies:").arg(QLocale().toString(m_starSystem.allWorlds().size()));
}

QString SystemWorldsView::summaryText() const
{
    return summaryText(m_starSystem, m_compact);
}

qint64 SystemWorldsView::totalPopulation(const StarSystem &starSystem)
{
    qint64 total = 0;
    for (const WorldData &world : starSystem.allWorlds()) {
        if (world.uwp.population < 1)
            continue;
        if (qAddOverflow(total, world.uwp.populationCount(), &total))
            return std::numeric_limits<qint64>::max();
    }
    return total;
}

QString SystemWorldsView::summaryText(const StarSystem &starSystem, bool compact)
{
    qsizetype inhabited = 0;
    for (const WorldData &world : starSystem.allWorlds()) {
        if (world.uwp.population >= 1)
            ++inhabited;
    }
    // Composed from data, so not translated.
    const QString separator =
        compact ? QStringLiteral(" w/pop, T: ") : QStringLiteral(" inhabited, total population: ");
    return QString::number(inhabited) + separator + NumberFormat::compact(totalPopulation(starSystem));
}

int SystemWorldsView::listHeight(const StarSystem &starSystem, double maxHeight)
{
    const qsizetype bodies = starSystem.allWorlds().size();
    const qsizetype stars = starSystem.stars.size();
    const qsizetype headings = stars >= 2 ? stars : 0;
    const double wanted = static_cast<double>(WorldRowView::kHeight * (bodies + headings) + 2);
    return static_cast<int>(std::lround(std::max(0.0, std::min(wanted, maxHeight))));
}
