// The CAT link: the exact waits of sending a command and
// collecting its reply.
#include "TestContext.h"
#include "cat/CatLink.h"

#include <QtTest>

using namespace mv;
using namespace mv::test;

namespace {

// A port that plays back a script: pieces of reply arriving a number of
// milliseconds after the last write, on a virtual clock.
struct Script {
    QList<QPair<int, QByteArray>> pieces;
    qint64 now = 0;
    qint64 base = 0;
    int next = 0;
    QByteArray rx;
    QList<QByteArray> written;
};

class ScriptPort : public SerialPort {
public:
    explicit ScriptPort(std::shared_ptr<Script> s)
        : m_s(std::move(s))
    {
    }
    bool open(const QString &, const LineSettings &, bool) override { return m_open = true; }
    bool isOpen() const override { return m_open; }
    void close() override { m_open = false; }
    bool write(const QByteArray &data) override
    {
        m_s->written << data;
        m_s->base = m_s->now, m_s->next = 0;
        return true;
    }
    qint64 bytesAvailable() override { return deliver(), m_s->rx.size(); }
    QByteArray readAll() override { return deliver(), std::exchange(m_s->rx, {}); }
    void clearInput() override { deliver(), m_s->rx.clear(); }
    qint64 bytesToWrite() override { return 0; }
    void waitForData(int ms) override
    {
        deliver();
        if (!m_s->rx.isEmpty())
            return;
        const qint64 until = m_s->now + ms;
        if (m_s->next < m_s->pieces.size() && m_s->base + m_s->pieces[m_s->next].first <= until)
            m_s->now = std::max(m_s->now, m_s->base + m_s->pieces[m_s->next].first);
        else
            m_s->now = until;
        deliver();
    }
    void sleep(int ms) override { m_s->now += ms, deliver(); }
    qint64 clockMs() override { return m_s->now; }

private:
    void deliver()
    {
        while (m_s->next < m_s->pieces.size() && m_s->base + m_s->pieces[m_s->next].first <= m_s->now)
            m_s->rx += m_s->pieces[m_s->next++].second;
    }
    std::shared_ptr<Script> m_s;
    bool m_open = false;
};

class ScriptFactory : public SerialPortFactory {
public:
    explicit ScriptFactory(std::shared_ptr<Script> s)
        : m_s(std::move(s))
    {
    }
    std::unique_ptr<SerialPort> create() override { return std::make_unique<ScriptPort>(m_s); }

private:
    std::shared_ptr<Script> m_s;
};

using Pieces = QList<QPair<int, QByteArray>>;

}  // namespace

Q_DECLARE_METATYPE(Pieces)

class TestCatLink : public QObject {
    Q_OBJECT

private slots:
    // A reply is collected until the filter takes one; everything else that
    // ends in ";" is passed over. "wanted" is the start of an acceptable reply
    // (empty: any).
    void transact_data()
    {
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<int>("endsAt");  // virtual ms after the command; -1: not checked
        QTest::newRow("whole reply") << Pieces{{12, "ID0241;"}} << "" << true << "ID0241;" << 12;
        QTest::newRow("pieces with gaps under the time-out")
            << Pieces{{10, "MR001"}, {120, "07000000+00"}, {240, "0000100000;"}} << "" << true
            << "MR00107000000+000000100000;" << 240;
        QTest::newRow("silence after a piece") << Pieces{{10, "MR00"}} << "" << false << "MR00" << 10 + 125;
        QTest::newRow("gap longer than the time-out")
            << Pieces{{10, "ID02"}, {140, "41;"}} << "" << false << "ID02" << 10 + 125;
        QTest::newRow("no answer") << Pieces{} << "" << false << "" << 125;
        QTest::newRow("late answer to an earlier command passed over")
            << Pieces{{5, "MR010"}, {8, "07000000+000000100000;MR011"}, {20, "07000000+000000100000;"}} << "MR011"
            << true << "MR01107000000+000000100000;" << 20;
        QTest::newRow("first of two replies in one piece") << Pieces{{5, "ID0241;?;"}} << "?;" << true << "?;" << 5;
        QTest::newRow("only other replies: waits to the time-out")
            << Pieces{{5, "?;"}, {60, "ID0241;"}} << "MR001" << false << "" << 60 + 125;
        Pieces dribble;
        for (int t = 100; t < 5000; t += 100)
            dribble << qMakePair(t, QByteArray("7"));
        QTest::newRow("dribbling reply ends after a second") << dribble << "" << false << QString(10, '7') << 1000;
        Pieces stream;
        for (int t = 2; t < 3000; t += 2)
            stream << qMakePair(t, QByteArray(40, 'x'));
        QTest::newRow("stream without ;") << stream << "" << false << QString(CatLink::kReplyLimit, 'x') << -1;
    }
    void transact()
    {
        QFETCH(Pieces, pieces);
        QFETCH(QString, wanted);
        QFETCH(int, endsAt);
        TestContext c;
        auto script = std::make_shared<Script>();
        script->pieces = pieces;
        CatLink link(*c.settings, c.log, c.dialogs, std::make_unique<ScriptFactory>(script));
        link.setDeviceOverride("script");
        link.SetCommPort(1, LineSettings::catRate(38400));
        const CatReply reply = link.Transact("MR001;", [&](const QString &r) { return r.startsWith(wanted); });
        QTEST(reply.accepted(), "complete");
        QTEST(link.ReplyBuffer, "buffer");
        if (endsAt >= 0)
            QCOMPARE(script->now - script->base, qint64(endsAt));
        QCOMPARE(script->written, QList<QByteArray>{"MR001;"});
    }
};

QTEST_GUILESS_MAIN(TestCatLink)
#include "tst_catlink.moc"
