#ifndef NORVO_HISTORYTABLELAYOUT_H
#define NORVO_HISTORYTABLELAYOUT_H

// Where the history table goes on the pages of the PDF export, in the
// writer's device units: a grid of rowsPerPage rows and columns columns on
// every page, the first column sized for a time stamp, line k of the text in
// row k % rowsPerPage of page k / rowsPerPage.
class HistoryTableLayout
{
public:
    static constexpr int kTop = 100;           // above the grid
    static constexpr int kBottomMargin = 100;  // below it
    static constexpr int kRowPadding = 50;     // added to the font height
    static constexpr int kMarginFraction = 16; // left and right margin: this part of the width

    // pageWidth and pageHeight of the printable area, the font's height, the
    // painted width of a time stamp, the column count (at least 2) and the line count.
    HistoryTableLayout(int pageWidth, int pageHeight, int fontHeight, int stampWidth, int columns,
                       int lines);

    int columns() const { return m_columns; }
    int rowsPerPage() const { return m_rowsPerPage; }
    int pages() const { return m_pages; }
    int rowHeight() const { return m_rowHeight; }

    int left() const { return m_margin; }
    int right() const { return m_pageWidth - m_margin; } // horizontal grid lines end here
    int columnWidth(int column) const;
    int columnLeft(int column) const; // column == columns() gives the last grid line
    int rowTop(int row) const;

    // Index of the text line in a row of a page; past the text it is no line at all.
    int lineIndex(int page, int row) const { return page * m_rowsPerPage + row; }
    // Left end of a text centred in its cell (it may stick out of a narrow cell),
    // and its baseline.
    int textLeft(int column, int textWidth) const;
    int baseline(int row) const;

private:
    int m_pageWidth;
    int m_columns;
    int m_margin;
    int m_fontHeight;
    int m_rowHeight;
    int m_firstColumnWidth;
    int m_otherColumnWidth;
    int m_rowsPerPage;
    int m_pages;
};

#endif
