#include "historycommand.h"

#include "console.h"
#include "datearguments.h"
#include "exitcodes.h"
#include "historyexport.h"
#include "historypdf.h"
#include "historyrequest.h"
#include "historytable.h"
#include "readthread.h"
#include "workerwait.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {
constexpr char kFromOption[] = "from";
constexpr char kToOption[] = "to";
constexpr char kCsvSuffix[] = ".csv";
constexpr char kPdfSuffix[] = ".pdf";

// The records as the dialog's PDF table reads them: a row of cells per line.
QJsonObject recordsJson(const QDate &first, const QDate &last, const QString &text)
{
    const int columns = columnCount(text);
    QJsonArray rows;
    for (const QString &line : textLines(text))
        rows.append(QJsonArray::fromStringList(rowCells(line, columns)));
    const QString format = QString::fromLatin1(DateArguments::kDayFormat);
    return QJsonObject{{QStringLiteral("from"), first.toString(format)},
                       {QStringLiteral("to"), last.toString(format)},
                       {QStringLiteral("columns"), columns},
                       {QStringLiteral("rows"), rows}};
}
} // namespace

bool HistoryCommand::exportsPdf(const QString &outputFile)
{
    return outputFile.endsWith(QLatin1String(kPdfSuffix), Qt::CaseInsensitive);
}

CliCommand HistoryCommand::command()
{
    const QCommandLineOption from(QString::fromLatin1(kFromOption), tr("第一天, 默认为今天。"),
                                  QStringLiteral("yyyy-MM-dd"));
    const QCommandLineOption to(QString::fromLatin1(kToOption), tr("最后一天, 默认为今天。"),
                                QStringLiteral("yyyy-MM-dd"));
    const QCommandLineOption output({QStringLiteral("o"), QString::fromLatin1(kOutputOption)},
                                    tr("把记录导出为 CSV 文件或 PDF 表格, 由文件后缀决定。"),
                                    QStringLiteral("FILE.csv|FILE.pdf"));
    return {QStringLiteral("history"),
            QString(),
            tr("读取一段日期(含首尾两天)的历史数据, 显示或导出为 CSV/PDF"),
            {from, to, output},
            0,
            0,
            [this](const QCommandLineParser &parser, const QStringList &) {
                return run(parser);
            }};
}

int HistoryCommand::run(const QCommandLineParser &parser)
{
    QString error;
    QDate first = QDate::currentDate();
    QDate last = first;
    if (parser.isSet(QString::fromLatin1(kFromOption)))
        first = DateArguments::parseDay(parser.value(QString::fromLatin1(kFromOption)), &error);
    if (error.isEmpty() && parser.isSet(QString::fromLatin1(kToOption)))
        last = DateArguments::parseDay(parser.value(QString::fromLatin1(kToOption)), &error);
    if (error.isEmpty())
        error = historyRangeError(first, last);
    const QString fileName = parser.value(QString::fromLatin1(kOutputOption));
    const bool pdf = exportsPdf(fileName);
    if (error.isEmpty() && !fileName.isEmpty() && !pdf
        && !fileName.endsWith(QLatin1String(kCsvSuffix), Qt::CaseInsensitive))
        error = tr("导出文件的名字应以 .csv 或 .pdf 结尾: %1").arg(fileName);
    if (!error.isEmpty()) {
        Console::error(error);
        return ExitUsage;
    }

    // Without a file the records go to the terminal as they arrive, the way
    // the dialog's view fills.
    const bool json = wantsJson(parser);
    const bool stream = fileName.isEmpty() && !json;
    QString answer;
    QString queryError;
    ReadThread thread;
    QObject receiver;
    QObject::connect(&thread, &ReadThread::signalAddText, &receiver, [&](const QString &text) {
        answer += text;
        if (stream)
            Console::print(historyViewText(text));
    });
    QObject::connect(
            &thread, &ReadThread::signalShowError, &receiver,
            [&queryError](const QString &, const QString &message) { queryError = message; });
    runWorker(thread, [&] { thread.startQuery(makeHistoryRequest(first, last)); });
    if (!queryError.isEmpty()) {
        Console::error(queryError);
        return ExitLink;
    }

    const QString text = historyViewText(answer);
    if (!fileName.isEmpty()) {
        const QString exportError
                = pdf ? exportHistoryPdf(fileName, text) : exportHistoryCsv(fileName, text);
        if (!exportError.isEmpty()) {
            Console::error(exportErrorTitle() + QStringLiteral(": ") + exportError);
            return ExitFile;
        }
        Console::note(tr("%1 行已保存到 %2").arg(textLines(text).size()).arg(fileName)
                      + QLatin1Char('\n'));
    }
    if (json)
        Console::printJson(recordsJson(first, last, text));
    return ExitSuccess;
}
