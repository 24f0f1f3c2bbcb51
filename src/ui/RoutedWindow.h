#pragma once

#include "model/GalacticCoordinates.h"

#include <QWidget>

#include <optional>

// A top-level window opened by the window router: it carries the identifier it was
// opened with (and, for a window group, its coordinates) and hosts one content
// widget filling the window. It announces an accepted close so that the router can
// forget it at once, before its deferred deletion. Ctrl+W (and the platform's own
// close keys) and Escape close it.
class RoutedWindow : public QWidget
{
    Q_OBJECT

public:
    RoutedWindow(const QString &id, std::optional<GalacticCoordinates> coordinates, QWidget *content);

    QString id() const { return m_id; }
    std::optional<GalacticCoordinates> coordinates() const { return m_coordinates; }
    QWidget *content() const { return m_content; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString m_id;
    std::optional<GalacticCoordinates> m_coordinates;
    QWidget *m_content;
};
