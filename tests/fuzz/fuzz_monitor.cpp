#include "burstbuffer.h"
#include "commandset.h"
#include "debugswitch.h"
#include "fuzzsupport.h"
#include "seriallink.h"

namespace {
constexpr int kMaxBurstBytes = 1024; // as the listening thread cuts bursts
constexpr qint64 kMaxBurstAgeMs = 1000;
} // namespace

// Any bytes as what the line brings while monitoring: the debug switch's
// answer found among them is a whole data answer that is really there, and
// bursts cut at the limits hand on every byte once, in order, in parts no
// longer than the limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::scratchDirectory();
    const QByteArray bytes = Fuzz::bytes(data, size);
    int length = 0;
    const int at = findDataAnswer(bytes, &length);
    if (at >= 0) {
        const QByteArray answer = bytes.mid(at, length);
        FUZZ_REQUIRE(answer.size() == length && at + length <= bytes.size());
        FUZZ_REQUIRE(answerComplete(answer) && checkDataAnswer(answer) == DataAnswerCheck::Ok);
        // The first one: no answer starting earlier is whole, even with its last byte gone.
        const int shorter = findDataAnswer(bytes.left(at + length - 1));
        FUZZ_REQUIRE(shorter < 0 || shorter > at);
    }

    // The input read in reads of 1 to 8 bytes, each a few milliseconds apart.
    BurstBuffer burst(kMaxBurstBytes, kMaxBurstAgeMs);
    QByteArray handedOn;
    qint64 nowMs = 0;
    for (int offset = 0; offset < bytes.size();) {
        const int read = 1 + quint8(bytes.at(offset)) % 8;
        nowMs += quint8(bytes.at(offset)) % 50;
        burst.append(bytes.mid(offset, read), nowMs);
        offset += read;
        for (QByteArray part = burst.takeDue(nowMs); !part.isEmpty(); part = burst.takeDue(nowMs)) {
            FUZZ_REQUIRE(part.size() <= kMaxBurstBytes);
            handedOn += part;
        }
    }
    handedOn += burst.takeAll();
    FUZZ_REQUIRE(burst.isEmpty());
    FUZZ_REQUIRE(handedOn == bytes);
    return 0;
}
