#include <QtTest>

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {
// One message of a translation file.
struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished" or empty

    QString name() const { return context + QStringLiteral(" / ") + source; }
};

bool readMessages(const QString &path, QList<Message> *messages, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("context")) {
            context.clear();
        } else if (xml.name() == QLatin1String("name") && context.isEmpty()) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, QString(), QString(), QString()};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages->append(message);
        }
    }
    if (xml.hasError()) {
        *error = QStringLiteral("%1: %2").arg(path, xml.errorString());
        return false;
    }
    return true;
}

bool isCurrent(const Message &message)
{
    return message.type != QLatin1String("obsolete") && message.type != QLatin1String("vanished");
}

QString tsPath(const QString &code)
{
    return QStringLiteral(NORVO_TS_DIR "/%1.ts").arg(code);
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void complete_data();
    void complete();
    void coversEverySourceText();
};

void TestTranslations::complete_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("identity"); // every text maps to itself

    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("zh_TW") << "zh_TW" << false;
    QTest::newRow("zh_CH") << "zh_CH" << true;
}

void TestTranslations::complete()
{
    QFETCH(QString, code);
    QFETCH(bool, identity);

    QList<Message> messages;
    QString error;
    QVERIFY2(readMessages(tsPath(code), &messages, &error), qPrintable(error));
    QVERIFY(!messages.isEmpty());
    QStringList faults;
    for (const Message &message : qAsConst(messages)) {
        if (!isCurrent(message))
            continue;
        if (message.type == QLatin1String("unfinished") || message.translation.isEmpty())
            faults.append(QStringLiteral("untranslated: ") + message.name());
        else if (identity && message.translation != message.source)
            faults.append(QStringLiteral("not itself: ") + message.name());
        else if (message.source.count(QStringLiteral("%1"))
                 != message.translation.count(QStringLiteral("%1")))
            faults.append(QStringLiteral("placeholder lost: ") + message.name());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// A text added to the sources without refreshing the translation files
// (target update_translations) would show untranslated in every language.
void TestTranslations::coversEverySourceText()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scanned = dir.filePath(QStringLiteral("scan.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(NORVO_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList folders = QStringLiteral(NORVO_TRANSLATED_DIRS).split(QLatin1Char(','));
    lupdate.start(QStringLiteral(NORVO_LUPDATE),
                  QStringList{QStringLiteral("-silent"), QStringLiteral("-locations"),
                              QStringLiteral("none")}
                          + folders + QStringList{QStringLiteral("-ts"), scanned});
    QVERIFY(lupdate.waitForFinished(60000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    QList<Message> found;
    QList<Message> kept;
    QString error;
    QVERIFY2(readMessages(scanned, &found, &error), qPrintable(error));
    QVERIFY(!found.isEmpty());
    QVERIFY2(readMessages(tsPath(QStringLiteral("en_US")), &kept, &error), qPrintable(error));
    QSet<QString> known;
    for (const Message &message : qAsConst(kept)) {
        if (isCurrent(message))
            known.insert(message.name());
    }
    QStringList missing;
    for (const Message &message : qAsConst(found)) {
        if (!known.contains(message.name()))
            missing.append(message.name());
    }
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("not in the translation files:\n")
                        + missing.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
