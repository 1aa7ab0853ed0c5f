#include "historytablelayout.h"

#include <QtGlobal>

namespace {
constexpr int kStampRoomQuarters = 5; // the first column is a quarter wider than a time stamp
constexpr int kQuarters = 4;
} // namespace

HistoryTableLayout::HistoryTableLayout(int pageWidth, int pageHeight, int fontHeight,
                                       int stampWidth, int columns, int lines)
    : m_pageWidth(pageWidth)
    , m_columns(qMax(columns, 2))
    , m_margin(pageWidth / kMarginFraction)
    , m_fontHeight(fontHeight)
    , m_rowHeight(fontHeight + kRowPadding)
    , m_firstColumnWidth(stampWidth * kStampRoomQuarters / kQuarters)
{
    const int tableWidth = pageWidth - 2 * m_margin;
    m_otherColumnWidth = (tableWidth - m_firstColumnWidth) / (m_columns - 1);
    // A font taller than the page still gets one row a page, so no line is lost.
    m_rowsPerPage = qMax(1, (pageHeight - kTop - kBottomMargin) / m_rowHeight);
    const int pageCount = (qMax(lines, 0) + m_rowsPerPage - 1) / m_rowsPerPage;
    m_pages = qMax(1, pageCount);
}

int HistoryTableLayout::columnWidth(int column) const
{
    return column == 0 ? m_firstColumnWidth : m_otherColumnWidth;
}

int HistoryTableLayout::columnLeft(int column) const
{
    if (column <= 0)
        return m_margin;
    return m_margin + m_firstColumnWidth + (column - 1) * m_otherColumnWidth;
}

int HistoryTableLayout::rowTop(int row) const
{
    return kTop + row * m_rowHeight;
}

int HistoryTableLayout::textLeft(int column, int textWidth) const
{
    return columnLeft(column) + (columnWidth(column) - textWidth) / 2;
}

int HistoryTableLayout::baseline(int row) const
{
    return rowTop(row) + m_fontHeight;
}
