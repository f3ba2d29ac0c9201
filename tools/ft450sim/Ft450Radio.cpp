#include "Ft450Radio.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace ft450 {

namespace {

constexpr qint64 kSplitGapMicros = 40000;
constexpr int kCommandLimit = 64;
// The longest stretch of the noise stream kept for a host that is not reading.
constexpr qint64 kGarbageBacklogMicros = 100000;

bool digits(const QByteArray &s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QString printable(const QByteArray &bytes)
{
    QString out;
    for (char c : bytes) {
        const auto u = uchar(c);
        if (u >= 0x20 && u < 0x7f)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}

// A character received at the wrong speed: whatever it was, never ";".
char garbled(char c) { return char(uchar(c) | 0x80); }

}  // namespace

Ft450Radio::Ft450Radio(const RadioOptions &options)
    : m_options(options)
    , m_rate(isCatRate(options.rate) ? options.rate : 4800)
{
}

bool Ft450Radio::isCatRate(int baud) { return baud == 4800 || baud == 9600 || baud == 19200 || baud == 38400; }

qint64 Ft450Radio::charMicros(int baud) { return baud > 0 ? (11LL * 1000000 + baud / 2) / baud : 0; }

// ---------------------------------------------------------------------------
// Memories

QByteArray Ft450Radio::memory(int n) const
{
    const auto it = m_memories.find(n);
    return it == m_memories.end() ? QByteArray() : it->second;
}

bool Ft450Radio::isValidWrite(const QByteArray &c)
{
    if (c.size() != kRecordLength || !c.startsWith("MW") || c.at(26) != ';')
        return false;
    const QByteArray number = c.mid(2, 3);
    if (!digits(number) || number.toInt() < 1 || number.toInt() > kMemoryCount)
        return false;
    if (!digits(c.mid(5, 8)) || (c.at(13) != '+' && c.at(13) != '-') || !digits(c.mid(14, 6)))
        return false;
    if (!QByteArray("123456789BC").contains(c.at(20)) || !digits(c.mid(21, 1)))
        return false;
    if (!QByteArray("012").contains(c.at(22)) || !QByteArray("012").contains(c.at(25)))
        return false;
    const QByteArray tone = c.mid(23, 2);
    if (!digits(tone) || tone.toInt() >= 50)
        return false;
    // 30 kHz to 56 MHz: what the radio tunes.
    const qint64 hz = c.mid(5, 8).toLongLong();
    return hz >= 30000 && hz <= 56000000;
}

bool Ft450Radio::setMemory(int n, const QByteArray &record)
{
    if (n < 1 || n > kMemoryCount || record.size() != kRecordLength)
        return false;
    QByteArray asWrite = "MW" + record.mid(2);
    if (!isValidWrite(asWrite) || asWrite.mid(2, 3).toInt() != n)
        return false;
    const QByteArray stored = "MR" + record.mid(2);
    if (memory(n) != stored) {
        m_memories[n] = stored;
        m_changed = true;
    }
    return true;
}

void Ft450Radio::clearMemory(int n)
{
    if (m_memories.erase(n) > 0)
        m_changed = true;
}

bool Ft450Radio::loadMemoryText(const QByteArray &text, QString *error)
{
    std::map<int, QByteArray> loaded;
    int lineNo = 0;
    for (QByteArray line : text.split('\n')) {
        ++lineNo;
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const QByteArray number = line.mid(2, 3);
        const int n = digits(number) ? number.toInt() : 0;
        Ft450Radio check;
        if (line.size() != kRecordLength || n < 1 || n > kMemoryCount || !check.setMemory(n, line)) {
            if (error)
                *error = QStringLiteral("line %1 is not a memory record: %2").arg(lineNo).arg(printable(line.left(40)));
            return false;
        }
        loaded[n] = "MR" + line.mid(2);
    }
    m_memories = std::move(loaded);
    m_changed = true;
    return true;
}

bool Ft450Radio::loadMemoryFile(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return loadMemoryText(f.read(1024 * 1024), error);
}

QByteArray Ft450Radio::memoryFileText() const
{
    QByteArray out;
    for (const auto &[n, record] : m_memories)
        out += "MW" + record.mid(2) + "\r\n";
    return out;
}

bool Ft450Radio::dumpMemoryFile(const QString &path, QString *error) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(memoryFileText()) < 0 || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool Ft450Radio::takeChanged()
{
    const bool c = m_changed;
    m_changed = false;
    return c;
}

// ---------------------------------------------------------------------------
// Wire

void Ft450Radio::trace(qint64 t, const QString &line)
{
    if (onTrace)
        onTrace(t, line);
}

void Ft450Radio::hostWrote(const QByteArray &bytes, const HostLine &line, qint64 now)
{
    const qint64 each = charMicros(line.baud > 0 ? line.baud : 9600);
    for (char c : bytes) {
        const qint64 start = std::max(now, m_inFree);
        m_inFree = start + each;
        m_in.push_back(InChar{m_inFree, c, line, false});
    }
}

void Ft450Radio::hostLineChanged(const HostLine &line, qint64 now)
{
    // A UART sends at the speed it is set to now: whatever has not completely
    // left arrives as noise.
    for (InChar &in : m_in) {
        if (in.end > now && !(in.line == line))
            in.garbled = true;
    }
}

void Ft450Radio::advance(qint64 now)
{
    while (!m_in.empty() && m_in.front().end <= now) {
        const InChar in = m_in.front();
        m_in.pop_front();
        land(in);
    }
}

void Ft450Radio::land(const InChar &in)
{
    const bool noise = in.garbled || in.line.baud != m_rate || !in.line.twoStopBits;
    if (noise) {
        ++noiseCharacters;
        if (m_noiseRun++ == 0)
            m_noiseLine = in.line;
        // A framing error throws away the command being collected.
        m_command.clear();
        const bool runEnds
            = m_in.empty()
              || !(m_in.front().garbled || m_in.front().line.baud != m_rate || !m_in.front().line.twoStopBits);
        if (runEnds) {
            trace(in.end, QStringLiteral("! noise: %1 characters (host at %2 bps, %3 stop bit%4%5; radio at %6 bps)")
                              .arg(m_noiseRun)
                              .arg(m_noiseLine.baud)
                              .arg(m_noiseLine.twoStopBits ? 2 : 1)
                              .arg(m_noiseLine.twoStopBits ? "s" : "")
                              .arg(in.garbled ? ", speed changed on the way" : "")
                              .arg(m_rate));
            m_noiseRun = 0;
        }
        return;
    }
    if (in.end < m_deafUntil) {
        // Still settling at its new rate: the character is lost, and with it the
        // command being collected.
        ++deafCharacters;
        m_command.clear();
        return;
    }
    if (m_garbageOn) {
        m_garbageOn = false;
    }
    m_command += in.c;
    if (in.c == ';') {
        const QByteArray command = m_command;
        m_command.clear();
        execute(command, in.end);
    } else if (m_command.size() > kCommandLimit) {
        trace(in.end, QStringLiteral("! %1 characters without \";\" thrown away").arg(m_command.size()));
        m_command.clear();
    }
}

void Ft450Radio::execute(const QByteArray &command, qint64 t)
{
    commands << QString::fromLatin1(command);
    ++commandsHeard;
    if (m_options.silent) {
        trace(t, QStringLiteral("< %1 (silent)").arg(printable(command)));
        return;
    }
    if (m_options.stopAfter > 0 && commandsHeard > m_options.stopAfter) {
        trace(t, QStringLiteral("< %1 (dead after %2 commands)").arg(printable(command)).arg(m_options.stopAfter));
        return;
    }
    trace(t, QStringLiteral("< %1").arg(printable(command)));
    const int rateBefore = m_rate;
    const QByteArray reply = answer(command);
    if (m_rate != rateBefore && m_options.switchDeafMs > 0)
        m_deafUntil = t + qint64(m_options.switchDeafMs) * 1000;
    qint64 extra = 0;
    const bool aboutLateMemory
        = m_options.lateMemory > 0 && command.size() >= 6 && command.mid(2, 3).toInt() == m_options.lateMemory;
    bool &lateDone = command.startsWith("MW") ? m_lateWriteDone : m_lateDone;
    if (!lateDone && aboutLateMemory && !reply.isEmpty()
        && ((command.size() == 6 && command.startsWith("MR")) || command.startsWith("MW"))) {
        lateDone = true;
        extra = qint64(m_options.lateMs) * 1000;
        trace(t, QStringLiteral("~ answering %1 ms late").arg(m_options.lateMs));
    }
    if (!reply.isEmpty())
        sendReply(reply, t, extra);
}

QByteArray Ft450Radio::answer(const QByteArray &c)
{
    if (c == "ID;" && !m_options.identity.isEmpty())
        return m_options.identity;
    if (c == "ID;")
        return m_options.model450D ? "ID0244;" : "ID0241;";
    if (c == "AI0;" || c == "AI1;")
        return {};
    if (c.size() == 7 && c.startsWith("EX010") && c.at(5) >= '1' && c.at(5) <= '4' && c.at(6) == ';') {
        static const int rates[] = {4800, 9600, 19200, 38400};
        m_rate = rates[c.at(5) - '1'];
        trace(m_inFree, QStringLiteral("~ CAT rate now %1").arg(m_rate));
        return {};
    }
    if (c.size() == 6 && c.startsWith("MR") && c.at(5) == ';' && digits(c.mid(2, 3))) {
        const QByteArray record = memory(c.mid(2, 3).toInt());
        return record.isEmpty() ? QByteArray("?;") : record;
    }
    if (c.startsWith("MW")) {
        if (m_options.refuseWrites) {
            ++rejectedWrites;
            trace(m_inFree, QStringLiteral("! memory write refused (busy)"));
            return "?;";
        }
        if (!isValidWrite(c)) {
            ++rejectedWrites;
            trace(m_inFree, QStringLiteral("! malformed memory write refused"));
            return "?;";
        }
        setMemory(c.mid(2, 3).toInt(), c);
        return {};
    }
    return "?;";
}

void Ft450Radio::sendReply(const QByteArray &reply, qint64 t, qint64 extraMicros)
{
    ++m_repliesDue;
    if (m_options.dropEvery > 0 && m_repliesDue % m_options.dropEvery == 0) {
        trace(t, QStringLiteral("- reply dropped"));
        return;
    }
    ++repliesSent;
    const qint64 each = charMicros(m_rate);
    qint64 at = std::max(t + qint64(m_options.latencyMs) * 1000 + extraMicros, m_outFree);
    if (m_options.garbage) {
        m_garbageOn = true;
        m_garbageNext = at + each;
        return;
    }
    for (int i = 0; i < reply.size(); ++i) {
        if (m_options.splitReplies && i == reply.size() / 2)
            at += kSplitGapMicros;
        at += each;
        m_out.push_back(OutChar{at, reply.at(i), m_rate});
    }
    m_outFree = at;
    m_outReplies.push_back(OutReply{at, reply});
}

QByteArray Ft450Radio::takeOutput(qint64 now, const HostLine &line)
{
    QByteArray out;
    while (!m_out.empty() && m_out.front().end <= now) {
        const OutChar &o = m_out.front();
        out += line.baud == o.rate ? o.c : garbled(o.c);
        m_out.pop_front();
    }
    while (!m_outReplies.empty() && m_outReplies.front().end <= now) {
        trace(m_outReplies.front().end, QStringLiteral("> %1").arg(printable(m_outReplies.front().text)));
        m_outReplies.pop_front();
    }
    if (m_garbageOn) {
        const qint64 each = charMicros(m_rate);
        if (now - m_garbageNext > kGarbageBacklogMicros)
            m_garbageNext = now - kGarbageBacklogMicros;
        while (m_garbageNext <= now) {
            m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
            out += garbled(char(m_garbageSeed >> 16));
            m_garbageNext += each;
        }
    }
    return out;
}

qint64 Ft450Radio::nextEventTime() const
{
    qint64 t = kNever;
    if (!m_in.empty())
        t = std::min(t, m_in.front().end);
    if (!m_out.empty())
        t = std::min(t, m_out.front().end);
    if (!m_outReplies.empty())
        t = std::min(t, m_outReplies.front().end);
    if (m_garbageOn)
        t = std::min(t, m_garbageNext);
    return t;
}

}  // namespace ft450
