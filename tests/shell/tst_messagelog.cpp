// The message log: the capacity reset and close (what the messages window
// shows of it, and the copy entry, are in tst_shellwindows).
#include "shell/MessageLog.h"

#include <QSignalSpy>
#include <QtTest>

using namespace mv;

class TestMessageLog : public QObject {
    Q_OBJECT

private slots:
    void capacityResetAtTheBoundary()
    {
        MessageLog log;
        log.LogMessage(QString(63998, 'x'));  // plus CR LF: exactly 64000 is kept
        log.LogMessage("next");
        QCOMPARE(log.text(), QString(63998, 'x') + "\r\nnext\r\n");
        log.LogMessage("after");  // past 64000 the log starts afresh
        QCOMPARE(log.text(), QString("after\r\n"));
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
