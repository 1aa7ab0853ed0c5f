#include "faultplan.h"

namespace {
QByteArray joined(const QList<ReplyChunk> &reply)
{
    QByteArray bytes;
    for (const ReplyChunk &chunk : reply)
        bytes.append(chunk.bytes);
    return bytes;
}

QList<ReplyChunk> splitInto(const QByteArray &bytes, int chunks, int gapMs)
{
    QList<ReplyChunk> reply;
    const int pieces = qBound(1, chunks, qMax(1, bytes.size()));
    int at = 0;
    for (int i = 0; i < pieces; ++i) {
        const int end = static_cast<int>(static_cast<qint64>(bytes.size()) * (i + 1) / pieces);
        reply.append(ReplyChunk{bytes.mid(at, end - at), i == 0 ? 0 : gapMs});
        at = end;
    }
    return reply;
}
} // namespace

void FaultPlan::setSilent(bool silent)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silent = silent;
}

bool FaultPlan::isSilent() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_silent;
}

void FaultPlan::dropAnswers(int count, int item)
{
    add(Rule{Kind::Drop, count, item, 0, 0, {}, {}});
}

void FaultPlan::forgetWrites(int count, int item)
{
    add(Rule{Kind::Forget, count, item, 0, 0, {}, {}});
}

bool FaultPlan::takeForgottenWrite(const SimRequest &request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Rule rule;
    return request.kind == SimRequest::WriteItem && take(Kind::Forget, request.item, &rule);
}

void FaultPlan::corruptCrc(int count, int item)
{
    add(Rule{Kind::CorruptCrc, count, item, 0, 0, {}, {}});
}

void FaultPlan::appendExtraByte(int count, int item, char extra)
{
    add(Rule{Kind::ExtraByte, count, item, 0, 0, QByteArray(1, extra), {}});
}

void FaultPlan::splitAnswers(int chunks, int gapMs, int count, int item)
{
    add(Rule{Kind::Split, count, item, chunks, gapMs, {}, {}});
}

void FaultPlan::splitAnswersAt(int offset, int gapMs, int count, int item)
{
    add(Rule{Kind::SplitAt, count, item, offset, gapMs, {}, {}});
}

void FaultPlan::replaceAnswers(const QByteArray &raw, int count, int item)
{
    replaceAnswers(QList<ReplyChunk>{ReplyChunk{raw, 0}}, count, item);
}

void FaultPlan::replaceAnswers(const QList<ReplyChunk> &chunks, int count, int item)
{
    add(Rule{Kind::Replace, count, item, 0, 0, {}, chunks});
}

void FaultPlan::streamAfterNextRequest()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streamArmed = true;
}

bool FaultPlan::isStreaming() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_streaming;
}

void FaultPlan::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rules.clear();
    m_silent = false;
    m_streamArmed = false;
    m_streaming = false;
}

void FaultPlan::add(const Rule &rule)
{
    if (rule.remaining == 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rules.append(rule);
}

bool FaultPlan::take(Kind kind, int item, Rule *taken)
{
    for (int i = 0; i < m_rules.size(); ++i) {
        Rule &rule = m_rules[i];
        if (rule.kind != kind || (rule.item != kAnyItem && rule.item != item))
            continue;
        *taken = rule;
        if (rule.remaining != kEveryTime && --rule.remaining == 0)
            m_rules.removeAt(i);
        return true;
    }
    return false;
}

QList<ReplyChunk> FaultPlan::apply(const SimRequest &request, QList<ReplyChunk> reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_silent)
        return {};
    if (m_streamArmed) {
        m_streamArmed = false;
        m_streaming = true;
        return {};
    }
    Rule rule;
    if (!reply.isEmpty() && take(Kind::Drop, request.item, &rule))
        return {};
    if (take(Kind::Replace, request.item, &rule))
        reply = rule.replacement;
    if (reply.isEmpty())
        return reply;
    if (take(Kind::CorruptCrc, request.item, &rule)) {
        QByteArray &last = reply.last().bytes;
        if (!last.isEmpty())
            last[last.size() - 1] = static_cast<char>(~last.at(last.size() - 1));
    }
    if (take(Kind::ExtraByte, request.item, &rule))
        reply.last().bytes.append(rule.bytes);
    if (take(Kind::Split, request.item, &rule))
        reply = splitInto(joined(reply), rule.chunks, rule.gapMs);
    if (take(Kind::SplitAt, request.item, &rule)) {
        const QByteArray bytes = joined(reply);
        reply = {ReplyChunk{bytes.left(rule.chunks), 0},
                 ReplyChunk{bytes.mid(rule.chunks), rule.gapMs}};
    }
    return reply;
}
