#include "bootloadermode.h"

#include "bootloaderframes.h"
#include "commandset.h"

#include <QtEndian>

#include <limits>

namespace {
constexpr int kEraseSizeOffset = 3; // after the fixed 91 00 04
constexpr int kEraseDataBytes = kEraseSizeOffset + 4;
constexpr int kPageIndexOffset = 3; // after the fixed 91 04 01
constexpr int kPageDataBytes = kPageIndexOffset + 1 + BootLoaderMode::kPageBytes;
// As long as the good report, so only the bytes tell them apart.
const QByteArray kEraseRefusal("Erase NG\r\n\x00\x00\x00\xC1\x81\x40", 16);
const QByteArray kClosingReport("Reboot\r\n");

// One bit flipped in the middle of the answer, inside its text.
QByteArray corrupted(QByteArray answer)
{
    const int middle = answer.size() / 2;
    answer[middle] = static_cast<char>(answer.at(middle) ^ 0x01);
    return answer;
}

bool parseAnswerFault(const QString &name, BootLoaderFaults::Answer *answer)
{
    if (name == QLatin1String("wrong"))
        *answer = BootLoaderFaults::Answer::Wrong;
    else if (name == QLatin1String("silent"))
        *answer = BootLoaderFaults::Answer::Silent;
    else if (name == QLatin1String("corrupt"))
        *answer = BootLoaderFaults::Answer::Corrupt;
    else
        return false;
    return true;
}
} // namespace

bool BootLoaderFaults::add(const QString &name, QString *error)
{
    const QStringList parts = name.split(QLatin1Char('-'));
    bool ok = parts.size() == 2;
    if (name == QLatin1String("silent-id")) {
        silentIdentifications = std::numeric_limits<int>::max();
    } else if (name == QLatin1String("answer-closing")) {
        answerClosing = true;
    } else if (ok && parts.at(0) == QLatin1String("erase")) {
        ok = parseAnswerFault(parts.at(1), &erase);
    } else if (ok && parts.at(0) == QLatin1String("page")) {
        const QStringList kindAndNumber = parts.at(1).split(QLatin1Char(':'));
        ok = kindAndNumber.size() == 2 && parseAnswerFault(kindAndNumber.at(0), &page);
        if (ok)
            pageNumber = kindAndNumber.at(1).toInt(&ok);
        ok = ok && pageNumber >= 0;
    } else {
        ok = false;
    }
    if (!ok && error)
        *error = QStringLiteral("unknown boot-loader fault '%1'").arg(name);
    return ok;
}

BootLoaderMode::BootLoaderMode(const QString &model)
    : m_model(model)
{ }

QList<ReplyChunk> BootLoaderMode::answer(const SimRequest &request)
{
    QByteArray single;
    switch (request.kind) {
    case SimRequest::BootIdentify:
        single = identify();
        break;
    case SimRequest::BootErase:
        single = erase(request.payload);
        break;
    case SimRequest::BootPage:
        single = writePage(request.payload);
        break;
    case SimRequest::BootClose:
        ++m_closingRequests;
        if (m_faults.answerClosing)
            single = bootTextAnswer(kClosingReport);
        break;
    default:
        // Configuration frames and the history request mean nothing to the boot-loader.
        break;
    }
    if (single.isEmpty())
        return {};
    return {ReplyChunk{single, 0}};
}

QByteArray BootLoaderMode::identify()
{
    if (m_faults.silentIdentifications > 0) {
        --m_faults.silentIdentifications;
        return QByteArray();
    }
    return bootTextAnswer(
            encodeGb2312(QStringLiteral("NorvoBoot V1.2\r\n!Find %1 OK\r\n").arg(m_model)));
}

QByteArray BootLoaderMode::erase(const QByteArray &data)
{
    if (data.size() != kEraseDataBytes)
        return QByteArray();
    const quint32 size = qFromLittleEndian<quint32>(data.constData() + kEraseSizeOffset);
    m_erasedSize = static_cast<int>(qMin<quint32>(size, std::numeric_limits<int>::max()));
    m_pages.clear();
    switch (m_faults.erase) {
    case BootLoaderFaults::Answer::Silent:
        return QByteArray();
    case BootLoaderFaults::Answer::Wrong:
        return bootTextAnswer(kEraseRefusal);
    case BootLoaderFaults::Answer::Corrupt:
        return corrupted(bootEraseAnswer());
    case BootLoaderFaults::Answer::Good:
        break;
    }
    return bootEraseAnswer();
}

QByteArray BootLoaderMode::writePage(const QByteArray &data)
{
    if (data.size() != kPageDataBytes)
        return QByteArray();
    const quint8 index = static_cast<quint8>(data.at(kPageIndexOffset));
    const int number = m_pages.size() / kPageBytes;
    // Pages land in arrival order; the one-byte index wraps on images above 256 KiB.
    m_pages.append(data.mid(kPageIndexOffset + 1));
    if (number != m_faults.pageNumber)
        return bootPageAnswer(index);
    switch (m_faults.page) {
    case BootLoaderFaults::Answer::Silent:
        return QByteArray();
    case BootLoaderFaults::Answer::Wrong:
        return bootPageAnswer(static_cast<quint8>(index + 1));
    case BootLoaderFaults::Answer::Corrupt:
        return corrupted(bootPageAnswer(index));
    case BootLoaderFaults::Answer::Good:
        break;
    }
    return bootPageAnswer(index);
}
