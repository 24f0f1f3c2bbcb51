#pragma once

#include <QHash>
#include <QPlainTextEdit>

// Notes, or any untrusted text, shown for reading: plain text, wrapped as
// wrapModeFor() says (at word boundaries, and anywhere in a word longer than the
// line); selectable, never editable. It is as high as its text up to
// `maximumHeight`, and scrolls past it, so that no amount of text sizes the page it
// stands on. Laying the text out costs the same once whatever the page asks:
// the text is wrapped once for the width it gets, and the height for a width is
// measured only as far as the highest it may be. The text goes into the editor only
// when the view is first shown, at the width its page gives it, so that a long text is
// not wrapped once more for a width it never shows at. With the keyboard's focus, it
// carries the focus mark along its edges, where the text leaves room for it.
class ReadOnlyNotesView : public QPlainTextEdit
{
    Q_OBJECT

public:
    ReadOnlyNotesView(const QString &text, const QFont &font, int maximumHeight, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The height of the text wrapped to `width`, or a height past `limit` once it is
    // clear that the text is higher.
    int textHeight(int width, int limit) const;

    QString m_text;
    int m_maximumHeight;
    mutable QHash<int, int> m_heightForWidth;
    bool m_filled = false;
};
