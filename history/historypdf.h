#ifndef NORVO_HISTORYPDF_H
#define NORVO_HISTORYPDF_H

#include <QFont>
#include <QString>

// Typesets the history text as a table over as many A4 pages as it needs and
// saves it as fileName, replacing that file only once the document is
// complete. A text without a line of two fields gives the format error and a
// document of one empty page. Returns the translated error, empty on success.
QString exportHistoryPdf(const QString &fileName, const QString &text);

// Rows of the table's grid on every page.
int historyPdfRowsPerPage();

// The font the table is drawn in: base itself when it has Chinese glyphs,
// otherwise the same size in a Chinese font, WenQuanYi Zen Hei when installed.
QFont historyPdfFont(const QFont &base);

#endif
