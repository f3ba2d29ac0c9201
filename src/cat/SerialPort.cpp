#include "cat/SerialPort.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

namespace mv {

void SerialPort::sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

qint64 SerialPort::clockMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

QString LineSettings::text() const
{
    const QString stop = stopBits == 3 ? QStringLiteral("1.5") : QString::number(stopBits);
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(parity).arg(dataBits).arg(stop);
}

qint64 CharacterWireMicros(const LineSettings &settings)
{
    if (settings.baud <= 0)
        return 0;
    // Stop bits: 1.5 counts as 2 here (a whole bit time is the safe side).
    const int stop = settings.stopBits == 1 ? 1 : 2;
    const int bits = 1 + settings.dataBits + (settings.parity == QLatin1Char('N') ? 0 : 1) + stop;
    return (qint64(bits) * 1000000 + settings.baud - 1) / settings.baud;
}

}  // namespace mv
