// Print options: the width sum and what is read back from the stored keys,
// hand-edited ones included.
#include "DataRows.h"
#include "print/PrintOptions.h"
#include "shell/SettingsStore.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using mv::test::row;

class TestPrintOptions : public QObject {
    Q_OBJECT

private slots:
    void width_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<int>("width");
        row("none", QList<int>{}, 0);
        row("frequency+description", QList<int>{0, 5}, 25);
    }
    void width()
    {
        QFETCH(QList<int>, checked);
        QFETCH(int, width);
        PrintOptions o;
        for (int i = 0; i < PrintOptions::kColumnCount; ++i)
            o.columns[size_t(i)] = checked.contains(i);
        QCOMPARE(o.width(), width);
        QCOMPARE(o.anyColumn(), width > 0);
    }

    void loaded_data()
    {
        QTest::addColumn<int>("key");  // a column from 0, -1: Landscape, -2: TopMargin
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("loaded");
        row("minimum margin", -2, "Minimum", "Minimum 0");
        row("one inch margin", -2, "1 inch", "1 inch 1240");
        row("other margin text", -2, "2 inches", "1 inch 1240");
        row("margin in the wrong case", -2, "minimum", "1 inch 1240");
        row("column garbage keeps default", 0, "abc", "1");
        row("column zero", 1, "0", "0");
        row("column other number", 2, "2", "1");
        row("landscape garbage keeps default", -1, "perhaps", "1");
        row("landscape false", -1, "False", "0");
    }
    void loaded()
    {
        QFETCH(int, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        SettingsStore settings(dir.path());
        if (key >= 0)
            settings.setText(Setting::PrintCol, value, key + 1);
        else if (key == -1)
            settings.setText(Setting::Landscape, value);
        else
            settings.set<Setting::TopMargin>(value);
        const PrintOptions o = LoadPrintOptions(settings);
        const QString got = key >= 0    ? QString::number(o.columns[size_t(key)])
                            : key == -1 ? QString::number(o.PrintLandscape)
                                        : o.topMarginText + " " + QString::number(o.PrintTopMargin);
        QTEST(got, "loaded");
    }
};

QTEST_GUILESS_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
