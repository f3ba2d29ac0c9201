// The simulated radio on its own: what it answers, when, and what it makes of
// characters sent at the wrong speed.
#include "Ft450Radio.h"
#include "RadioFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ft450;

namespace {

RadioOptions radioAt(int rate)
{
    RadioOptions o;
    o.rate = rate;
    return o;
}

const HostLine k4800{4800, true};
const HostLine k38400{38400, true};

struct Result {
    QByteArray output;
    qint64 lastAt = -1;  // when the last character arrived
};

// Sends `command` at `t`, runs the radio until it has been quiet for the
// horizon, and collects what reaches the host.
Result exchange(Ft450Radio &radio, const QByteArray &command, const HostLine &line, qint64 &t, qint64 horizon = 1000000)
{
    radio.hostWrote(command, line, t);
    Result r;
    const qint64 until = t + horizon;
    for (;;) {
        const qint64 next = radio.nextEventTime();
        if (next == Ft450Radio::kNever || next > until)
            break;
        t = std::max(t, next);
        radio.advance(t);
        const QByteArray out = radio.takeOutput(t, line);
        if (!out.isEmpty()) {
            r.output += out;
            r.lastAt = t;
        }
    }
    return r;
}

}  // namespace

class TestFt450Radio : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("identity") << QByteArray("ID;") << QByteArray("ID0241;");
        QTest::newRow("auto information off") << QByteArray("AI0;") << QByteArray();
        QTest::newRow("used memory") << QByteArray("MR007;") << mv::test::sampleRecord(7);
        QTest::newRow("empty memory") << QByteArray("MR008;") << QByteArray("?;");
        QTest::newRow("PMS memory") << QByteArray("MR504;") << mv::test::sampleRecord(504);
        QTest::newRow("no memory 505") << QByteArray("MR505;") << QByteArray("?;");
        QTest::newRow("no memory 000") << QByteArray("MR000;") << QByteArray("?;");
        QTest::newRow("short read") << QByteArray("MR07;") << QByteArray("?;");
        QTest::newRow("unknown command") << QByteArray("FA;") << QByteArray("?;");
        QTest::newRow("good write") << QByteArray("MW00807000000+000000100000;") << QByteArray();
        QTest::newRow("write with clarifier, kept") << QByteArray("MW00807000000-001250130000;") << QByteArray();
        QTest::newRow("write, 60 MHz") << QByteArray("MW00860000000+000000400000;") << QByteArray("?;");
        QTest::newRow("write, 20 kHz") << QByteArray("MW00800020000+000000100000;") << QByteArray("?;");
        QTest::newRow("write, no mode code A") << QByteArray("MW00807000000+000000A00000;") << QByteArray("?;");
        QTest::newRow("write, tone 50") << QByteArray("MW00807000000+000000100500;") << QByteArray("?;");
        QTest::newRow("write, one short") << QByteArray("MW00807000000+00000010000;") << QByteArray("?;");
        QTest::newRow("write, memory 505") << QByteArray("MW50507000000+000000100000;") << QByteArray("?;");
    }
    void answers()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        Ft450Radio radio(radioAt(38400));
        radio.setMemory(7, mv::test::sampleRecord(7));
        radio.setMemory(504, mv::test::sampleRecord(504));
        qint64 t = 0;
        QCOMPARE(exchange(radio, command, k38400, t).output, reply);
        QCOMPARE(radio.commands, QStringList{QString::fromLatin1(command)});
        if (command.startsWith("MW") && reply.isEmpty())
            QCOMPARE(radio.memory(8), "MR" + command.mid(2));
        else
            QVERIFY(radio.memory(8).isEmpty());
    }

    void modelDAnswersItsOwnIdentity()
    {
        RadioOptions o = radioAt(38400);
        o.model450D = true;
        Ft450Radio radio(o);
        qint64 t = 0;
        QCOMPARE(exchange(radio, "ID;", k38400, t).output, QByteArray("ID0244;"));
    }

    // The reply's last character arrives after the command's wire time, the
    // turnaround and the reply's wire time, 11 bits a character.
    void pacesAtTheLineRate()
    {
        Ft450Radio radio(radioAt(38400));
        radio.setMemory(1, mv::test::sampleRecord(1));
        qint64 t = 0;
        const Result r = exchange(radio, "MR001;", k38400, t);
        const qint64 each = Ft450Radio::charMicros(38400);
        QCOMPARE(r.output.size(), 27);
        QCOMPARE(r.lastAt, 6 * each + 10000 + 27 * each);
    }

    void wrongLineIsNoise_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<bool>("twoStopBits");
        QTest::newRow("38400 to a radio at 4800") << 38400 << true;
        QTest::newRow("9600 to a radio at 4800") << 9600 << true;
        QTest::newRow("one stop bit") << 4800 << false;
    }
    void wrongLineIsNoise()
    {
        QFETCH(int, baud);
        QFETCH(bool, twoStopBits);
        Ft450Radio radio;
        qint64 t = 0;
        QVERIFY(exchange(radio, "ID;", HostLine{baud, twoStopBits}, t).output.isEmpty());
        QVERIFY(radio.commands.isEmpty());
        QCOMPARE(radio.noiseCharacters, 3);
        // Noise does not poison the next clean command.
        QCOMPARE(exchange(radio, "ID;", k4800, t).output, QByteArray("ID0241;"));
    }

    // A host that changes speed before the rate command has left the wire cuts
    // it off: the radio keeps its rate.
    void speedChangeBeforeTheLastCharacterGarbles_data()
    {
        QTest::addColumn<qint64>("changeAt");
        QTest::addColumn<int>("rateAfter");
        const qint64 wire = 7 * Ft450Radio::charMicros(4800);
        QTest::newRow("while shifting out") << wire - 100 << 4800;
        QTest::newRow("after the last character") << wire << 38400;
    }
    void speedChangeBeforeTheLastCharacterGarbles()
    {
        QFETCH(qint64, changeAt);
        QFETCH(int, rateAfter);
        Ft450Radio radio;
        radio.hostWrote("EX0104;", k4800, 0);
        radio.advance(changeAt);
        radio.hostLineChanged(k38400, changeAt);
        radio.advance(changeAt + 100000);
        QCOMPARE(radio.rate(), rateAfter);
    }

    void newRateAppliesAfterTheCommand()
    {
        Ft450Radio radio;
        qint64 t = 0;
        QVERIFY(exchange(radio, "EX0103;", k4800, t).output.isEmpty());
        QCOMPARE(radio.rate(), 19200);
        QVERIFY(exchange(radio, "ID;", k4800, t).output.isEmpty());
        QCOMPARE(exchange(radio, "ID;", HostLine{19200, true}, t).output, QByteArray("ID0241;"));
    }

    void replyHeardAtAnotherSpeedIsGarbled()
    {
        Ft450Radio radio(radioAt(38400));
        radio.hostWrote("ID;", k38400, 0);
        radio.advance(3 * Ft450Radio::charMicros(38400));
        // The host switched to 4800 before the reply came.
        const QByteArray heard = radio.takeOutput(100000, k4800);
        QCOMPARE(heard.size(), 7);
        QVERIFY(!heard.contains(';'));
    }

    void faults()
    {
        RadioOptions o = radioAt(38400);
        o.latencyMs = 1;
        {
            o.dropEvery = 2;
            Ft450Radio radio(o);
            qint64 t = 0;
            QCOMPARE(exchange(radio, "ID;", k38400, t).output, QByteArray("ID0241;"));
            QVERIFY(exchange(radio, "ID;", k38400, t).output.isEmpty());
            QCOMPARE(exchange(radio, "ID;", k38400, t).output, QByteArray("ID0241;"));
            o.dropEvery = 0;
        }
        {
            // Dead after two commands: a write is neither answered nor stored.
            o.stopAfter = 2;
            Ft450Radio radio(o);
            qint64 t = 0;
            QCOMPARE(exchange(radio, "ID;", k38400, t).output, QByteArray("ID0241;"));
            QCOMPARE(exchange(radio, "MR001;", k38400, t).output, QByteArray("?;"));
            QVERIFY(exchange(radio, "MW00107000000+000000100000;", k38400, t).output.isEmpty());
            QVERIFY(exchange(radio, "MR001;", k38400, t).output.isEmpty());
            QVERIFY(radio.memory(1).isEmpty());
            o.stopAfter = 0;
        }
        {
            // Only the first answer for the memory is late.
            o.lateMemory = 3;
            o.lateMs = 150;
            Ft450Radio radio(o);
            qint64 t = 0;
            const qint64 sent = t;
            const Result late = exchange(radio, "MR003;", k38400, t);
            QCOMPARE(late.output, QByteArray("?;"));
            QVERIFY(late.lastAt - sent >= 150000);
            const qint64 again = t;
            QVERIFY(exchange(radio, "MR003;", k38400, t).lastAt - again < 20000);
            o.lateMemory = 0;
        }
        {
            // Deaf for a moment at its new rate: a command sent at once is lost.
            o.switchDeafMs = 50;
            Ft450Radio radio(o);
            qint64 t = 0;
            exchange(radio, "EX0101;", k38400, t);
            QVERIFY(exchange(radio, "ID;", k4800, t).output.isEmpty());
            QVERIFY(radio.deafCharacters > 0);
            t += 50000;
            QCOMPARE(exchange(radio, "ID;", k4800, t).output, QByteArray("ID0241;"));
            o.switchDeafMs = 0;
        }
        {
            o.silent = true;
            Ft450Radio radio(o);
            qint64 t = 0;
            QVERIFY(exchange(radio, "EX0101;", k38400, t).output.isEmpty());
            QCOMPARE(radio.rate(), 38400);
            o.silent = false;
        }
        {
            o.splitReplies = true;
            Ft450Radio radio(o);
            qint64 t = 0;
            radio.hostWrote("ID;", k38400, t);
            QByteArray got;
            QList<qint64> times;
            while (radio.nextEventTime() != Ft450Radio::kNever) {
                t = radio.nextEventTime();
                radio.advance(t);
                const QByteArray out = radio.takeOutput(t, k38400);
                if (!out.isEmpty()) {
                    got += out;
                    times << t;
                }
            }
            QCOMPARE(got, QByteArray("ID0241;"));
            QVERIFY(times.at(3) - times.at(2) >= 40000);
            o.splitReplies = false;
        }
        {
            o.garbage = true;
            Ft450Radio radio(o);
            qint64 t = 0;
            const QByteArray noise = exchange(radio, "ID;", k38400, t, 200000).output;
            QVERIFY(noise.size() > 500);
            QVERIFY(!noise.contains(';'));
            QVERIFY(radio.nextEventTime() != Ft450Radio::kNever);
        }
    }

    void memoryFiles()
    {
        Ft450Radio radio;
        QString error;
        QVERIFY(radio.loadMemoryText("MR00107000000+000000100000;\r\n\r\nMW50428000000+000000200000;\n", &error));
        QCOMPARE(radio.usedCount(), 2);
        QCOMPARE(radio.memoryFileText(), QByteArray("MW00107000000+000000100000;\r\nMW50428000000+000000200000;\r\n"));
        QVERIFY(!radio.loadMemoryText("MR00107000000+000000100000;\nMR0020700000;\n", &error));
        QVERIFY2(error.startsWith("line 2"), qPrintable(error));
        QCOMPARE(radio.usedCount(), 2);

        QTemporaryDir dir;
        const QString path = dir.filePath("dump.450");
        QVERIFY(radio.dumpMemoryFile(path, &error));
        Ft450Radio again;
        QVERIFY(again.loadMemoryFile(path, &error));
        QCOMPARE(again.memoryFileText(), radio.memoryFileText());
    }
};

QTEST_GUILESS_MAIN(TestFt450Radio)
#include "tst_ft450radio.moc"
