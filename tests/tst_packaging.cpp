#include <QtTest>

#include <QDir>
#include <QProcess>

namespace {
constexpr int kPackageTimeoutMs = 120000;
constexpr int kProgramTimeoutMs = 20000;

struct Output
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

Output runProgram(const QString &program, const QStringList &arguments,
                  const QString &workingDirectory = QString(),
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  int timeoutMs = kProgramTimeoutMs)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Output output;
    output.finished = process.waitForFinished(timeoutMs);
    if (!output.finished)
        process.kill();
    output.exitCode = process.exitCode();
    output.out = QString::fromUtf8(process.readAllStandardOutput());
    output.err = QString::fromUtf8(process.readAllStandardError());
    return output;
}
} // namespace

// The Debian package built from this build tree: what it holds, what it
// depends on, and that its programs run from where it puts them.
class TestPackaging : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void contents_data();
    void contents();
    void dependencies();
    void desktopEntry();
    void installedPrograms_data();
    void installedPrograms();
    void menuStartsInUserFolder();

private:
    QTemporaryDir m_dir;
    QString m_package;
    QStringList m_contents;
    QString m_root; // the package unpacked
};

void TestPackaging::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const Output cpack
            = runProgram(QStringLiteral(NORVO_CPACK),
                         {"-G", "DEB", "--config", NORVO_CPACK_CONFIG, "-B", m_dir.filePath("out")},
                         QString(), QProcessEnvironment::systemEnvironment(), kPackageTimeoutMs);
    QVERIFY2(cpack.finished && cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
    const QStringList debs = QDir(m_dir.filePath("out")).entryList({"*.deb"});
    QCOMPARE(debs.size(), 1);
    m_package = m_dir.filePath("out/" + debs.first());

    const Output listing = runProgram("dpkg-deb", {"--contents", m_package});
    QCOMPARE(listing.exitCode, 0);
    for (const QString &line : listing.out.split('\n', Qt::SkipEmptyParts))
        m_contents << line.section(' ', -1).remove(0, 1); // "./usr/bin/x" -> "/usr/bin/x"
    m_root = m_dir.filePath("root");
    QCOMPARE(runProgram("dpkg-deb", {"--extract", m_package, m_root}).exitCode, 0);
}

void TestPackaging::contents_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : {"/usr/bin/norvo-assistant", "/usr/bin/norvo-cli",
                             "/usr/share/norvo-assistant/translations/en_US.qm",
                             "/usr/share/norvo-assistant/translations/zh_TW.qm",
                             "/usr/share/norvo-assistant/translations/zh_CH.qm",
                             "/usr/share/applications/norvo-assistant.desktop",
                             "/usr/share/icons/hicolor/scalable/apps/norvo-assistant.svg",
                             "/usr/share/icons/hicolor/64x64/apps/norvo-assistant.png",
                             "/usr/share/man/man1/norvo-cli.1.gz"})
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestPackaging::contents()
{
    QFETCH(QString, path);
    QVERIFY2(m_contents.contains(path), qPrintable(m_contents.join('\n')));
}

void TestPackaging::dependencies()
{
    const Output depends = runProgram("dpkg-deb", {"--field", m_package, "Depends"});
    // Linked libraries, and the SQLite driver the programs load at run time.
    for (const char *package :
         {"libqt5core5a", "libqt5serialport5", "libqt5widgets5", "libqt5sql5-sqlite"})
        QVERIFY2(depends.out.contains(QLatin1String(package)), qPrintable(depends.out));
}

void TestPackaging::desktopEntry()
{
    const QString entry = m_root + "/usr/share/applications/norvo-assistant.desktop";
    const Output validation = runProgram("desktop-file-validate", {entry});
    if (validation.exitCode == -1 || !validation.finished)
        QSKIP("desktop-file-validate is not installed");
    QVERIFY2(validation.exitCode == 0 && validation.out.isEmpty(), qPrintable(validation.out));
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("\nExec=norvo-assistant --user-folder\n"));
    QVERIFY(text.contains("\nIcon=norvo-assistant\n"));
}

void TestPackaging::installedPrograms_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // on standard output or error
    QTest::newRow("version") << QStringList{"--version"} << "norvo-cli 3.5";
    QTest::newRow("English texts from the installed translations")
            << QStringList{"--lang", "en_US", "--port", "/dev/norvo-none", "clock"}
            << "Failed to open serial port: /dev/norvo-none";
    QTest::newRow("Traditional Chinese texts")
            << QStringList{"--lang", "zh_TW", "--port", "/dev/norvo-none", "clock"}
            << "開啟序列埠失敗: /dev/norvo-none";
}

// Run from the unpacked package in a folder without translation files: the
// programs find theirs where the package installs them.
void TestPackaging::installedPrograms()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Output run = runProgram(m_root + "/usr/bin/norvo-cli", arguments, m_dir.path());
    QVERIFY(run.finished);
    QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
}

void TestPackaging::menuStartsInUserFolder()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess assistant;
    assistant.setProcessEnvironment(environment);
    assistant.setWorkingDirectory(m_dir.path());
    assistant.start(m_root + "/usr/bin/norvo-assistant", {"--user-folder"});
    QVERIFY(assistant.waitForStarted());
    // Its working directory, where it keeps config.ini, is the user's folder.
    const QDir folder(m_dir.filePath("data/norvo-assistant"));
    const QString cwd = QStringLiteral("/proc/%1/cwd").arg(assistant.processId());
    const bool entered = QTest::qWaitFor(
            [&] {
                return folder.exists() && QFileInfo(cwd).symLinkTarget() == folder.canonicalPath();
            },
            kProgramTimeoutMs);
    assistant.kill();
    assistant.waitForFinished();
    QVERIFY2(entered, qPrintable(QFileInfo(cwd).symLinkTarget()));
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
