#include <QtTest>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {
// The current messages of a .ts file: "context / source" to the translation,
// empty while unfinished. Empty when the file cannot be read.
QMap<QString, QString> readMessages(const QString &path)
{
    QMap<QString, QString> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText();
            if (type != QLatin1String("obsolete") && type != QLatin1String("vanished"))
                messages.insert(context + QStringLiteral(" / ") + source,
                                type == QLatin1String("unfinished") ? QString() : text);
        }
    }
    return xml.hasError() ? QMap<QString, QString>() : messages;
}
} // namespace

// Every text in the sources has a finished translation in each language file,
// keeping its placeholders; a text added without refreshing the files (target
// update_translations) would show untranslated.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void complete();

private:
    QMap<QString, QString> m_sourceTexts;
};

void TestTranslations::initTestCase()
{
    QTemporaryDir dir;
    const QString scanned = dir.filePath(QStringLiteral("scan.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(NORVO_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(NORVO_LUPDATE),
                  QStringList{"-silent", "-locations", "none"}
                          + QStringLiteral(NORVO_TRANSLATED_DIRS).split(QLatin1Char(','))
                          + QStringList{"-ts", scanned});
    QVERIFY(lupdate.waitForFinished(60000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
    m_sourceTexts = readMessages(scanned);
    QVERIFY(!m_sourceTexts.isEmpty());
}

void TestTranslations::complete()
{
    QStringList faults;
    for (const QString code : {"en_US", "zh_TW", "zh_CH"}) {
        const QMap<QString, QString> translations
                = readMessages(QStringLiteral(NORVO_TS_DIR "/%1.ts").arg(code));
        for (const QString &name : m_sourceTexts.keys()) {
            const QString translation = translations.value(name);
            if (translation.isEmpty())
                faults << code + QStringLiteral(" untranslated: ") + name;
            else if (name.count(QStringLiteral("%1")) != translation.count(QStringLiteral("%1")))
                faults << code + QStringLiteral(" placeholder lost: ") + name;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
