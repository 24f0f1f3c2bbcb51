#pragma once

#include "EditorForm.h"
#include "editors/RegionDraft.h"

class CornerDiagram;
class HexPositionPicker;
class LabeledStepper;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class RegionAnchorListModel;

// The form that creates a region or edits one: name, colour, whether the border
// closes, the ordered anchors (hex and corner each, added from the next-anchor
// controls, deleted and reordered in their list), and an optional hex for the name.
class RegionEditingView : public EditorForm
{
    Q_OBJECT

public:
    RegionEditingView(StarfarerUniverse &universe, const std::optional<Region> &region,
                      QWidget *parent = nullptr);

    const RegionDraft &draft() const { return m_draft; }
    QString nextAnchorText() const;
    QString labelCaption() const;
    LabeledStepper *cornerStepper() const { return m_corner; }
    CornerDiagram *cornerDiagram() const { return m_diagram; }
    HexPositionPicker *nextAnchorPicker() const { return m_nextPicker; }
    QListView *anchorList() const { return m_anchorList; }
    RegionAnchorListModel *anchorModel() const { return m_anchorModel; }

    void addAnchor();
    void deleteAnchor(qsizetype position);

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(); }
    void save() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildAnchors();
    void buildLabel();
    void showDraft();
    // The texts and visibility that follow the working copy.
    void refresh();
    void showAnchorMenu(const QPoint &position);

    RegionDraft m_draft;
    QLineEdit *m_name;
    QComboBox *m_color;
    QCheckBox *m_closed;
    QLabel *m_nextAnchor;
    HexPositionPicker *m_nextPicker;
    LabeledStepper *m_corner;
    CornerDiagram *m_diagram;
    QLabel *m_noAnchors;
    RegionAnchorListModel *m_anchorModel;
    QListView *m_anchorList;
    QCheckBox *m_useCustomLabel;
    QLabel *m_centreNote;
    QWidget *m_labelBlock;
    HexPositionPicker *m_labelPicker;
    QLabel *m_labelCaption;
};
