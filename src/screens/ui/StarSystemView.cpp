#include "StarSystemView.h"

#include "model/TradeClass.h"
#include "model/WorldDescriptions.h"
#include "ui/ElidedLabel.h"
#include "ui/TextStyle.h"
#include "ui/WrappingLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr qint64 kInnermostOrbit = 0;
constexpr qint64 kOutermostOrbit = 20;
// Far beyond any orbit: offsets are brought into this band before they are added, so
// that no stored offset can overflow the sum.
constexpr qint64 kOffsetBand = 1000;
const QString kNoValue = QStringLiteral("\u2014");

constexpr std::array<const char *, 4> kStarsLabels{"Stars:", "Star:", "B:", "T:"};

qint64 orbitPlus(qint64 orbit, qint64 offset)
{
    return std::clamp(orbit + std::clamp(offset, -kOffsetBand, kOffsetBand), kInnermostOrbit,
                      kOutermostOrbit);
}

bool isEarthlike(const UWP &uwp)
{
    return uwp.size >= 6 && uwp.size <= 9 && uwp.atmosphere >= 4 && uwp.atmosphere <= 9 &&
           uwp.hydrographics >= 3;
}

QLabel *textLabel(QWidget *parent, const QFont &font, const char *objectName)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

// A value that keeps to one line while the row has room for it.
QLabel *wrappingLabel(QWidget *parent, const QFont &font, const char *objectName)
{
    auto *label = new WrappingLabel(QString(), parent);
    label->setFont(font);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

} // namespace

StarSystemView::StarSystemView(const StarSystem &starSystem, bool, double viewWidth, QWidget *parent)
    : Tile(parent)
{
    setContentWidth(viewWidth);
    const QFont body = textFont(TextStyle::body);
    const QFont bold = textFont(TextStyle::body, false, true);
    const QFont mono = textFont(TextStyle::body, true);
    auto *lines = new QVBoxLayout(this);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);

    // Nested rows would take the column's zero spacing; they keep the usual gaps.
    const int spacing = qMax(6, style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
    auto *stars = new QHBoxLayout;
    stars->setSpacing(spacing);
    m_starsLabel = textLabel(this, bold, "starsLabel");
    m_classifications = wrappingLabel(this, mono, "classifications");
    // The description gives way to the classifications: it is cut with an ellipsis.
    m_starDescription =
        elidedLabel(QString(), textFont(TextStyle::subheadline, true), this, "starDescription");
    stars->addWidget(m_starsLabel);
    stars->addWidget(m_classifications);
    stars->addStretch(1);
    stars->addWidget(m_starDescription);
    lines->addLayout(stars);

    auto *orbit = new QHBoxLayout;
    orbit->setSpacing(spacing);
    orbit->setAlignment(Qt::AlignTop);
    auto *orbitTitle = textLabel(this, bold, "orbitTitle");
    orbitTitle->setText(tr("MW Orbit:"));
    m_orbit = textLabel(this, mono, "orbit");
    m_habitableZoneNote = textLabel(this, body, "habitableZoneNote");
    auto *climateTitle = textLabel(this, bold, "climateTitle");
    climateTitle->setText(tr("Climate:"));
    m_climate = wrappingLabel(this, mono, "climate");
    orbit->addWidget(orbitTitle, 0, Qt::AlignTop);
    orbit->addWidget(m_orbit, 0, Qt::AlignTop);
    orbit->addWidget(m_habitableZoneNote, 0, Qt::AlignTop);
    orbit->addStretch(1);
    orbit->addWidget(climateTitle, 0, Qt::AlignTop);
    orbit->addWidget(m_climate, 0, Qt::AlignTop);
    lines->addLayout(orbit);

    auto *type = new QHBoxLayout;
    type->setSpacing(spacing);
    auto *typeTitle = textLabel(this, bold, "typeTitle");
    typeTitle->setText(tr("MW Type:"));
    m_type = wrappingLabel(this, mono, "type");
    auto *peopleTitle = textLabel(this, bold, "peopleTitle");
    peopleTitle->setText(tr("PR:"));
    m_people = textLabel(this, body, "people");
    type->addWidget(typeTitle, 0, Qt::AlignTop);
    type->addWidget(m_type, 0, Qt::AlignTop);
    type->addStretch(1);
    type->addWidget(peopleTitle, 0, Qt::AlignTop);
    type->addWidget(m_people, 0, Qt::AlignTop);
    lines->addLayout(type);

    setStarSystem(starSystem);
}

void StarSystemView::setStarSystem(const StarSystem &starSystem)
{
    showTexts(texts(starSystem));
}

void StarSystemView::showTexts(const Texts &texts)
{
    m_texts = texts;
    m_starsLabel->setText(texts.starsLabel);
    m_classifications->setText(texts.classifications);
    // Beside a description the classifications keep to one line; alone on the line
    // (three stars and more) they wrap when they outgrow it.
    QSizePolicy policy = m_classifications->sizePolicy();
    policy.setHorizontalPolicy(texts.starDescription.isEmpty() ? QSizePolicy::Preferred
                                                               : QSizePolicy::Minimum);
    m_classifications->setSizePolicy(policy);
    m_starDescription->setText(texts.starDescription);
    m_starDescription->setVisible(!texts.starDescription.isEmpty());
    m_orbit->setText(texts.orbit);
    m_habitableZoneNote->setText(texts.habitableZoneNote);
    m_habitableZoneNote->setVisible(!texts.habitableZoneNote.isEmpty());
    m_climate->setText(texts.climate);
    m_type->setText(texts.type);
    m_people->setText(texts.people);
}

WorldData StarSystemView::displayedWorld(const StarSystem &starSystem)
{
    if (const auto main = starSystem.mainWorld())
        return *main;
    const QList<WorldData> worlds = starSystem.allWorlds();
    if (!worlds.isEmpty())
        return worlds.first();
    WorldData world;
    world.id = QUuid::createUuid();
    world.mainWorld = true;
    world.uwp.starport = Starport::typeX;
    world.tradeClasses = tradeClasses(world.uwp, 0, false);
    return world;
}

QString StarSystemView::climateWord(const StarSystem &starSystem, const WorldData &world)
{
    // Without a star there is no habitable zone to judge the climate by.
    if (starSystem.stars.isEmpty())
        return kNoValue;
    const qint64 offset = world.hzOffset;
    const qint64 orbit = orbitPlus(rawValue(starSystem.stars.first().habitableZoneOrbit()), offset);
    if (world.type == WorldType::planet && orbit <= 1)
        return tr("Twilight Zone");
    const qint64 hydrographics = world.uwp.hydrographics;
    if (isEarthlike(world.uwp)) {
        if (offset < -1)
            return tr("Hot");
        if (offset == -1)
            return hydrographics < 8 ? tr("Tropic") : tr("Hot");
        if (offset == 0)
            return tr("Temperate");
        if (offset == 1)
            return hydrographics < 8 ? tr("Tundra") : tr("Cold");
        return tr("Frozen");
    }
    if (offset < 0)
        return tr("Hot");
    if (offset == 0)
        return tr("Temperate");
    if (offset == 1)
        return tr("Cold");
    return tr("Frozen");
}

StarSystemView::Texts StarSystemView::texts(const StarSystem &starSystem)
{
    Texts texts;
    const qsizetype count = starSystem.stars.size();
    texts.starsLabel = QString::fromLatin1(kStarsLabels[count >= 1 && count <= 3 ? count : 0]);
    QStringList classifications;
    for (const Star &star : starSystem.stars)
        classifications.append(star.classification());
    texts.classifications = classifications.join(QStringLiteral(" / "));
    if (count == 1)
        texts.starDescription = starSystem.stars.first().description();
    else if (count == 2)
        texts.starDescription = tr("P: ") + starSystem.stars.first().description();

    const WorldData world = displayedWorld(starSystem);
    if (const auto zone = starSystem.habitableZoneOrbit()) {
        const auto main = starSystem.mainWorld();
        const qint64 orbit = orbitPlus(rawValue(*zone), main ? main->hzOffset : 0);
        texts.orbit = QLocale().toString(orbit);
    } else {
        texts.orbit = kNoValue;
    }
    if (world.hzOffset != 0) {
        texts.habitableZoneNote = QStringLiteral("(HZ") +
                                  (world.hzOffset > 0 ? QStringLiteral("+") : QString()) +
                                  QLocale().toString(world.hzOffset) + QLatin1Char(')');
    }
    texts.climate = climateWord(starSystem, world);
    texts.type = kindText(world);
    texts.people = description(world.prevalentRace);
    return texts;
}
