// Print options: stored keys, their defaults, the width sum and the top margin.
#include "DataRows.h"
#include "print/PrintOptions.h"
#include "shell/SettingsStore.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mv;

class TestPrintOptions : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;

private slots:
    void init()
    {
        m_settings.reset();
        QDir(m_dir.path() + "/s").removeRecursively();
        m_settings = std::make_unique<SettingsStore>(m_dir.path() + "/s");
    }

    void width_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<int>("width");
        mv::test::row("none", QList<int>{}, 0);
        mv::test::row("frequency+description", QList<int>{0, 5}, 25);
        mv::test::row("all but frequency", QList<int>{1, 2, 3, 4, 5}, 43);
        mv::test::row("all", QList<int>{0, 1, 2, 3, 4, 5}, 53);
    }
    void width()
    {
        QFETCH(QList<int>, checked);
        QFETCH(int, width);
        PrintOptions o;
        for (int i = 0; i < PrintOptions::kColumnCount; ++i)
            o.columns[size_t(i)] = checked.contains(i);
        QCOMPARE(o.width(), width);
        QCOMPARE(o.anyColumn(), !checked.isEmpty());
        QCOMPARE(PrintOptions::widthLabel(o.width()), "Width=" + QString::number(width));
    }

    void topMargin_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("twips");
        QTest::addColumn<QString>("item");
        mv::test::row("minimum", "Minimum", 0, "Minimum");
        mv::test::row("one inch", "1 inch", 1240, "1 inch");
        mv::test::row("other text", "2 inches", 1240, "1 inch");
        mv::test::row("wrong case", "minimum", 1240, "1 inch");
    }
    void topMargin()
    {
        QFETCH(QString, text);
        QFETCH(int, twips);
        QFETCH(QString, item);
        QCOMPARE(PrintOptions::topMarginTwips(text), twips);
        QCOMPARE(PrintOptions::topMarginItem(text), item);
        // The list shows an item whose margin is the one the text stands for.
        QCOMPARE(PrintOptions::topMarginTwips(item), twips);

        m_settings->set<Setting::TopMargin>(text);
        const PrintOptions o = LoadPrintOptions(*m_settings);
        QCOMPARE(o.topMarginText, item);
        QCOMPARE(o.PrintTopMargin, twips);
    }

    void handEditedValues_data()
    {
        QTest::addColumn<int>("column");  // -1: Landscape
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("expected");
        mv::test::row("column garbage keeps default", 0, "abc", true);
        mv::test::row("column zero", 1, "0", false);
        mv::test::row("column other number", 2, "2", true);
        mv::test::row("landscape garbage keeps default", -1, "perhaps", true);
        mv::test::row("landscape false", -1, "False", false);
    }
    void handEditedValues()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(bool, expected);
        if (column >= 0)
            m_settings->setText(Setting::PrintCol, value, column + 1);
        else
            m_settings->setText(Setting::Landscape, value);
        const PrintOptions o = LoadPrintOptions(*m_settings);
        QCOMPARE(column >= 0 ? o.columns[size_t(column)] : o.PrintLandscape, expected);
    }
};

QTEST_GUILESS_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
