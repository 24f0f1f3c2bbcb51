#pragma once

#include "EditorForm.h"
#include "editors/StarmapLabelDraft.h"

class ElidedLabel;
class HexPositionPicker;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class StarmapLabelPreview;

// The form that creates a star-map label or edits one: its text, colour, category
// (typed or taken from the categories already used), size, angle and hex, with a
// preview of the label as the map draws it.
class StarmapLabelEditingView : public EditorForm
{
    Q_OBJECT

public:
    StarmapLabelEditingView(StarfarerUniverse &universe, const std::optional<StarmapLabel> &label,
                            QWidget *parent = nullptr);

    const StarmapLabelDraft &draft() const { return m_draft; }
    // The "Existing" menu's button, hidden while no stored label has a category.
    QToolButton *existingCategoriesButton() const { return m_existing; }

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(); }
    void save() override;

private:
    void addTextRows();
    void addCategoryRow();
    void addSliderRows();
    void addPositionRows();
    // A titled slider and its value, written by `valueText`, in `row` of `grid`.
    QSlider *addSliderRow(QGridLayout *grid, int row, const QString &title, int minimum, int maximum,
                          QString (*valueText)(double), QLabel *&value, const char *name);
    // Every control from the working copy, as after seeding or a reset.
    void showDraft();
    void refreshCategories();
    void refresh();

    StarmapLabelDraft m_draft;
    QLineEdit *m_text;
    QComboBox *m_color;
    QLineEdit *m_category;
    QToolButton *m_existing;
    QSlider *m_size;
    QLabel *m_sizeValue;
    QSlider *m_angle;
    QLabel *m_angleValue;
    ElidedLabel *m_positionCaption;
    HexPositionPicker *m_picker;
    StarmapLabelPreview *m_preview;
};
