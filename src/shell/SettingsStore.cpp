#include "shell/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace mv {

SettingsStore::SettingsStore(const QString &folder)
    : m_folder(folder)
{
    if (m_folder.isEmpty())
        m_folder = qEnvironmentVariable("MEMVAULT_CONFIG_DIR");
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/memvault";
    QDir().mkpath(m_folder);
}

SettingsStore::~SettingsStore()
{
    for (QSettings *s : std::as_const(m_files)) {
        s->sync();
        delete s;
    }
}

QSettings *SettingsStore::file(const QString &app) const
{
    const QString name = app.isEmpty() ? QString(kAppName) : app;
    auto it = m_files.find(name.toLower());
    if (it != m_files.end())
        return it.value();
    auto *s = new QSettings(m_folder + "/" + name + ".ini", QSettings::IniFormat);
    m_files.insert(name.toLower(), s);
    return s;
}

QString SettingsStore::findKey(QSettings *s, const QString &section, const QString &key) const
{
    s->beginGroup(section);
    const QStringList keys = s->childKeys();
    s->endGroup();
    for (const QString &k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return k;
    }
    return {};
}

QString SettingsStore::get(const QString &app, const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    QSettings *s = file(app);
    const QString found = findKey(s, section, key);
    if (found.isEmpty())
        return defaultValue;
    const QVariant v = s->value(section + "/" + found);
    // A hand-edited value with commas reads back as a list; keep it as text.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(',');
    if (!v.canConvert<QString>())
        return defaultValue;
    return v.toString();
}

void SettingsStore::set(const QString &app, const QString &section, const QString &key, const QString &value)
{
    QSettings *s = file(app);
    // Keep one entry per key whatever the letter case it was written with.
    for (;;) {
        const QString found = findKey(s, section, key);
        if (found.isEmpty() || found == key)
            break;
        s->remove(section + "/" + found);
    }
    s->setValue(section + "/" + key, value);
}

bool SettingsStore::contains(const QString &app, const QString &section, const QString &key) const
{
    return !findKey(file(app), section, key).isEmpty();
}

void SettingsStore::remove(const QString &app, const QString &section, const QString &key)
{
    QSettings *s = file(app);
    for (;;) {
        const QString found = findKey(s, section, key);
        if (found.isEmpty())
            break;
        s->remove(section + "/" + found);
    }
}

bool SettingsStore::parseBool(const QString &text, bool *ok)
{
    const QString t = text.trimmed().toLower();
    *ok = true;
    if (t == "true" || t == "yes" || t == "on")
        return true;
    if (t == "false" || t == "no" || t == "off")
        return false;
    bool numOk = false;
    const double d = t.toDouble(&numOk);
    if (numOk)
        return d != 0.0;
    *ok = false;
    return false;
}

bool SettingsStore::parseLeadingInt(const QString &text, int *out)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        negative = t[i] == '-';
        ++i;
    }
    qint64 value = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return false;
        ++digits;
    }
    if (digits == 0)
        return false;
    *out = int(negative ? -value : value);
    return true;
}

bool SettingsStore::getBool(const QString &app, const QString &section, const QString &key,
                            bool defaultValue) const
{
    if (!contains(app, section, key))
        return defaultValue;
    bool ok = false;
    const bool v = parseBool(get(app, section, key), &ok);
    return ok ? v : defaultValue;
}

void SettingsStore::setBool(const QString &app, const QString &section, const QString &key, bool value)
{
    set(app, section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

int SettingsStore::getInt(const QString &app, const QString &section, const QString &key, int defaultValue) const
{
    int v = 0;
    if (!contains(app, section, key) || !parseLeadingInt(get(app, section, key), &v))
        return defaultValue;
    return v;
}

void SettingsStore::setInt(const QString &app, const QString &section, const QString &key, int value)
{
    set(app, section, key, QString::number(value));
}

void SettingsStore::sync()
{
    for (QSettings *s : std::as_const(m_files))
        s->sync();
}

} // namespace mv
