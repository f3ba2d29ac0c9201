#pragma once
// A row of a _data table on one line: row("Orbis comma", header, "Orbis", ",").
#include <QtTest>

namespace mv::test {

template <typename... Cells> void row(const char *name, const Cells &...cells)
{
    QTestData &data = QTest::newRow(name);
    (data << ... << cells);
}

}  // namespace mv::test
