// Streams a day of 10 000 history records from the simulated instrument into
// the history dialog and exports them as PDF, printing how long each takes.
//
//   build/bench/history/bench_history [records] [baud]

#include "commandset.h"
#include "guiresources.h"
#include "historydata.h"
#include "historypdf.h"
#include "simtestsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>

namespace {
constexpr int kDefaultRecords = 10000;
constexpr int kDefaultBaud = 115200;
constexpr int kTickMs = 5; // the probe that measures how long the event loop stalls
constexpr int kQueryLimitMs = 10 * 60 * 1000;
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no window needs to be seen
    QApplication app(argc, argv);
    initGuiResources();
    const QStringList args = app.arguments();
    const int records = args.value(1, QString::number(kDefaultRecords)).toInt();
    const int baud = args.value(2, QString::number(kDefaultBaud)).toInt();

    QTemporaryDir dir;
    if (!SimTest::enterTemporaryDirectory(dir))
        return 1;
    InstrumentSimulator sim;
    sim.setBaudRate(baud);
    sim.setHistoryRecordsPerDay(records);
    const QString error = SimTest::startOnConfiguredPort(sim);
    if (!error.isEmpty()) {
        fprintf(stderr, "bench_history: %s\n", qPrintable(error));
        return 1;
    }
    singleton<Config>::instance()->setValue(SettingsKeys::kSerialBaudRate, baud);

    HistoryData dialog;
    dialog.show();
    int chunks = 0;

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestStallMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestStallMs = qMax(longestStallMs, now - lastTick - kTickMs);
        lastTick = now;
    });

    auto *view = dialog.findChild<QTextEdit *>(QStringLiteral("textEdit"));
    QObject::connect(view, &QTextEdit::textChanged, [&] { ++chunks; });

    clock.start();
    probe.start(kTickMs);
    dialog.findChild<QPushButton *>(QStringLiteral("bntQuery"))->click();
    while (dialog.isQuerying() && clock.elapsed() < kQueryLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kTickMs);
    QCoreApplication::processEvents(); // the last chunks still queued for the dialog
    const qint64 queryMs = clock.elapsed();
    probe.stop();

    const QString text = view->toPlainText();
    const int lines = text.count(QLatin1Char('\n')) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
    // The instrument ends every line with CR LF; the view keeps one line end.
    const qint64 bytesReceived = encodeGb2312(text).size() + lines;
    const double wireMs = 1000.0 * bytesReceived * kBitsPerByte / baud;

    const QString pdf = dir.filePath(QStringLiteral("history.pdf"));
    QElapsedTimer exportClock;
    exportClock.start();
    const QString exportError = exportHistoryPdf(pdf, text);
    const qint64 exportMs = exportClock.elapsed();

    printf("records asked          %d at %d baud\n", records, baud);
    printf("lines in view          %d (header included)\n", lines);
    printf("bytes received         %lld\n", bytesReceived);
    printf("query time             %lld ms\n", queryMs);
    printf("wire time of the bytes %.0f ms\n", wireMs);
    printf("query / wire           %.3f\n", queryMs / wireMs);
    printf("longest GUI stall      %lld ms\n", longestStallMs);
    printf("view updates           %d\n", chunks);
    printf("PDF export             %lld ms, %lld bytes%s%s\n", exportMs, QFileInfo(pdf).size(),
           exportError.isEmpty() ? "" : ", error: ", qPrintable(exportError));
    return 0;
}
