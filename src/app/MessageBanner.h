#pragma once

#include <QFrame>

class ReadOnlyNotesView;
class QLabel;
class QToolButton;

// A strip across the top of the main window that tells the user about a failure
// without stopping their work (it is not a dialog). It is hidden while it has no
// message. A dismissible banner has a close button; the others stay until the
// window clears them. Its message wraps anywhere a path or a name runs on unbroken,
// and scrolls past a few lines, so that no message widens or fills the window.
class MessageBanner : public QFrame
{
    Q_OBJECT

public:
    // A warning (the default) is tinted orange with a warning sign; a piece of news,
    // such as an import that went well, is tinted blue with an information sign.
    enum class Tone { warning, information };

    explicit MessageBanner(bool dismissible, QWidget *parent = nullptr);

    Tone tone() const { return m_tone; }
    void setTone(Tone tone);

    void showMessage(const QString &message);
    void clearMessage();
    QString message() const;
    bool hasMessage() const { return !message().isEmpty(); }
    ReadOnlyNotesView *messageView() const { return m_text; }
    QToolButton *dismissButton() const { return m_dismiss; }

private:
    void showTone();

    Tone m_tone = Tone::warning;
    QLabel *m_icon;
    ReadOnlyNotesView *m_text;
    QToolButton *m_dismiss = nullptr;
};
