#pragma once

#include "SymbolButton.h"

#include <QWidget>

class QVBoxLayout;

// A titled group whose content shows only while it is expanded: a flat header with a
// chevron (right when collapsed, down when expanded) and the title, which expands or
// collapses the group when clicked. It starts collapsed and keeps its own state.
class DisclosureGroup : public QWidget
{
    Q_OBJECT

public:
    explicit DisclosureGroup(const QString &title, QWidget *parent = nullptr);

    QString title() const { return m_title; }
    // The layout the group's rows go into, shown below the header.
    QVBoxLayout *contentLayout() const { return m_contentLayout; }
    QWidget *content() const { return m_content; }
    QToolButton *header() const { return m_header; }

    bool isExpanded() const;
    void setExpanded(bool expanded);

private:
    QString m_title;
    SymbolButton *m_header;
    QWidget *m_content;
    QVBoxLayout *m_contentLayout;
};
