// Reading whole text files (memory sets, descriptions, CSV imports): decoding,
// line ends, and the files refused before or while reading.
#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace mv;

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("abc") << "abc";
        QTest::newRow("utf-8") << QByteArray("M\xC3\xBCnster") << QString::fromUtf8("Münster");
        QTest::newRow("latin-1") << QByteArray("M\xFCnster") << QString::fromUtf8("Münster");
        QTest::newRow("bom dropped") << QByteArray("\xEF\xBB\xBFMemory") << "Memory";
        QTest::newRow("broken utf-8 read as latin-1") << QByteArray("\xC3") << QString::fromUtf8("Ã");
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeText(bytes), text);
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("blank line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(text), lines);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<TextFile::Problem>("problem");
        QTest::newRow("missing") << "missing" << TextFile::Problem::Missing;
        // Anything but a regular file is refused without waiting: a FIFO that no
        // one writes, a device, a folder.
        QTest::newRow("FIFO") << "fifo" << TextFile::Problem::NotRegular;
        QTest::newRow("device") << "/dev/null" << TextFile::Problem::NotRegular;
        QTest::newRow("folder") << "folder" << TextFile::Problem::NotRegular;
        QTest::newRow("unreadable") << "unreadable" << TextFile::Problem::OpenFailed;
        QTest::newRow("one byte too many") << "101" << TextFile::Problem::TooLarge;
        QTest::newRow("exactly the limit") << "100" << TextFile::Problem::None;
        QTest::newRow("NUL byte") << "nul" << TextFile::Problem::Binary;
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
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            path = dir.path();
        else if (kind.startsWith('/'))
            path = kind;
        else if (kind == "nul")
            write(QByteArray("a\0b", 3));
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
        QCOMPARE(t.folder, kind == "folder");
        QCOMPARE(t.lines.size(), problem == TextFile::Problem::None ? 1 : 0);
        if (problem == TextFile::Problem::OpenFailed)
            QCOMPARE(t.reason(), QString("Permission denied"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
