// The message log: the capacity reset and close (what the messages window
// shows of it, and the copy entry, are in tst_shellwindows).
#include "shell/MessageLog.h"

#include <QSignalSpy>
#include <QtTest>

using namespace mv;

class TestMessageLog : public QObject {
    Q_OBJECT

private slots:
    void capacityResetAtTheBoundary_data()
    {
        QTest::addColumn<int>("startLength");
        QTest::addColumn<QString>("after");
        QTest::newRow("exactly 64000 keeps") << 64000 << QString(63998, 'x') + "\r\nnext\r\n";
        QTest::newRow("64001 starts afresh") << 64001 << QString("next\r\n");
    }
    void capacityResetAtTheBoundary()
    {
        QFETCH(int, startLength);
        MessageLog log;
        log.LogMessage(QString(startLength - 2, 'x'));  // plus CR LF
        log.LogMessage("next");
        QTEST(log.text(), "after");
    }

    void closeThenLogAgainStartsEmpty()
    {
        MessageLog log;
        QSignalSpy closed(&log, &MessageLog::closed);
        log.LogMessage("before");
        log.close();
        log.close();  // closing a closed window is nothing
        QVERIFY(log.text().isEmpty());
        QCOMPARE(closed.count(), 1);
        log.setLoggingEnabled(false);
        log.LogMessage("trace", LogLevel::Trace);
        QVERIFY(!log.isOpen());
        log.LogMessage("after");
        QVERIFY(log.isOpen());
        QCOMPARE(log.text(), QString("after\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
