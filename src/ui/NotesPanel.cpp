#include "NotesPanel.h"

#include "NotesField.h"
#include "SecondaryText.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace {

constexpr qreal kCornerRadius = 8;
constexpr int kPadding = 8;

} // namespace

NotesPanel::NotesPanel(const QString &placeholder, int idealHeight, QWidget *parent)
    : RoundedPanel(NamedColor::parameterBackground, kCornerRadius, parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);

    m_editor = new NotesField(idealHeight - 2 * kPadding, this);
    m_editor->setObjectName(QStringLiteral("notes"));
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_editor, 0, 0);

    if (!placeholder.isEmpty()) {
        m_placeholder = new QLabel(placeholder, this);
        m_placeholder->setObjectName(QStringLiteral("notesHeader"));
        m_placeholder->setTextFormat(Qt::PlainText);
        m_placeholder->setAttribute(Qt::WA_TransparentForMouseEvents);
        makeSecondary(m_placeholder);
        layout->addWidget(m_placeholder, 0, 0, Qt::AlignLeft | Qt::AlignTop);
        lineUpPlaceholder();
        m_editor->installEventFilter(this);
    }

    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        const QString &text = m_editor->notes();
        if (m_placeholder)
            m_placeholder->setVisible(text.isEmpty());
        if (!m_settingNotes)
            emit notesEdited(text);
    });
}

bool NotesPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        lineUpPlaceholder();
    return RoundedPanel::eventFilter(watched, event);
}

void NotesPanel::lineUpPlaceholder()
{
    // The placeholder shares the editor's corner of the grid, so it starts where the
    // text does, in the text's font.
    const QPoint origin = m_editor->textOrigin();
    m_placeholder->setFont(m_editor->font());
    m_placeholder->setContentsMargins(origin.x(), origin.y(), 0, 0);
}

QString NotesPanel::notes() const
{
    return m_editor->notes();
}

void NotesPanel::setNotes(const QString &notes)
{
    if (notes == m_editor->notes())
        return;
    m_settingNotes = true;
    m_editor->setNotes(notes);
    m_settingNotes = false;
}
