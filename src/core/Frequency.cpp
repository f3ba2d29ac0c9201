#include "core/Frequency.h"

#include "core/NumberText.h"
#include "shell/Dialogs.h"

#include <limits>

namespace mv {

namespace {
// Decimal digits (with an optional sign) to a 64-bit value; false on anything else
// or when the value leaves the 32-bit range.
bool toInt32(const QString &digits, qint64 *out)
{
    if (digits.isEmpty() || digits == QLatin1String("-") || digits == QLatin1String("+")) {
        *out = 0;
        return true;
    }
    bool ok = false;
    const qint64 v = digits.toLongLong(&ok);
    if (!ok || v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return false;
    *out = v;
    return true;
}
}  // namespace

std::optional<qint32> ParseFrequency(const QString &text, Boxes boxes, Dialogs *dialogs)
{
    const QString t = text.trimmed();
    if (!IsNumericText(t)) {
        if (boxes == Boxes::Show && dialogs)
            dialogs->messageBox(QStringLiteral("Not a numeric value"), Buttons::Ok, Icon::Exclamation);
        return std::nullopt;
    }
    auto conversionError = [&]() -> std::optional<qint32> {
        if (dialogs)
            dialogs->messageBox(QStringLiteral("Error converting from string ") + text, Buttons::Ok, Icon::Exclamation);
        return std::nullopt;
    };
    const int sep = int(t.indexOf(DecimalSeparator()));
    qint64 whole = 0;
    if (sep < 0) {
        if (!toInt32(t, &whole))
            return conversionError();
        const qint64 v = whole * 100000;
        if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
            return conversionError();
        return qint32(v);
    }
    if (!toInt32(t.left(sep), &whole))
        return conversionError();
    const QString frac = t.mid(sep + 1);
    const int d = int(frac.size());
    qint64 fracValue = 0;
    if (d > 0) {
        static const qint64 factors[] = {0, 10000, 1000, 100, 10};
        qint64 part = 0;
        if (!toInt32(d >= 5 ? frac.left(5) : frac, &part))
            return conversionError();
        fracValue = d >= 5 ? part : part * factors[d];
    }
    // The fractional digits add to the integer part's magnitude; a leading minus
    // makes the whole value negative.
    const bool negative = t.startsWith('-');
    qint64 v = whole * 100000 + (negative ? -fracValue : fracValue);
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return conversionError();
    return qint32(v);
}

bool IsFrequencyInRange(qint32 value) { return value >= kMinFrequency && value <= kMaxFrequency; }

QString FormatFrequency(qint32 units) { return FormatScaled(units, 5, QStringLiteral("##0.00000")); }

std::optional<qint32> ValidateFrequency(const QString &text, Boxes boxes, Dialogs *dialogs)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("Empty"))
        t = FormatScaled(7, 0, QStringLiteral("##0.00000"));
    const std::optional<qint32> value = ParseFrequency(t, boxes, dialogs);
    if (!value)
        return std::nullopt;
    if (!IsFrequencyInRange(*value)) {
        if (boxes == Boxes::Show && dialogs)
            dialogs->messageBox(QStringLiteral("Frequency is outside the range of the radio"), Buttons::Ok,
                                Icon::Exclamation);
        return std::nullopt;
    }
    return value;
}

}  // namespace mv
