#pragma once
// Runs every test function of a suite once under a decimal-point and once under
// a decimal-comma locale. Use MV_LOCALE_CASES() inside `private slots:`.
#include "core/NumberText.h"

#include <QLocale>
#include <QString>
#include <QtTest>

namespace mv::test {

// The locale names the two rows use.
inline void addLocaleRows(const char *point = "en_GB", const char *comma = "de_DE")
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("point") << QString::fromLatin1(point);
    QTest::newRow("comma") << QString::fromLatin1(comma);
}

inline void applyLocaleRow()
{
    QFETCH_GLOBAL(QString, locale);
    QLocale::setDefault(QLocale(locale));
    mv::DetectSeparators();
}

// "7.05" with the current decimal mark.
inline QString mark(QString s) { return s.replace(QLatin1Char('.'), mv::DecimalSeparator()); }

}  // namespace mv::test

// MV_LOCALE_CASES() or MV_LOCALE_CASES("en_US", "fr_FR").
#define MV_LOCALE_CASES(...)                                                                                           \
    void initTestCase_data() { mv::test::addLocaleRows(__VA_ARGS__); }                                                 \
    void init() { mv::test::applyLocaleRow(); }
