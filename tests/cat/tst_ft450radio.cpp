// The simulated radio on its own: what it answers, when, and what it makes of
// characters sent at the wrong speed.
#include "Ft450Radio.h"
#include "RadioFixtures.h"

#include <QtTest>

using namespace ft450;

namespace {

const HostLine k4800{4800, true};
const HostLine k38400{38400, true};

// Sends `command` at `t`, runs the radio until it has been quiet for a second,
// and collects what reaches the host.
QByteArray exchange(Ft450Radio &radio, const QByteArray &command, const HostLine &line, qint64 &t)
{
    radio.hostWrote(command, line, t);
    QByteArray output;
    const qint64 until = t + 1000000;
    for (;;) {
        const qint64 next = radio.nextEventTime();
        if (next == Ft450Radio::kNever || next > until)
            break;
        t = std::max(t, next);
        radio.advance(t);
        output += radio.takeOutput(t, line);
    }
    return output;
}

}  // namespace

class TestFt450Radio : public QObject {
    Q_OBJECT

private slots:
    // What the radio answers to each command in turn (an empty reply: silence).
    void answers_data()
    {
        QTest::addColumn<QByteArray>("options");  // the fault set up
        QTest::addColumn<QList<QByteArray>>("commands");
        QTest::addColumn<QList<QByteArray>>("replies");
        using L = QList<QByteArray>;
        const QByteArray mw = "MW00807000000+000000100000;";
        QTest::newRow("identity") << QByteArray() << L{"ID;"} << L{"ID0241;"};
        QTest::newRow("reads") << QByteArray()
                               << L{"AI0;", "MR007;", "MR008;", "MR504;", "MR505;", "MR000;", "MR07;", "FA;"}
                               << L{"",  mv::test::sampleRecord(7), "?;", mv::test::sampleRecord(504), "?;", "?;", "?;",
                                    "?;"};
        QTest::newRow("good write, clarifier kept")
            << QByteArray() << L{"MW00807000000-001250130000;", "MR008;"} << L{"", "MR00807000000-001250130000;"};
        QTest::newRow("writes refused") << QByteArray()
                                        << L{"MW00860000000+000000400000;",
                                             "MW00800020000+000000100000;",
                                             "MW00807000000+000000A00000;",
                                             "MW00807000000+000000100500;",
                                             "MW00807000000+00000010000;",
                                             "MW50507000000+000000100000;",
                                             "MR008;"}
                                        << L{"?;", "?;", "?;", "?;", "?;", "?;", "?;"};
        QTest::newRow("every 2nd reply dropped")
            << QByteArray("drop") << L{"ID;", "ID;", "ID;"} << L{"ID0241;", "", "ID0241;"};
        QTest::newRow("dead after two: a write neither answered nor stored")
            << QByteArray("stop") << L{"ID;", "MR008;", mw, "MR008;"} << L{"ID0241;", "?;", "", ""};
    }
    void answers()
    {
        QFETCH(QByteArray, options);
        QFETCH(QList<QByteArray>, commands);
        QFETCH(QList<QByteArray>, replies);
        RadioOptions o;
        o.rate = 38400;
        o.latencyMs = 1;
        o.dropEvery = options == "drop" ? 2 : 0;
        o.stopAfter = options == "stop" ? 2 : 0;
        Ft450Radio radio(o);
        radio.setMemory(7, mv::test::sampleRecord(7));
        radio.setMemory(504, mv::test::sampleRecord(504));
        qint64 t = 0;
        QList<QByteArray> got;
        for (const QByteArray &command : commands)
            got << exchange(radio, command, k38400, t);
        QCOMPARE(got, replies);
        QCOMPARE(radio.rate(), 38400);
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
        Ft450Radio radio;
        radio.hostWrote("EX0104;", k4800, 0);
        radio.advance(changeAt);
        radio.hostLineChanged(k38400, changeAt);
        radio.advance(changeAt + 100000);
        QTEST(radio.rate(), "rateAfter");
    }
};

QTEST_GUILESS_MAIN(TestFt450Radio)
#include "tst_ft450radio.moc"
