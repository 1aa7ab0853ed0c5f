#ifndef NORVO_FAULTPLAN_H
#define NORVO_FAULTPLAN_H

#include "replychunk.h"
#include "simrequest.h"

#include <QByteArray>
#include <QList>

#include <mutex>

// Misbehaviour asked of the simulated instrument, applied answer by answer; safe from any thread.
class FaultPlan
{
public:
    static constexpr int kAnyItem = -1;   // a fault for every request, not one item
    static constexpr int kEveryTime = -1; // a count that never runs out
    // A run of zero bytes never ends in its own CRC, whatever its length.
    static constexpr char kStreamByte = 0x00;
    static constexpr char kDefaultExtraByte = 0x55;

    // A silent instrument takes requests but sends nothing at all.
    void setSilent(bool silent);
    bool isSilent() const;

    // The faults below count the answers they spoil; with item set, only answers
    // to reading or writing that item number count.
    void dropAnswers(int count, int item = kAnyItem);
    void corruptCrc(int count, int item = kAnyItem);
    void appendExtraByte(int count, int item = kAnyItem, char extra = kDefaultExtraByte);
    void splitAnswers(int chunks, int gapMs, int count = 1, int item = kAnyItem);
    // Two chunks: the first offset bytes, then the rest after gapMs.
    void splitAnswersAt(int offset, int gapMs, int count = 1, int item = kAnyItem);
    // Sends raw instead of the answer, also to requests the instrument would not answer.
    void replaceAnswers(const QByteArray &raw, int count = 1, int item = kAnyItem);
    // The same with an answer of several chunks, each after its own quiet gap.
    void replaceAnswers(const QList<ReplyChunk> &chunks, int count = 1, int item = kAnyItem);
    // Writes to the item are echoed as if taken, but the item keeps its old
    // value: an instrument that loses what it was told.
    void forgetWrites(int count, int item = kAnyItem);
    // Whether the write request is one to forget; counts it when it is.
    bool takeForgottenWrite(const SimRequest &request);
    // The next request is answered by kStreamByte without end, until clear().
    void streamAfterNextRequest();
    bool isStreaming() const;

    // Back to a well-behaved instrument.
    void clear();

    // The answer as it goes on the line; an empty list sends nothing.
    QList<ReplyChunk> apply(const SimRequest &request, QList<ReplyChunk> reply);

private:
    enum class Kind { Drop, Replace, CorruptCrc, ExtraByte, Split, SplitAt, Forget };
    struct Rule
    {
        Kind kind;
        int remaining;
        int item;
        int chunks;
        int gapMs;
        QByteArray bytes;
        QList<ReplyChunk> replacement;
    };

    void add(const Rule &rule);
    bool take(Kind kind, int item, Rule *taken);

    mutable std::mutex m_mutex;
    QList<Rule> m_rules;
    bool m_silent = false;
    bool m_streamArmed = false;
    bool m_streaming = false;
};

#endif
