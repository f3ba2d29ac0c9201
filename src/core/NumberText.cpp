#include "core/NumberText.h"

#include <QLocale>
#include <cmath>

namespace mv {

namespace {
QChar g_decimal = QLatin1Char('.');
QChar g_list = QLatin1Char(',');

struct Pattern {
    int minInt = 1;
    int decimals = 0;
};

Pattern parsePattern(const QString &pattern)
{
    Pattern p;
    const int dot = pattern.indexOf('.');
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    p.minInt = int(intPart.count('0'));
    p.decimals = dot < 0 ? 0 : int(pattern.mid(dot + 1).count('0'));
    return p;
}

QString formatParts(bool negative, quint64 intPart, quint64 fraction, const Pattern &p)
{
    QString digits = QString::number(intPart);
    if (intPart == 0)
        digits = p.minInt == 0 ? QString() : QStringLiteral("0");
    while (digits.size() < p.minInt)
        digits.prepend('0');
    QString out = negative ? QStringLiteral("-") + digits : digits;
    if (p.decimals > 0) {
        QString frac = QString::number(fraction);
        while (frac.size() < p.decimals)
            frac.prepend('0');
        out += g_decimal;
        out += frac;
    }
    return out;
}
}  // namespace

QChar DecimalSeparator() { return g_decimal; }
QChar ListSeparator() { return g_list; }
void SetListSeparator(QChar separator) { g_list = separator; }

void DetectSeparators()
{
    const QString s = QLocale().toString(1.1, 'f', 1);
    g_decimal = s.size() >= 2 ? s.at(1) : QLatin1Char('.');
    g_list = g_decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char(';');
}

QString FormatScaled(qint64 value, int scale, const QString &pattern)
{
    const Pattern p = parsePattern(pattern);
    const bool negative = value < 0;
    quint64 v = negative ? quint64(-(value + 1)) + 1 : quint64(value);
    // Bring the value to exactly p.decimals decimals, rounding half away from zero.
    if (scale > p.decimals) {
        quint64 div = 1;
        for (int i = 0; i < scale - p.decimals; ++i)
            div *= 10;
        v = (v + div / 2) / div;
    } else {
        for (int i = 0; i < p.decimals - scale; ++i)
            v *= 10;
    }
    quint64 unit = 1;
    for (int i = 0; i < p.decimals; ++i)
        unit *= 10;
    return formatParts(negative && v != 0, v / unit, v % unit, p);
}

QString FormatNumber(double value, const QString &pattern)
{
    const Pattern p = parsePattern(pattern);
    const double scaled = std::round(std::fabs(value) * std::pow(10.0, p.decimals));
    const qint64 asInt = qint64(scaled) * (value < 0 ? -1 : 1);
    return FormatScaled(asInt, p.decimals, pattern);
}

QString SignedText(qint64 n) { return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n); }

bool IsNumericText(const QString &text)
{
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    int digits = 0;
    bool seenSep = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            ++digits;
        } else if (c == g_decimal && !seenSep) {
            seenSep = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool IsAsciiDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return true;
}

}  // namespace mv
