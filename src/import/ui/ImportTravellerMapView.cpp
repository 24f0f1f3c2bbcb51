#include "ImportTravellerMapView.h"

#include "model/BlankTrimming.h"
#include "ui/ProgressSpinner.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

using namespace TravellerMapImporter;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFormWidth = 640;

QLabel *messageLabel(StatusTone tone)
{
    auto *label = new QLabel;
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    makeStatusText(label, tone);
    label->hide();
    return label;
}

QCheckBox *toggle(const QString &title, const QString &name, bool on)
{
    auto *box = new QCheckBox(title);
    box->setObjectName(name);
    box->setChecked(on);
    return box;
}

} // namespace

ImportTravellerMapView::ImportTravellerMapView(UniverseManager *manager, StarfarerUniverse *universe,
                                               RunningImports *imports, QWidget *parent)
    : QWidget(parent), m_manager(manager), m_universe(universe), m_imports(imports),
      m_sectorName(new QLineEdit), m_subsector(new QComboBox), m_milieu(new QComboBox),
      m_importWorlds(toggle(tr("Worlds"), u"importWorlds"_s, true)),
      m_importRoutes(toggle(tr("Trade routes"), u"importRoutes"_s, true)),
      m_importBorders(toggle(tr("Borders (regions)"), u"importBorders"_s, true)),
      m_importLabels(toggle(tr("Labels (incl. subsector names)"), u"importLabels"_s, true)),
      m_overwriteExisting(toggle(tr("Overwrite existing hexes"), u"overwriteExisting"_s, false)),
      m_generateAdditionalWorlds(
          toggle(tr("Generate additional worlds"), u"generateAdditionalWorlds"_s, false)),
      m_importButton(new QPushButton(tr("Import"))), m_spinner(new ProgressSpinner),
      m_resultMessage(messageLabel(StatusTone::success)), m_errorMessage(messageLabel(StatusTone::failure))
{
    auto *form = new QWidget;
    form->setMaximumWidth(kFormWidth);
    auto *column = new QVBoxLayout(form);

    auto *title = new QLabel(tr("Import from Traveller Map"));
    title->setFont(textFont(TextStyle::body, false, true));
    column->addWidget(title);

    auto *sector = new QGroupBox(tr("Sector"));
    auto *sectorRows = new QFormLayout(sector);
    m_sectorName->setObjectName(u"sectorName"_s);
    m_sectorName->setPlaceholderText(tr("Sector name (e.g. Spinward Marches)"));
    sectorRows->addRow(m_sectorName);
    m_subsector->setObjectName(u"subsector"_s);
    m_subsector->addItem(tr("Whole sector"), QString());
    for (const QChar letter : u"ABCDEFGHIJKLMNOP"_s)
        m_subsector->addItem(QString(letter), QString(letter));
    sectorRows->addRow(tr("Subsector"), m_subsector);
    m_milieu->setObjectName(u"milieu"_s);
    for (const QString &milieu : kMilieuOptions)
        m_milieu->addItem(milieu, milieu);
    m_milieu->setCurrentText(u"M1105"_s);
    sectorRows->addRow(tr("Milieu"), m_milieu);
    column->addWidget(sector);

    auto *what = new QGroupBox(tr("What to import"));
    auto *toggles = new QVBoxLayout(what);
    m_generateAdditionalWorlds->setToolTip(
        tr("TravellerMap only provides each system\u2019s main world. Enable this to procedurally fill in "
           "the additional bodies (gas giants, belts, other worlds) from the imported PBG/W counts, keeping "
           "each main world\u2019s UWP canonical."));
    for (QCheckBox *box : {m_importWorlds, m_importRoutes, m_importBorders, m_importLabels,
                           m_overwriteExisting, m_generateAdditionalWorlds}) {
        toggles->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &ImportTravellerMapView::updateControls);
    }
    column->addWidget(what);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(8);
    buttonRow->addStretch(1);
    m_spinner->hide();
    buttonRow->addWidget(m_spinner);
    m_importButton->setObjectName(u"importButton"_s);
    buttonRow->addWidget(m_importButton);
    buttonRow->addStretch(1);
    column->addLayout(buttonRow);

    m_resultMessage->setObjectName(u"resultMessage"_s);
    m_errorMessage->setObjectName(u"errorMessage"_s);
    column->addWidget(m_resultMessage);
    column->addWidget(m_errorMessage);

    auto *footer = new QLabel(
        tr("Map data \u00A9 Far Future Enterprises and the Traveller Map service; for personal, "
           "non-commercial use only. Imported worlds use Traveller tech levels (TL0\u201322), so import into "
           "an empty or Traveller-based universe. Routes without an allegiance are grouped under a "
           "\u201CTrade Routes\u201D faction; subsectors become map labels."));
    footer->setWordWrap(true);
    footer->setFont(textFont(TextStyle::footnote));
    makeSecondary(footer);
    column->addWidget(footer);
    // The form asks for its full width, so that it takes it wherever there is room and
    // gives way only where there is not.
    column->addItem(new QSpacerItem(kFormWidth, 0, QSizePolicy::Preferred, QSizePolicy::Fixed));

    // Centred between stretches rather than by the layout's alignment: an aligned item
    // is asked its height for the whole row's width, so a message that wraps in the
    // narrower form would take its room from the rows above it.
    auto *centred = new QHBoxLayout;
    centred->addStretch();
    centred->addWidget(form);
    centred->addStretch();
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(centred);
    outer->addStretch(1);

    connect(m_sectorName, &QLineEdit::textChanged, this, &ImportTravellerMapView::updateControls);
    connect(m_sectorName, &QLineEdit::returnPressed, this, [this] {
        if (m_importButton->isEnabled())
            startImport();
    });
    connect(m_importButton, &QPushButton::clicked, this, &ImportTravellerMapView::startImport);
    updateControls();
    if (ImportJob *job = m_imports->running(m_universe)) {
        showRequest(job->request());
        follow(job);
    }
}

ImportRequest ImportTravellerMapView::request() const
{
    ImportRequest request;
    request.sectorName = m_sectorName->text();
    request.subsector = m_subsector->currentData().toString();
    request.milieu = m_milieu->currentData().toString();
    request.importWorlds = m_importWorlds->isChecked();
    request.importRoutes = m_importRoutes->isChecked();
    request.importLabels = m_importLabels->isChecked();
    request.importBorders = m_importBorders->isChecked();
    request.overwriteExisting = m_overwriteExisting->isChecked();
    request.generateAdditionalWorlds = m_generateAdditionalWorlds->isChecked();
    return request;
}

void ImportTravellerMapView::showRequest(const ImportRequest &request)
{
    m_sectorName->setText(request.sectorName);
    m_subsector->setCurrentIndex(m_subsector->findData(request.subsector));
    m_milieu->setCurrentIndex(m_milieu->findData(request.milieu));
    m_importWorlds->setChecked(request.importWorlds);
    m_importRoutes->setChecked(request.importRoutes);
    m_importLabels->setChecked(request.importLabels);
    m_importBorders->setChecked(request.importBorders);
    m_overwriteExisting->setChecked(request.overwriteExisting);
    m_generateAdditionalWorlds->setChecked(request.generateAdditionalWorlds);
}

void ImportTravellerMapView::updateControls()
{
    const bool worlds = m_importWorlds->isChecked();
    m_overwriteExisting->setVisible(worlds);
    m_generateAdditionalWorlds->setVisible(worlds);
    const bool nothingSelected = !worlds && !m_importRoutes->isChecked() && !m_importLabels->isChecked() &&
                                 !m_importBorders->isChecked();
    const bool blankName = BlankTrimming::trimmedBlanks(m_sectorName->text()).isEmpty();
    m_importButton->setEnabled(!m_isImporting && !nothingSelected && !blankName);
    m_importButton->setText(m_isImporting ? tr("Importing\u2026") : tr("Import"));
    m_spinner->setVisible(m_isImporting);
}

void ImportTravellerMapView::setImporting(bool importing)
{
    m_isImporting = importing;
    updateControls();
}

void ImportTravellerMapView::showResult(const QString &result, const QString &error)
{
    m_resultMessage->setText(result);
    m_resultMessage->setVisible(!result.isEmpty());
    m_errorMessage->setText(error);
    m_errorMessage->setVisible(!error.isEmpty());
}

void ImportTravellerMapView::startImport()
{
    if (m_isImporting)
        return;
    ImportJob *job = m_imports->start(request(), m_manager, m_universe, this);
    if (!job) {
        // Another form has started one for this universe since this one was made.
        job = m_imports->running(m_universe);
        showRequest(job->request());
    }
    follow(job);
}

void ImportTravellerMapView::follow(ImportJob *job)
{
    m_saveFollower.stop(); // the last run's saves are no longer shown
    setImporting(true);
    showResult(QString(), QString());
    job->setViewer(this);
    connect(job, &ImportJob::finished, this, &ImportTravellerMapView::finishImport);
}

void ImportTravellerMapView::finishImport(const ImportOutcome &outcome)
{
    StarfarerUniverse *universe = m_universe.data();
    if (outcome.kind == ImportOutcome::Kind::applied && universe) {
        showResult(outcome.message, QString());
        // Only the outcomes of the writes that hold this run's changes are reported
        // here: a failure, until a retry writes them.
        m_saveFollower.follow(
            universe, outcome.saveRequest, this,
            [this, result = outcome.message](const SaveState &state) { showResult(result, state.message); });
    } else {
        showResult(QString(), outcome.message);
    }
    setImporting(false);
    emit importFinished();
}
