#include "NotesPanel.h"

#include "NotesField.h"
#include "TextStyle.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr qreal kCornerRadius = 8;
constexpr int kPadding = 8;
constexpr int kPlaceholderPadding = 5;

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
        m_placeholder->setFont(textFont(TextStyle::body));
        m_placeholder->setContentsMargins(kPlaceholderPadding, 0, 0, 0);
        m_placeholder->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette palette = m_placeholder->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
        m_placeholder->setPalette(palette);
        layout->addWidget(m_placeholder, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    }

    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        const QString &text = m_editor->notes();
        if (m_placeholder)
            m_placeholder->setVisible(text.isEmpty());
        if (!m_settingNotes)
            emit notesEdited(text);
    });
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
