#pragma once

#include "import/RunningImports.h"
#include "universe/SaveFollower.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ProgressSpinner;
class UniverseManager;

// The form that imports a sector, or one subsector, of the Traveller Map service
// into the open universe. Its choices are read once when the import starts, and the
// import runs among the program's imports (RunningImports): it goes on when the form is
// closed, and is written and saved only if the universe it was started for is still
// open. The form shows the result line, or the error with nothing written, and a
// failed save. Return in the sector name starts an import as the button would.
//
// One import runs at a time for a universe. A form made while its universe's import
// runs shows that import as if it had started it: its choices, the spinner, the
// disabled button and, at its end, its outcome.
class ImportTravellerMapView : public QWidget
{
    Q_OBJECT

public:
    static inline const QStringList kMilieuOptions{
        QStringLiteral("M0"),    QStringLiteral("M990"),  QStringLiteral("M1105"), QStringLiteral("M1120"),
        QStringLiteral("M1201"), QStringLiteral("M1248"), QStringLiteral("M1900")};

    ImportTravellerMapView(UniverseManager *manager, StarfarerUniverse *universe,
                           TravellerMapImporter::RunningImports *imports, QWidget *parent = nullptr);

    bool isImporting() const { return m_isImporting; }

signals:
    // The run has ended, with a result line or an error; the save may still be under way.
    void importFinished();

private:
    void startImport();
    // Shows `job` as this form's import until it ends.
    void follow(TravellerMapImporter::ImportJob *job);
    void showRequest(const TravellerMapImporter::ImportRequest &request);
    void finishImport(const TravellerMapImporter::ImportOutcome &outcome);
    void setImporting(bool importing);
    void showResult(const QString &result, const QString &error);
    void updateControls();
    TravellerMapImporter::ImportRequest request() const;

    UniverseManager *m_manager;
    QPointer<StarfarerUniverse> m_universe;
    SaveFollower m_saveFollower; // of the last run's changes
    TravellerMapImporter::RunningImports *m_imports;
    bool m_isImporting = false;

    QLineEdit *m_sectorName;
    QComboBox *m_subsector;
    QComboBox *m_milieu;
    QCheckBox *m_importWorlds;
    QCheckBox *m_importRoutes;
    QCheckBox *m_importBorders;
    QCheckBox *m_importLabels;
    QCheckBox *m_overwriteExisting;
    QCheckBox *m_generateAdditionalWorlds;
    QPushButton *m_importButton;
    ProgressSpinner *m_spinner;
    QLabel *m_resultMessage;
    QLabel *m_errorMessage;
};
