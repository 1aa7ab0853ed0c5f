#include "choicelist.h"

#include <QRegExp>
#include <QRegularExpression>

ChoiceList parseChoiceList(const QString &name)
{
    // Title, then "(" two or more non-empty options separated by "/", then ")" at the end.
    QRegExp expression(QStringLiteral("(^.+)\\((([^/]+/)+[^/]+)\\)$"), Qt::CaseSensitive);
    ChoiceList list;
    if (expression.indexIn(name) < 0) {
        list.title = name;
        return list;
    }
    list.isChoiceList = true;
    list.title = expression.cap(1);
    list.options = expression.cap(2).split(QLatin1Char('/'));
    return list;
}

QString preselectedChoice(const QStringList &options, const QString &value)
{
    QString choice;
    for (const QString &option : options) {
        if (value != choice && value.contains(option, Qt::CaseSensitive))
            choice = option;
    }
    return choice;
}

ItemEditTexts prepareItemEdit(const QString &nameText, const QString &valueText)
{
    static const QRegularExpression rowNumber(QStringLiteral("^\\d+\\."));
    ItemEditTexts texts;
    texts.isAction = valueText.isEmpty();
    texts.name = nameText;
    texts.name.remove(rowNumber);
    texts.value = valueText;
    if (texts.value.startsWith(QLatin1Char(':')))
        texts.value.remove(0, 1);
    texts.name = texts.name.trimmed();
    texts.value = texts.value.trimmed();
    return texts;
}
