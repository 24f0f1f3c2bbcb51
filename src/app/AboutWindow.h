#pragma once

#include <QDate>
#include <QWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class RotatingIcon;

// The content of the "About Vostrel" window: the turning icon (one turn in 8
// seconds, in 1 second while the pointer is over it), the name, version and build,
// the copyright and credit lines, links to the documentation and the maker's web
// site, and three notices. The years in the texts are read from the clock each time
// the texts are built: when the window is made and at every hover change.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    using Clock = std::function<QDate()>;

    static constexpr double kRestingSpeed = 8;
    static constexpr double kHoverSpeed = 1;
    static constexpr int kIconWidth = 100;
    static constexpr int kMinimumWidth = 650;
    static constexpr int kMinimumHeight = 580;

    explicit AboutWindow(QWidget *parent = nullptr);
    // With another clock than the system's, so that the years can be checked.
    explicit AboutWindow(Clock today, QWidget *parent = nullptr);

    bool isHovering() const { return m_hovering; }
    RotatingIcon *icon() const { return m_icon; }

    // The texts of the window, for the given year.
    static QString copyrightLine(int year);
    static QString creditLine();
    static QString independenceNotice(int year);
    static QString rulesNotice(int year);
    static QString trademarkNotice();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setHovering(bool hovering);
    void placeIcon();
    void refreshTexts();

    Clock m_today;
    bool m_hovering = false;
    QHBoxLayout *m_iconSlot;
    RotatingIcon *m_icon = nullptr;
    QLabel *m_copyright;
    QLabel *m_independence;
    QLabel *m_rules;
    // A press on the background becomes a move once the pointer has gone the drag
    // distance; the program moves the window itself only where the window system
    // cannot.
    enum class Drag { none, pressed, following };
    Drag m_drag = Drag::none;
    QPoint m_pressPosition;
    QPoint m_dragOffset;
};
