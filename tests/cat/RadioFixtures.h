#pragma once
// Memory records and simulator set-ups shared by the radio link tests.
#include "Ft450Radio.h"
#include "SimulatedSerialPort.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace mv::test {

// A record the program reads and writes back unchanged: 10 Hz steps (memory rows
// show five decimals), a mode, tone, encoding and shift that vary with n.
inline QByteArray sampleRecord(int n, int variant = 0)
{
    static const char modes[] = "123456789BC";
    const qint64 hz = 1800000 + qint64(n) * 10000 + qint64(variant) * 1000;
    return QStringLiteral("MR%1%2+000000%3%4%5%6;")
        .arg(n, 3, 10, QLatin1Char('0'))
        .arg(hz, 8, 10, QLatin1Char('0'))
        .arg(QString(QLatin1Char(modes[(n + variant) % 11])) + QLatin1Char('0'))
        .arg((n + variant) % 3)
        .arg((n + variant) % 50, 2, 10, QLatin1Char('0'))
        .arg((n + variant) % 3)
        .toLatin1();
}

// The memory file text (MW records, CR LF) of the memories `used(n)` selects.
template <typename Pred> QByteArray sampleMemoryFile(Pred used, int variant = 0)
{
    QByteArray out;
    for (int n = 1; n <= ft450::kMemoryCount; ++n) {
        if (used(n))
            out += "MW" + sampleRecord(n, variant).mid(2) + "\r\n";
    }
    return out;
}

inline void fillRadio(ft450::Ft450Radio &radio, int every = 1)
{
    for (int n = 1; n <= ft450::kMemoryCount; ++n) {
        if (n % every == 0)
            radio.setMemory(n, sampleRecord(n));
    }
}

}  // namespace mv::test
