#pragma once

// Pieces of ListaGrid that the frame does not use directly.

#include "ui_export.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QWidget>

namespace ui {

class ListaGrid;

// Titles in the list colours, with a funnel on filterable columns whose
// area opens the column's filter instead of sorting.
class MALVO_UI_EXPORT ListaGridHeader : public QHeaderView
{
    Q_OBJECT
public:
    // The funnel area runs from this many pixels left of a title's right border ...
    static constexpr int FunnelFrom = 19;
    // ... to this many.
    static constexpr int FunnelTo = 3;

    explicit ListaGridHeader(ListaGrid *grid);
    bool inFunnelArea(int logicalIndex, int x) const;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    ListaGrid *m_grid;
    bool m_funnelPress = false;
};

class ListaGridDelegate : public QStyledItemDelegate
{
public:
    static constexpr int TextMargin = 3;
    explicit ListaGridDelegate(ListaGrid *grid);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    ListaGrid *m_grid;
};

// The summary row under the grid: one section per column, aligned with the titles.
class MALVO_UI_EXPORT SummaryBar : public QWidget
{
    Q_OBJECT
public:
    explicit SummaryBar(ListaGrid *grid);
    void setTexts(QStringList texts);
    const QStringList &texts() const { return m_texts; }
    int columnAt(int x) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    ListaGrid *m_grid;
    QStringList m_texts;
};

} // namespace ui
