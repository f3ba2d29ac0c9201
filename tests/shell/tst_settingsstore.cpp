// The settings: each declared setting read and written typed, and the INI
// files under them.
#include "TestFiles.h"
#include "shell/SafeSave.h"
#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/stat.h>

using namespace mv;

using mv::test::readBytes;

namespace {

struct Case {
    Setting setting;
    int index;
    QString line;  // the file's line after the write
    QByteArray garbage;  // a stored text that does not read as the type
    QVariant value;  // read back after the write
    QVariant absent;  // read when missing; invalid: nothing (no declared default)
    std::function<void(SettingsStore &)> write;
    std::function<QVariant(const SettingsStore &)> read;
};

template <Setting S> Case row(int index, const SettingValue<S> &value, const char *line, QVariant absent)
{
    constexpr SettingDeclaration d = declarationOf(S);
    const QByteArray garbage = d.type == SettingType::Text     ? "@Variant(\\0\\0\\0\\x7f)"
                               : d.type == SettingType::Number ? "abc"
                                                               : "perhaps";
    Case c{S, index, QString::fromUtf8(line), garbage, QVariant::fromValue(value), absent, {}, {}};
    c.write = [index, value](SettingsStore &s) {
        if constexpr (declarationOf(S).isFamily())
            s.set<S>(index, value);
        else
            s.set<S>(value);
    };
    c.read = [index](const SettingsStore &s) -> QVariant {
        if constexpr (declarationOf(S).defaultText == nullptr) {
            const std::optional<SettingValue<S>> v = s.find<S>(index);
            return v ? QVariant::fromValue(*v) : QVariant();
        } else if constexpr (declarationOf(S).isFamily()) {
            return QVariant::fromValue(s.get<S>(index));
        } else {
            return QVariant::fromValue(s.get<S>());
        }
    };
    return c;
}

const std::vector<Case> &cases()
{
    using S = Setting;
    const QVariant none;
    static const std::vector<Case> all{
        row<S::HomeDir>(0, "/data", "HomeDir=/data", QString()),
        row<S::LastOpened>(0, "C:\\Radio\\My memories.450", "LastOpened=C:\\\\Radio\\\\My memories.450", QString()),
        row<S::LastOpened>(0, "  padded  ", "LastOpened=\"  padded  \"", QString()),
        row<S::LastOpened>(0, "a=b;c", "LastOpened=\"a=b;c\"", QString()),
        row<S::LastOpened>(0, "say \"hi\"", "LastOpened=say \\\"hi\\\"", QString()),
        row<S::LastOpened>(0, "Großfunk Ü 73", "LastOpened=Großfunk Ü 73", QString()),
        row<S::FirstTime>(0, 1, "FirstTime=1", 0),
        row<S::GridSize>(0, "Larger", "GridSize=Larger", QString("Normal")),
        row<S::UserCommSpeed>(0, "4800,N,8,2", "UserCommSpeed=\"4800,N,8,2\"", QString("38400,N,8,2")),
        row<S::PortDevice>(16, "/dev/serial/by-id/usb-radio", "PortDevice16=/dev/serial/by-id/usb-radio", QString()),
        row<S::MemoryHeight>(0, 7410, "MemoryHeight=7410", none),
        row<S::MemoryTop>(0, -120, "MemoryTop=-120", 0),
        row<S::Column>(0, 1150, "Column0=1150", none),
        row<S::PrintCol>(6, 0, "PrintCol6=0", 1),
        row<S::Landscape>(0, false, "Landscape=False", true),
        row<S::RepeaterRulesActive>(0, true, "RepeaterRulesActive=True", false),
        row<S::NumberOfRules>(0, 10, "NumberOfRules=10", 0),
        row<S::RuleLow>(1000, "430,02500", "Rule1000Low=\"430,02500\"", none),
        row<S::RuleDirection>(1, "Plus", "Rule1Direction=Plus", QString("Minus")),
        row<S::RuleStep>(1, "20.0 K", "Rule1Step=20.0 K", QString("12.5 K")),
    };
    return all;
}

}  // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    // Settings of each type, single and in families, with and without a default,
    // in both files, and texts that need quotes or escapes: the key and value text
    // in the file, the default, a stored text that does not read as the type, the
    // letter case, the signal.
    void declarations_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(cases().size()); ++i)
            QTest::newRow(qPrintable(cases()[size_t(i)].line)) << i;
        // Every key as users' files hold it: a key renamed by mistake would
        // silently drop what they had stored under it.
        QStringList keys;
        for (const SettingDeclaration &d : kSettingDeclarations)
            keys << QString::fromLatin1(d.name);
        QCOMPARE(
            keys.join(' '),
            "HomeDir LastOpened FirstTime GridSize Autosize UserChosenColumnWidths Log CommPort UserCommSpeed RTS "
            "RestoreCatRate PortDevice%1 MemoryWindowState MemoryHeight MemoryWidth MemoryTop MemoryLeft Column%1 "
            "ErrorListHeight ErrorListWidth ErrorListTop ErrorListLeft ImportExportTop ImportExportLeft PrintCol%1 "
            "Landscape Duplex TopMargin RepeaterRulesActive AllowAnyRepeaterFrequency NumberOfRules Rule%1Low "
            "Rule%1High Rule%1Direction Rule%1Amount Rule%1Step");
    }
    void declarations()
    {
        QFETCH(int, row);
        const Case &c = cases()[size_t(row)];
        const SettingDeclaration &d = declarationOf(c.setting);
        const QString fileName = QString::fromLatin1(d.app) + ".ini";
        const QByteArray header = "[" + QByteArray(d.section) + "]\n";

        auto store = SettingsStore::createTemporary();
        QCOMPARE(c.read(*store), c.absent);
        QList<std::pair<Setting, int>> signalled;
        connect(store.get(), &SettingsStore::changed, this, [&](Setting s, int index) {
            signalled.append({s, index});
        });
        c.write(*store);
        c.write(*store);  // the same value again: no change
        QCOMPARE(signalled, (QList<std::pair<Setting, int>>{{c.setting, c.index}}));
        QCOMPARE(c.read(*store), c.value);
        QVERIFY(store->sync());
        const QString path = store->folder() + "/" + fileName;
        QCOMPARE(readBytes(path), header + c.line.toUtf8() + "\n");
        {
            SettingsStore again(store->folder());
            QCOMPARE(c.read(again), c.value);
            again.remove(c.setting, c.index);
            QCOMPARE(c.read(again), c.absent);
        }
        QCOMPARE(readBytes(path), QByteArray());

        // A hand-edited file: any letter case, and a text of the wrong kind.
        const QByteArray key = c.line.section('=', 0, 0).toUtf8();
        QVERIFY(mv::test::writeBytes(path,
                                     header.toUpper() + key.toUpper() + "=" + c.line.section('=', 1).toUtf8() + "\n"));
        QCOMPARE(c.read(SettingsStore(store->folder())), c.value);
        QVERIFY(mv::test::writeBytes(path, header + key.toLower() + "=" + c.garbage + "\n"));
        QCOMPARE(c.read(SettingsStore(store->folder())), c.absent);
    }

    // Stored texts as numbers and flags read them, whoever wrote them.
    void textsReadAsTypes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("number");  // invalid: not a number
        QTest::addColumn<QVariant>("flag");  // invalid: not a flag
        QTest::newRow("True") << "True" << QVariant() << QVariant(true);
        QTest::newRow("FALSE") << "FALSE" << QVariant() << QVariant(false);
        QTest::newRow("yes") << "yes" << QVariant() << QVariant(true);
        QTest::newRow("-1") << "-1" << QVariant(-1) << QVariant(true);
        QTest::newRow("0") << "0" << QVariant(0) << QVariant(false);
        QTest::newRow("blanks") << "  42 " << QVariant(42) << QVariant(true);
        QTest::newRow("digits then text") << "12abc" << QVariant(12) << QVariant();
        QTest::newRow("sign") << "+7" << QVariant(7) << QVariant(true);
        QTest::newRow("overflow") << "99999999999999" << QVariant() << QVariant(true);
        QTest::newRow("text") << "maybe" << QVariant() << QVariant();
        QTest::newRow("empty") << "" << QVariant() << QVariant();
    }
    void textsReadAsTypes()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, number);
        QFETCH(QVariant, flag);
        const std::optional<int> n = SettingTypeTraits<SettingType::Number>::read(text);
        QCOMPARE(n ? QVariant(*n) : QVariant(), number);
        const std::optional<bool> f = SettingTypeTraits<SettingType::Flag>::read(text);
        QCOMPARE(f ? QVariant(*f) : QVariant(), flag);
    }

    void garbageFileReadsAsDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray random(4096, '\0');
        QRandomGenerator(12345).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
        QTest::newRow("random bytes") << random;
        QTest::newRow("lines without keys") << QByteArray("[Settings]\n=True\n==\nLog\n\\\n");
        QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("NUL bytes") << QByteArray("[Settings]\nGridSize=\0\0\0\n", 24);
    }
    void garbageFileReadsAsDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(mv::test::writeBytes(dir.filePath("MEMVAULT.ini"), content));
        SettingsStore s(dir.path());
        QCOMPARE(s.get<Setting::CommPort>(), 1);
        QCOMPARE(s.get<Setting::Log>(), false);
        QVERIFY(!s.find<Setting::HomeDir>());
        // And the store still works afterwards.
        s.set<Setting::HomeDir>("/data");
        QCOMPARE(s.get<Setting::HomeDir>(), QString("/data"));
    }

    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("room");  // bytes that fit on the disk
        QTest::newRow("nothing fits") << 0;
        QTest::newRow("part of the file fits") << 20;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, room);
        QTemporaryDir dir;
        const QString path = dir.filePath("MEMVAULT.ini");
        const QByteArray old = "[Settings]\nHomeDir=/old\n";
        QVERIFY(mv::test::writeBytes(path, old));
        SettingsStore s(dir.path());
        s.set<Setting::LastOpened>("/home/op/radio files/set.450");
        {
            SaveSpaceLimit full(room);
            QVERIFY(!s.sync());
        }
        QCOMPARE(readBytes(path), old);
        QCOMPARE(s.error(), "The settings cannot be saved: " + path + ": No space left on device");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"MEMVAULT.ini"});
        QVERIFY(s.sync());  // room again: the change is still there to be written
        QVERIFY(readBytes(path).contains("LastOpened=/home/op/radio files/set.450"));
    }

    void fifoInPlaceOfTheFileIsNotRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("MEMVAULT.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QStringList problems;
        SettingsStore s(dir.path());
        s.setProblemHandler([&](const QString &text) { problems << text; });
        QVERIFY(!s.contains(Setting::LastOpened));  // at once, not blocked
        QCOMPARE(problems, QStringList{"File " + path
                                       + " cannot be opened: it is not a regular file (a FIFO, socket or device)"
                                         " - the settings in it were not read."});
        s.set<Setting::HomeDir>("/data");
        QVERIFY(!s.sync());
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());  // the FIFO is left alone
    }

    void largeFileIsIndexedOnce()
    {
        // A rules file of some 15 MB: every key is found, in any letter case.
        QTemporaryDir dir;
        QByteArray ini = "[RepeaterRules]\n";
        const int count = 300000;
        for (int n = 1; n <= count; ++n)
            ini += "Rule" + QByteArray::number(n) + "Description=a hand-made rule with a long description\n";
        QVERIFY(ini.size() > 15 * 1000 * 1000);
        QVERIFY(mv::test::writeBytes(dir.filePath("VaultGlobal.ini"), ini));
        IniStore s(dir.path());
        for (int n = 1; n <= count; n += 997)
            QCOMPARE(s.get(kRulesAppName, "RepeaterRules", "RULE" + QString::number(n) + "description"),
                     QString("a hand-made rule with a long description"));
        QCOMPARE(s.get(kRulesAppName, "repeaterrules", "Rule300000Description"),
                 QString("a hand-made rule with a long description"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
