#include <QtTest>

#include <QDir>
#include <QProcess>

namespace {
constexpr int kPackageTimeoutMs = 120000;
constexpr int kProgramTimeoutMs = 20000;

// What a program wrote on standard output and error, and its exit status: -1
// when it did not start or end in time.
QString runProgram(const QString &program, const QStringList &arguments, int *exitCode,
                   const QString &directory = QString(), int timeoutMs = kProgramTimeoutMs)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended)
        process.kill();
    *exitCode = ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}
} // namespace

// The Debian package built from this build tree: what it holds, what it
// depends on, that its programs run from where it puts them and load no code
// from the folder they run in.
class TestPackaging : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void contents();
    void installedTranslations();
    void menuStartsInUserFolder();
    void noPluginsFromWorkingDirectory_data();
    void noPluginsFromWorkingDirectory();

private:
    QTemporaryDir m_dir;
    QString m_package;
    QString m_root; // the package unpacked
};

void TestPackaging::initTestCase()
{
    QVERIFY(m_dir.isValid());
    int status = -1;
    const QString out
            = runProgram(QStringLiteral(NORVO_CPACK),
                         {"-G", "DEB", "--config", NORVO_CPACK_CONFIG, "-B", m_dir.filePath("out")},
                         &status, QString(), kPackageTimeoutMs);
    QVERIFY2(status == 0, qPrintable(out));
    const QStringList debs = QDir(m_dir.filePath("out")).entryList({"*.deb"});
    QCOMPARE(debs.size(), 1);
    m_package = m_dir.filePath("out/" + debs.first());
    m_root = m_dir.filePath("root");
    runProgram("dpkg-deb", {"--extract", m_package, m_root}, &status);
    QCOMPARE(status, 0);
}

// What the package holds and depends on, and its menu entry.
void TestPackaging::contents()
{
    int status = -1;
    const QString listing = runProgram("dpkg-deb", {"--contents", m_package}, &status);
    QCOMPARE(status, 0);
    for (const char *path : {"/usr/bin/norvo-assistant", "/usr/bin/norvo-cli",
                             "/usr/share/norvo-assistant/translations/en_US.qm",
                             "/usr/share/norvo-assistant/translations/zh_TW.qm",
                             "/usr/share/norvo-assistant/translations/zh_CH.qm",
                             "/usr/share/applications/norvo-assistant.desktop",
                             "/usr/share/icons/hicolor/scalable/apps/norvo-assistant.svg",
                             "/usr/share/icons/hicolor/64x64/apps/norvo-assistant.png",
                             "/usr/share/man/man1/norvo-cli.1.gz"})
        QVERIFY2(listing.contains(QStringLiteral(" .%1\n").arg(path)), path);
    const QString depends = runProgram("dpkg-deb", {"--field", m_package, "Depends"}, &status);
    // Linked libraries, and the SQLite driver the programs load at run time.
    for (const char *package :
         {"libqt5core5a", "libqt5serialport5", "libqt5widgets5", "libqt5sql5-sqlite"})
        QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(depends));

    const QString entry = m_root + "/usr/share/applications/norvo-assistant.desktop";
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("\nExec=norvo-assistant --user-folder\n"));
    QVERIFY(text.contains("\nIcon=norvo-assistant\n"));
    const QString validation = runProgram("desktop-file-validate", {entry}, &status);
    if (status == -1)
        QSKIP("desktop-file-validate is not installed");
    QVERIFY2(status == 0 && validation.isEmpty(), qPrintable(validation));
}

// Run from the unpacked package in a folder without translation files: the
// programs find theirs where the package installs them.
void TestPackaging::installedTranslations()
{
    int status = -1;
    const QString output = runProgram(m_root + "/usr/bin/norvo-cli",
                                      {"--lang", "en_US", "--port", "/dev/norvo-none", "clock"},
                                      &status, m_dir.path());
    QVERIFY2(status >= 0 && output.contains("Failed to open serial port: /dev/norvo-none"),
             qPrintable(output));
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

void TestPackaging::noPluginsFromWorkingDirectory_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("kind");    // of the plug-in the program asks Qt for
    QTest::addColumn<bool>("pluginPath"); // the folder named in QT_PLUGIN_PATH too

    // The rows with QT_PLUGIN_PATH show that the marker plug-ins do load
    // where a user deliberately points Qt, so their absence elsewhere counts.
    for (bool pluginPath : {false, true}) {
        const char *how = pluginPath ? " (QT_PLUGIN_PATH)" : "";
        QTest::addRow("window, image formats%s", how)
                << "norvo-assistant" << QStringList() << "imageformats" << pluginPath;
        QTest::addRow("command line, SQL driver%s", how)
                << "norvo-cli" << QStringList{"package-info", "fw.nvbin"} << "sqldrivers"
                << pluginPath;
    }
}

void TestPackaging::noPluginsFromWorkingDirectory()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, kind);
    QFETCH(bool, pluginPath);

    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(kind));
    QVERIFY(QFile::copy(kind == "imageformats" ? NORVO_MARKER_IMAGE_PLUGIN
                                               : NORVO_MARKER_SQL_PLUGIN,
                        folder.filePath(kind + "/libmarker.so")));
    QFile package(folder.filePath("fw.nvbin"));
    QVERIFY(package.open(QIODevice::WriteOnly));
    package.write("not a package");
    package.close();

    const QString marker = folder.filePath("loaded.txt");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NORVO_PLUGIN_MARKER", marker);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    // Qt names every plug-in folder it searches once it looks for a kind.
    environment.insert("QT_DEBUG_PLUGINS", "1");
    if (pluginPath)
        environment.insert("QT_PLUGIN_PATH", folder.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(m_root + "/usr/bin/" + program, arguments);
    QVERIFY(process.waitForStarted());
    // Until Qt has searched for the kind (and, where allowed, loaded ours).
    QString output;
    const QString searched = "/" + kind + "\"";
    static_cast<void>(QTest::qWaitFor(
            [&] {
                output += QString::fromUtf8(process.readAll());
                const bool done = pluginPath ? QFile::exists(marker) : output.contains(searched);
                return done || process.state() == QProcess::NotRunning;
            },
            kProgramTimeoutMs));
    process.kill();
    process.waitForFinished();
    output += QString::fromUtf8(process.readAll());
    QVERIFY2(output.contains(searched), qPrintable(output.right(2000)));
    QCOMPARE(QFile::exists(marker), pluginPath);
    QCOMPARE(output.contains(folder.filePath(kind)), pluginPath);
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
