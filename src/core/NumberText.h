#pragma once
// Locale separators and the number patterns of the program's texts.
//
// DecimalSeparator / ListSeparator are program-wide: DetectSeparators reads them
// from the default QLocale (tests switch it with QLocale::setDefault), and the CSV
// export's "Tab" option replaces the list separator until the next detection.
#include <QChar>
#include <QString>

namespace mv {

QChar DecimalSeparator();
QChar ListSeparator();
void SetListSeparator(QChar separator);
// Formats 1.1 with "#.0" and takes its second character; list separator is ","
// for a "." decimal mark and ";" otherwise.
void DetectSeparators();

// Formats value / 10^scale exactly (no binary floating point) with a pattern of
// the forms "##0.00000", "#0.000000", "##.00000", "#.0", "000", "00", "00000000":
// the count of '0' before the point is the minimum number of integer digits, the
// count after it the number of decimals (rounded half away from zero). The decimal
// mark is DecimalSeparator().
QString FormatScaled(qint64 value, int scale, const QString &pattern);
// The same for a double (used only where the source is a double already).
QString FormatNumber(double value, const QString &pattern);

// Signed-number text as placed into messages: a non-negative number gets one
// leading blank (" 12"), a negative one its minus sign ("-3").
QString SignedText(qint64 n);

// True when text (trimmed) is a plain decimal number in the user's locale:
// optional sign, digits, at most one DecimalSeparator.
bool IsNumericText(const QString &text);

// True when text is one or more ASCII digits '0'..'9' and nothing else (no
// sign, blank or separator).
bool IsAsciiDigits(const QString &text);

}  // namespace mv
