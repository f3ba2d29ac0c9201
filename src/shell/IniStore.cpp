#include "shell/IniStore.h"

#include "shell/SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QObject>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>

#include <cstdio>

namespace mv {

namespace {

// Larger than any settings file the program writes by far; a file beyond it is
// not read.
constexpr qint64 kMaxSettingsFileSize = 256 * 1024 * 1024;

bool isPlainKeyChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-'
           || u == '.';
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Key and section names as QSettings writes them: "%XX" / "%UXXXX" for other
// characters, "\" for "/".
QString escapedKey(const QString &key)
{
    QString out;
    out.reserve(key.size());
    for (QChar c : key) {
        if (c == QLatin1Char('/'))
            out += QLatin1Char('\\');
        else if (isPlainKeyChar(c))
            out += c;
        else if (c.unicode() <= 0xFF)
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString unescapedKey(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%')) {
            const bool wide = i + 1 < text.size() && text.at(i + 1) == QLatin1Char('U');
            const qsizetype start = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            int value = 0;
            bool ok = start + digits <= text.size();
            for (int d = 0; ok && d < digits; ++d) {
                const int h = hexValue(text.at(start + d));
                ok = h >= 0;
                value = value * 16 + h;
            }
            if (ok) {
                out += QChar(char16_t(value));
                i = start + digits - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A value as QSettings writes a text: backslash escapes, and double quotes
// around it when it holds "," ";" "=" or starts or ends with a blank.
QString escapedValue(const QString &value)
{
    QString out;
    bool quotes = false;
    bool hexBefore = false;  // a "\x.." escape must not run into a following hex digit
    const QString v = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    for (QChar c : v) {
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=')
            quotes = true;
        if (hexBefore && hexValue(c) >= 0) {
            out += QStringLiteral("\\x%1").arg(u, 0, 16);
            continue;
        }
        hexBefore = false;
        switch (u) {
        case '\0':
            out += QStringLiteral("\\0");
            hexBefore = true;
            break;
        case '\a':
            out += QStringLiteral("\\a");
            break;
        case '\b':
            out += QStringLiteral("\\b");
            break;
        case '\f':
            out += QStringLiteral("\\f");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\v':
            out += QStringLiteral("\\v");
            break;
        case '"':
        case '\\':
            out += QLatin1Char('\\');
            out += c;
            break;
        default:
            if (u <= 0x1F) {
                out += QStringLiteral("\\x%1").arg(u, 0, 16);
                hexBefore = true;
            } else {
                out += c;
            }
        }
    }
    if (quotes || (!out.isEmpty() && (out.startsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(' ')))))
        out = QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

// The items of a value as QSettings reads them: quoted parts, escapes, and
// "," outside quotes between items; blanks around items are dropped.
QStringList unescapedItems(const QString &text)
{
    QStringList items;
    QString cur;
    qsizetype keepTo = 0;  // length of `cur` that is not trailing unquoted blanks
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == '"') {
            quoted = !quoted;
            keepTo = cur.size();
            continue;
        }
        if (u == '\\' && i + 1 < text.size()) {
            const QChar e = text.at(++i);
            switch (e.unicode()) {
            case 'a':
                cur += QLatin1Char('\a');
                break;
            case 'b':
                cur += QLatin1Char('\b');
                break;
            case 'f':
                cur += QLatin1Char('\f');
                break;
            case 'n':
                cur += QLatin1Char('\n');
                break;
            case 'r':
                cur += QLatin1Char('\r');
                break;
            case 't':
                cur += QLatin1Char('\t');
                break;
            case 'v':
                cur += QLatin1Char('\v');
                break;
            case 'x': {
                int value = 0;
                while (i + 1 < text.size() && hexValue(text.at(i + 1)) >= 0 && value < 0x10000)
                    value = value * 16 + hexValue(text.at(++i));
                cur += QChar(char16_t(value));
                break;
            }
            default:
                if (e.unicode() >= '0' && e.unicode() <= '7') {
                    int value = e.unicode() - '0';
                    while (i + 1 < text.size() && text.at(i + 1).unicode() >= '0' && text.at(i + 1).unicode() <= '7'
                           && value < 0x1000)
                        value = value * 8 + (text.at(++i).unicode() - '0');
                    cur += QChar(char16_t(value));
                } else {
                    cur += e;
                }
            }
            keepTo = cur.size();
            continue;
        }
        if (!quoted && u == ',') {
            items << cur.left(keepTo);
            cur.clear();
            keepTo = 0;
            continue;
        }
        if (!quoted && (u == ' ' || u == '\t')) {
            if (!cur.isEmpty())
                cur += c;
            continue;
        }
        cur += c;
        keepTo = cur.size();
    }
    items << cur.left(keepTo);
    return items;
}

}  // namespace

IniStore::IniStore(const QString &folder)
    : m_folder(folder)
    , m_syncContext(std::make_unique<QObject>())
{
    if (m_folder.isEmpty())
        m_folder = qEnvironmentVariable("MEMVAULT_CONFIG_DIR");
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/memvault";
    QDir().mkpath(m_folder);
}

IniStore::~IniStore()
{
    // No one is left to show a failure now; it goes to the terminal.
    m_problemHandler = nullptr;
    if (!sync())
        std::fprintf(stderr, "%s\n", qPrintable(m_error));
}

void IniStore::reportProblem(const QString &text) const
{
    if (m_problemHandler)
        m_problemHandler(text);
}

IniStore::IniFile &IniStore::file(const QString &app) const
{
    const QString &name = app;
    auto it = m_files.find(name.toLower());
    if (it != m_files.end())
        return *it.value();
    auto f = std::make_shared<IniFile>();
    f->path = m_folder + "/" + name + ".ini";
    m_files.insert(name.toLower(), f);

    const ReadResult r = ReadRegularFile(f->path, kMaxSettingsFileSize);
    if (r.problem == ReadResult::NotRegularFile)
        f->writable = false;
    if (r.problem != ReadResult::None && r.problem != ReadResult::Missing) {
        reportProblem(r.error + QStringLiteral(" - the settings in it were not read."));
        return *f;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(r.bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    Section *current = nullptr;
    auto sectionNamed = [&](const QString &name) -> Section * {
        const QString lower = name.toLower();
        auto found = f->index.constFind(lower);
        if (found != f->index.constEnd())
            return &f->sections[found.value()];
        f->index.insert(lower, f->sections.size());
        f->sections.append(Section{name, {}, {}});
        return &f->sections.last();
    };
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QString line = text.mid(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            current = sectionNamed(unescapedKey(line.mid(1, close < 0 ? -1 : close - 1).trimmed()));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || !current)
            continue;
        const QString key = unescapedKey(line.left(eq).trimmed());
        if (key.isEmpty())
            continue;
        const QString raw = line.mid(eq + 1).trimmed();
        Entry e{key, raw, true};
        const QStringList items = unescapedItems(raw);
        const QString value = items.join(QLatin1Char(','));  // a hand-edited list reads as its text
        if (items.size() == 1 && value.startsWith(QLatin1Char('@'))) {
            if (value.startsWith(QLatin1String("@@")))
                e.value = value.mid(1);
            else if (value.startsWith(QLatin1String("@String(")) && value.endsWith(QLatin1Char(')')))
                e.value = value.mid(8, value.size() - 9);
            else
                e.text = false;  // another type: not a text, kept as written
        } else {
            e.value = value;
        }
        const QString lower = key.toLower();
        auto found = current->index.constFind(lower);
        if (found != current->index.constEnd()) {
            current->entries[found.value()] = e;  // the later line wins
        } else {
            current->index.insert(lower, current->entries.size());
            current->entries.append(e);
        }
    }
    return *f;
}

const IniStore::Entry *IniStore::find(const QString &app, const QString &section, const QString &key) const
{
    const IniFile &f = file(app);
    const auto s = f.index.constFind(section.toLower());
    if (s == f.index.constEnd())
        return nullptr;
    const Section &sec = f.sections.at(s.value());
    const auto e = sec.index.constFind(key.toLower());
    return e == sec.index.constEnd() ? nullptr : &sec.entries.at(e.value());
}

std::optional<QString> IniStore::text(const QString &app, const QString &section, const QString &key) const
{
    const Entry *e = find(app, section, key);
    if (!e || !e->text)
        return std::nullopt;
    return e->value;
}

bool IniStore::set(const QString &app, const QString &section, const QString &key, const QString &value)
{
    IniFile &f = file(app);
    const QString lowerSection = section.toLower();
    auto s = f.index.constFind(lowerSection);
    if (s == f.index.constEnd()) {
        f.index.insert(lowerSection, f.sections.size());
        f.sections.append(Section{section, {}, {}});
        s = f.index.constFind(lowerSection);
    }
    Section &sec = f.sections[s.value()];
    const QString lower = key.toLower();
    // One entry per key whatever the letter case it was written with; the
    // spelling of the latest write is kept.
    const Entry e{key, value, true};
    auto found = sec.index.constFind(lower);
    if (found != sec.index.constEnd()) {
        const Entry &old = sec.entries.at(found.value());
        if (old.text && old.key == key && old.value == value)
            return false;
        sec.entries[found.value()] = e;
    } else {
        sec.index.insert(lower, sec.entries.size());
        sec.entries.append(e);
    }
    f.dirty = true;
    scheduleSync();
    return true;
}

bool IniStore::contains(const QString &app, const QString &section, const QString &key) const
{
    return find(app, section, key) != nullptr;
}

bool IniStore::remove(const QString &app, const QString &section, const QString &key)
{
    IniFile &f = file(app);
    const auto s = f.index.constFind(section.toLower());
    if (s == f.index.constEnd())
        return false;
    Section &sec = f.sections[s.value()];
    const auto found = sec.index.constFind(key.toLower());
    if (found == sec.index.constEnd())
        return false;
    sec.entries.removeAt(found.value());
    sec.index.clear();
    for (qsizetype i = 0; i < sec.entries.size(); ++i)
        sec.index.insert(sec.entries.at(i).key.toLower(), i);
    f.dirty = true;
    scheduleSync();
    return true;
}

void IniStore::scheduleSync()
{
    // While an event loop runs, changes reach the disk shortly after they are
    // made (many changes in one handler are written once).
    if (m_syncScheduled || !QCoreApplication::instance())
        return;
    m_syncScheduled = true;
    QTimer::singleShot(0, m_syncContext.get(), [this] {
        m_syncScheduled = false;
        if (!sync())
            reportProblem(m_error);
    });
}

bool IniStore::writeFile(IniFile &f)
{
    if (!f.writable) {
        m_error = QStringLiteral("The settings cannot be saved: ") + QDir::toNativeSeparators(f.path)
                  + QStringLiteral(" is not a regular file.");
        return false;
    }
    QString text;
    for (const Section &sec : std::as_const(f.sections)) {
        if (sec.entries.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + escapedKey(sec.name) + QStringLiteral("]\n");
        for (const Entry &e : sec.entries)
            text += escapedKey(e.key) + QLatin1Char('=') + (e.text ? escapedValue(e.value) : e.value)
                    + QLatin1Char('\n');
    }
    const SaveError error = SaveFileContent(f.path, text.toUtf8());
    if (error.failed()) {
        m_error = QStringLiteral("The settings cannot be saved: ") + error.text();
        return false;
    }
    f.dirty = false;
    return true;
}

bool IniStore::sync()
{
    bool ok = true;
    for (const std::shared_ptr<IniFile> &f : std::as_const(m_files)) {
        if (f->dirty && !writeFile(*f))
            ok = false;
    }
    if (ok)
        m_error.clear();
    return ok;
}

}  // namespace mv
