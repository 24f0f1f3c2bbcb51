#include "EditorForm.h"

#include "ui/ElidedLabel.h"
#include "ui/FormScrollArea.h"
#include "ui/NamedColor.h"
#include "ui/PlainLabel.h"
#include "ui/SecondaryText.h"
#include "universe/StarfarerUniverse.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kSectionSpace = 5;
constexpr int kTitlePixelSize = 22;

} // namespace

EditorForm::EditorForm(StarfarerUniverse &universe, Texts texts, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_texts(std::move(texts))
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QScrollArea *scroll = formScrollArea(this);
    outer->addWidget(scroll);

    auto *content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("editorContent"));
    content->setAutoFillBackground(true);
    QPalette background = content->palette();
    background.setColor(QPalette::Window, namedColor(NamedColor::mainBackground));
    content->setPalette(background);
    scroll->setWidget(content);

    auto *column = new QVBoxLayout(content);
    const int padding = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_title = new QLabel(content);
    m_title->setObjectName(QStringLiteral("editorTitle"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(textFont(kTitlePixelSize, false, true));
    column->addWidget(m_title);
    m_form = new QVBoxLayout;
    m_form->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addLayout(m_form);
    column->addStretch(1);
}

QString EditorForm::title() const
{
    return m_title->text();
}

QString EditorForm::saveFailure() const
{
    return m_saveFailure && !m_saveFailure->isHidden() ? m_saveFailure->text() : QString();
}

namespace {

template <typename Label> Label *secondary(Label *label, TextStyle style)
{
    label->setFont(textFont(style));
    makeSecondary(label);
    return label;
}

} // namespace

QLabel *EditorForm::secondaryLabel(const QString &text, TextStyle style, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return secondary(label, style);
}

ElidedLabel *EditorForm::secondaryName(const QString &text, TextStyle style, QWidget *parent)
{
    return secondary(new ElidedLabel(text, parent), style);
}

QLabel *EditorForm::addHeading(const QString &text)
{
    auto *heading = new QLabel(text, this);
    heading->setTextFormat(Qt::PlainText);
    heading->setContentsMargins(0, kSectionSpace, 0, 0);
    m_form->addWidget(heading);
    return heading;
}

QLineEdit *EditorForm::addTextField(const QString &heading, const QString &objectName,
                                    const QString &placeholder, int width)
{
    addHeading(heading);
    auto *field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setPlaceholderText(placeholder);
    field->setFixedWidth(width);
    m_form->addWidget(field);
    return field;
}

void EditorForm::addActionButton()
{
    m_form->addSpacing(kSectionSpace);
    m_action = new QPushButton(this);
    m_action->setObjectName(QStringLiteral("actionButton"));
    m_form->addWidget(m_action, 0, Qt::AlignLeft);
    connect(m_action, &QPushButton::clicked, this, [this] {
        if (!isComplete())
            return;
        save();
        refreshChrome();
    });

    m_saveFailure = new QLabel(this);
    m_saveFailure->setObjectName(QStringLiteral("saveFailure"));
    m_saveFailure->setTextFormat(Qt::PlainText);
    m_saveFailure->setWordWrap(true);
    makeStatusText(m_saveFailure, StatusTone::failure);
    m_saveFailure->hide();
    m_form->addWidget(m_saveFailure);
    // Saves are written in the background; their outcome arrives later.
    connect(&m_universe, &StarfarerUniverse::saveStateChanged, m_saveFailure, [this] {
        const SaveState &state = m_universe.saveState();
        if (state.kind == SaveState::Kind::failed) {
            m_saveFailure->setText(tr("The universe could not be saved: %1").arg(state.message));
            m_saveFailure->show();
        } else if (state.kind == SaveState::Kind::clean) {
            m_saveFailure->hide();
        }
    });
}

void EditorForm::setTexts(Texts texts)
{
    m_texts = std::move(texts);
    refreshChrome();
}

void EditorForm::refreshChrome()
{
    m_title->setText(isEditing() ? m_texts.editTitle : m_texts.createTitle);
    if (m_action) {
        m_action->setText(isEditing() ? tr("Save Changes") : m_texts.createButton);
        m_action->setEnabled(isComplete());
    }
}
