#include "choicelist.h"
#include "fuzzsupport.h"

// Any item name and value: a recognised choice list rebuilds the name, its
// options are whole, and the preselection is one of them found in the value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(Fuzz::bytes(data, size));
    const int split = input.indexOf(QChar(0x1F)); // unit separator: name, then value
    const QString name = split < 0 ? input : input.left(split);
    const QString value = split < 0 ? QString() : input.mid(split + 1);

    const ChoiceList choices = parseChoiceList(name);
    if (!choices.isChoiceList) {
        FUZZ_REQUIRE(choices.options.isEmpty() && choices.title == name);
        return 0;
    }
    FUZZ_REQUIRE(choices.options.size() >= 2 && !choices.title.isEmpty());
    for (const QString &option : choices.options)
        FUZZ_REQUIRE(!option.isEmpty() && !option.contains(QLatin1Char('/')));
    FUZZ_REQUIRE(choices.title + QLatin1Char('(') + choices.options.join(QLatin1Char('/'))
                         + QLatin1Char(')')
                 == name);

    const QString choice = preselectedChoice(choices.options, value);
    FUZZ_REQUIRE(choice.isEmpty() || (choices.options.contains(choice) && value.contains(choice)));

    const ItemEditTexts texts
            = prepareItemEdit(QStringLiteral("07. ") + name, QStringLiteral(": ") + value);
    FUZZ_REQUIRE(!texts.isAction && texts.value == value.trimmed());
    return 0;
}
