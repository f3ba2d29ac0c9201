#include "cat/Ft450Commands.h"

#include "core/MemoryRecord.h"

namespace mv {

bool Ft450Commands::isIdentity(const QString &reply)
{
    return reply == QLatin1String("ID0241;") || reply == QLatin1String("ID0244;");
}

QString Ft450Commands::readCommand(int n) { return QStringLiteral("MR%1;").arg(n, 3, 10, QLatin1Char('0')); }

QString Ft450Commands::memoryReplyPrefix(int n) { return readCommand(n).left(5); }

CatReply Ft450Commands::identify() { return m_link.Transact(QStringLiteral("ID;"), isIdentity); }

void Ft450Commands::autoInformationOff() { m_link.SendCommand(QStringLiteral("AI0;")); }

bool Ft450Commands::setCatRate(const LineSettings &settings)
{
    // The menu item counts up from 4800 (1) to 38400 (4); the list runs fastest first.
    const int rateIndex = int(CatLink::RateSettings().indexOf(settings));
    if (rateIndex < 0)
        return false;
    m_link.SendCommand(QStringLiteral("EX010%1;").arg(4 - rateIndex));
    return true;
}

CatReply Ft450Commands::readMemory(int n)
{
    return m_link.Transact(readCommand(n), [n](const QString &reply) { return IsMemoryReply(reply, n); });
}

void Ft450Commands::writeMemory(const QString &record) { m_link.SendCommand(record); }

}  // namespace mv
