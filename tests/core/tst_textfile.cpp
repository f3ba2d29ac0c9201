// Reading whole text files (memory sets, descriptions, CSV imports): decoding,
// line ends, and the files refused before or while reading.
#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    // Bytes of a file and the lines read from it.
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("utf-8") << QByteArray("M\xC3\xBCnster") << QStringList{QString::fromUtf8("Münster")};
        QTest::newRow("latin-1") << QByteArray("M\xFCnster") << QStringList{QString::fromUtf8("Münster")};
        QTest::newRow("bom dropped") << QByteArray("\xEF\xBB\xBFMemory") << QStringList{"Memory"};
        QTest::newRow("broken utf-8 read as latin-1") << QByteArray("\xC3") << QStringList{QString::fromUtf8("Ã")};
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lf") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("blank line kept") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(DecodeText(bytes)), lines);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<TextFile::Problem>("problem");
        // FIFOs, folders and NUL bytes: tst_memorysetformat and tst_memorydocument.
        QTest::newRow("missing") << "missing" << TextFile::Problem::Missing;
        QTest::newRow("device") << "/dev/null" << TextFile::Problem::NotRegular;
        QTest::newRow("unreadable") << "unreadable" << TextFile::Problem::OpenFailed;
        QTest::newRow("one byte too many") << "101" << TextFile::Problem::TooLarge;
        QTest::newRow("exactly the limit") << "100" << TextFile::Problem::None;
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(TextFile::Problem, problem);
        QTemporaryDir dir;
        QString path = dir.filePath("file.txt");
        auto write = [&](const QByteArray &bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        if (kind.startsWith('/'))
            path = kind;
        else if (kind == "100" || kind == "101")
            write(QByteArray(kind.toInt(), 'x'));
        else if (kind == "unreadable") {
            write("text");
            QFile::setPermissions(path, {});
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("the file stays readable (running as root)");
        }
        const TextFile t = ReadTextFile(path, 100);
        QCOMPARE(t.problem, problem);
        QCOMPARE(t.lines.size(), problem == TextFile::Problem::None ? 1 : 0);
        if (problem == TextFile::Problem::OpenFailed)
            QCOMPARE(t.reason(), QString("Permission denied"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
