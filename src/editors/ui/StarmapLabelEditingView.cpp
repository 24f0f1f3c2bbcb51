#include "StarmapLabelEditingView.h"

#include "HexPositionPicker.h"
#include "PositionArea.h"
#include "StarmapLabelPreview.h"
#include "editors/SystemNames.h"
#include "model/CapitalizedWords.h"
#include "ui/ColorMark.h"
#include "ui/ElidedLabel.h"
#include "ui/LiteralText.h"
#include "ui/PaletteColor.h"
#include "universe/UniverseChanges.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTextWidth = 300;
constexpr int kPickerWidth = 220;
constexpr int kExistingWidth = 100;
constexpr int kSliderWidth = 220;
constexpr int kSectionSpace = 5;
constexpr int kColorRowSpacing = 40;
constexpr int kCategoryRowSpacing = 12;
constexpr int kSliderRowSpacing = 20;
constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 96;
constexpr int kAngleLimit = 180;

// Where a slider shows a value kept as a double: at the nearest whole step. The
// slider only ever writes whole values back when the user moves it.
void showOnSlider(QSlider *slider, double value)
{
    const QSignalBlocker blocker(slider);
    const double clamped =
        std::clamp(std::isnan(value) ? 0.0 : value, double(slider->minimum()), double(slider->maximum()));
    slider->setValue(static_cast<int>(std::lround(clamped)));
}

} // namespace

StarmapLabelEditingView::StarmapLabelEditingView(StarfarerUniverse &universe,
                                                 const std::optional<StarmapLabel> &label, QWidget *parent)
    : EditorForm(universe, {tr("Label Creation"), tr("Edit Label"), tr("Create Label")}, parent),
      m_draft(label)
{
    setObjectName(QStringLiteral("starmapLabelEditingView"));
    addTextRows();
    addCategoryRow();
    addSliderRows();
    addPositionRows();

    addHeading(tr("Preview"));
    m_preview = new StarmapLabelPreview(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    formLayout()->addWidget(m_preview);
    addActionButton();

    // The categories offered are those of the stored labels.
    UniverseChanges::onObjects<StarmapLabel>(
        &universe, this, [this](const ObjectChange<StarmapLabel> &) { refreshCategories(); });
    // The position's caption names the system there.
    UniverseChanges::onHexesAt(
        &universe, this, [this] { return QList<GalacticCoordinates>{m_draft.position}; },
        [this] { refresh(); });
    showDraft();
}

void StarmapLabelEditingView::addTextRows()
{
    m_text = addTextField(tr("Text"), QStringLiteral("labelText"), tr("Label text"), kTextWidth);
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_draft.text = text;
        refresh();
    });

    auto *colorRow = new QHBoxLayout;
    colorRow->setContentsMargins(0, kSectionSpace, 0, 0);
    colorRow->setSpacing(kColorRowSpacing);
    m_color = new QComboBox(this);
    m_color->setObjectName(QStringLiteral("color"));
    m_color->setToolTip(tr("Color"));
    m_color->setFixedWidth(kPickerWidth);
    for (const FactionColor entry : allCases<FactionColor>())
        m_color->addItem(colorDotIcon(paletteColor(entry)), capitalizedWords(rawValue(entry)),
                         static_cast<int>(entry));
    colorRow->addWidget(m_color);
    colorRow->addStretch(1);
    formLayout()->addLayout(colorRow);
    connect(m_color, &QComboBox::activated, this, [this] {
        m_draft.color = static_cast<FactionColor>(m_color->currentData().toInt());
        refresh();
    });
}

void StarmapLabelEditingView::addCategoryRow()
{
    addHeading(tr("Category"));
    auto *row = new QHBoxLayout;
    row->setSpacing(kCategoryRowSpacing);
    m_category = new QLineEdit(this);
    m_category->setObjectName(QStringLiteral("category"));
    m_category->setPlaceholderText(tr("Category (optional)"));
    m_category->setFixedWidth(kPickerWidth);
    connect(m_category, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_draft.category = text; });
    m_existing = new QToolButton(this);
    m_existing->setObjectName(QStringLiteral("existingCategories"));
    m_existing->setText(tr("Existing"));
    m_existing->setFixedWidth(kExistingWidth);
    m_existing->setPopupMode(QToolButton::InstantPopup);
    m_existing->setMenu(new QMenu(m_existing));
    row->addWidget(m_category);
    row->addWidget(m_existing);
    row->addStretch(1);
    formLayout()->addLayout(row);
}

QSlider *StarmapLabelEditingView::addSliderRow(QGridLayout *grid, int row, const QString &title, int minimum,
                                               int maximum, QString (*valueText)(double), QLabel *&value,
                                               const char *name)
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(minimum, maximum);
    slider->setFixedWidth(kSliderWidth);
    value = secondaryLabel(QString(), TextStyle::body, this);
    value->setFont(textFont(TextStyle::body, true));
    value->setObjectName(QString::fromLatin1(name) + QStringLiteral("Value"));
    // As wide as the widest value the slider can show, measured as the label measures
    // itself (a text's drawn box can be a pixel wider than its advance, and a middle
    // value wider than either end), so that what follows it stays in place while the
    // slider moves.
    int widest = 0;
    for (int step = minimum; step <= maximum; ++step) {
        value->setText(valueText(step));
        widest = std::max(widest, value->sizeHint().width());
    }
    value->setMinimumWidth(widest);
    grid->addWidget(new QLabel(title, this), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
    return slider;
}

void StarmapLabelEditingView::addSliderRows()
{
    // One grid for both rows, so that the sliders line up whatever their titles' widths.
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, kSectionSpace, 0, 0);
    grid->setHorizontalSpacing(kSliderRowSpacing);
    grid->setVerticalSpacing(std::max(formLayout()->spacing(), 0) + kSectionSpace);
    m_size = addSliderRow(grid, 0, tr("Size"), kSmallestSize, kLargestSize, StarmapLabelDraft::sizeText,
                          m_sizeValue, "size");
    connect(m_size, &QSlider::valueChanged, this, [this](int size) {
        m_draft.size = size;
        refresh();
    });

    m_angle = addSliderRow(grid, 1, tr("Angle"), -kAngleLimit, kAngleLimit, StarmapLabelDraft::degreesText,
                           m_angleValue, "angle");
    auto *reset = new QPushButton(tr("Reset"), this);
    reset->setObjectName(QStringLiteral("resetAngle"));
    grid->addWidget(reset, 1, 3);
    grid->setColumnStretch(4, 1);
    formLayout()->addLayout(grid);
    connect(m_angle, &QSlider::valueChanged, this, [this](int degrees) {
        m_draft.angleDegrees = degrees;
        refresh();
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        m_draft.angleDegrees = 0.0;
        showOnSlider(m_angle, 0.0);
        refresh();
    });
}

void StarmapLabelEditingView::addPositionRows()
{
    addHeading(tr("Position"));
    const PositionArea area = PositionArea::add(formLayout(), universe(), this);
    m_positionCaption = area.caption;
    m_picker = area.picker;
    connect(m_picker, &HexPositionPicker::positionChanged, this, [this](const GalacticCoordinates &position) {
        m_draft.position = position;
        refresh();
    });
}

void StarmapLabelEditingView::save()
{
    m_draft.save(universe());
    showDraft();
}

void StarmapLabelEditingView::showDraft()
{
    if (m_text->text() != m_draft.text)
        m_text->setText(m_draft.text);
    if (m_category->text() != m_draft.category)
        m_category->setText(m_draft.category);
    m_color->setCurrentIndex(m_color->findData(static_cast<int>(m_draft.color)));
    showOnSlider(m_size, m_draft.size);
    showOnSlider(m_angle, m_draft.angleDegrees);
    m_picker->setPosition(m_draft.position);
    refreshCategories();
    refresh();
}

void StarmapLabelEditingView::refreshCategories()
{
    const QStringList categories = StarmapLabelDraft::existingCategories(universe());
    QMenu *menu = m_existing->menu();
    menu->clear();
    for (const QString &category : categories) {
        connect(menu->addAction(literalText(category)), &QAction::triggered, this, [this, category] {
            m_draft.category = category;
            m_category->setText(category);
        });
    }
    m_existing->setVisible(!categories.isEmpty());
}

void StarmapLabelEditingView::refresh()
{
    m_sizeValue->setText(StarmapLabelDraft::sizeText(m_draft.size));
    m_angleValue->setText(StarmapLabelDraft::degreesText(m_draft.angleDegrees));
    const GalacticCoordinates &position = m_draft.position;
    m_positionCaption->setText(position.description() + QStringLiteral(" · ") +
                               SystemNames::systemName(universe(), position));
    m_preview->setLabel(m_draft.text, paletteColor(m_draft.color), m_draft.size, m_draft.angleDegrees);
    refreshChrome();
}
