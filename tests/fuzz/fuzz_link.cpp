#include "commandset.h"
#include "fuzzsupport.h"
#include "seriallink.h"

// Any bytes as an instrument's answer: the CRC check, the completeness rule,
// the data-answer check and the item text split agree with each other.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    const QByteArray answer = Fuzz::bytes(data, size);
    const bool crcGood = checkCrc(answer);
    if (answer.size() < 3) {
        FUZZ_REQUIRE(!crcGood);
    } else {
        const quint16 carried = static_cast<quint8>(answer.at(answer.size() - 2))
                | static_cast<quint8>(answer.at(answer.size() - 1)) << 8;
        FUZZ_REQUIRE(crcGood == (crc16(answer.left(answer.size() - 2)) == carried));
    }
    QByteArray framed = answer;
    appendCrc(framed);
    FUZZ_REQUIRE(checkCrc(framed) == !answer.isEmpty()); // two bytes alone are no frame
    FUZZ_REQUIRE(linkErrorText(LinkOk, answer).isEmpty() == (answer.size() > 2 && crcGood));

    const bool dataAnswer
            = answer.size() >= 2 && quint8(answer.at(0)) == 0xFF && quint8(answer.at(1)) == 0x03;
    if (answerComplete(answer)) {
        FUZZ_REQUIRE(crcGood);
        FUZZ_REQUIRE(!dataAnswer || answer.size() == quint8(answer.at(2)) + 5);
    }

    QString text;
    if (checkDataAnswer(answer, &text) == DataAnswerCheck::Ok) {
        FUZZ_REQUIRE(dataAnswer && answer.size() == quint8(answer.at(2)) + 5);
        const QStringList parts = splitItemText(text);
        FUZZ_REQUIRE(parts.size() == 1 || parts.size() == 2);
        FUZZ_REQUIRE(!parts.first().contains(QLatin1Char(':')));
        FUZZ_REQUIRE(parts.size() == 2 || !text.contains(QLatin1Char(':')));
    } else {
        FUZZ_REQUIRE(text.isEmpty());
    }

    // Writing the decoded text back: a frame only when it fits, and then a whole one.
    const QString value = decodeGb2312(answer);
    const QByteArray frame = makeWriteItemFrame(size > 0 ? data[0] : 0, value);
    FUZZ_REQUIRE(frame.isEmpty() != itemTextFits(value));
    if (!frame.isEmpty()) {
        FUZZ_REQUIRE(checkCrc(frame));
        FUZZ_REQUIRE(frame.size() == encodeGb2312(value).size() + 10);
        FUZZ_REQUIRE(quint8(frame.at(6)) == encodeGb2312(value).size() + 1);
    }
    return 0;
}
