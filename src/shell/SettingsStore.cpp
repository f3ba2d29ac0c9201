#include "shell/SettingsStore.h"

#include <QTemporaryDir>

#include <limits>

namespace mv {

std::optional<int> SettingTypeTraits<SettingType::Number>::read(const QString &text)
{
    // The leading digits, as a hand-edited "12 twips" or "7abc" has them.
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    int digits = 0;
    for (; i < t.size() && t[i].unicode() >= '0' && t[i].unicode() <= '9'; ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return int(negative ? -value : value);
}

std::optional<bool> SettingTypeTraits<SettingType::Flag>::read(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off"))
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok)
        return d != 0.0;
    return std::nullopt;
}

SettingsStore::SettingsStore(const QString &folder)
    : m_ini(folder)
{
}

SettingsStore::SettingsStore(std::unique_ptr<QTemporaryDir> folder)
    : m_temporaryFolder(std::move(folder))
    , m_ini(m_temporaryFolder->path())
{
}

SettingsStore::~SettingsStore() = default;

std::unique_ptr<SettingsStore> SettingsStore::createTemporary()
{
    return std::unique_ptr<SettingsStore>(new SettingsStore(std::make_unique<QTemporaryDir>()));
}

QString SettingsStore::keyName(Setting s, int index)
{
    const SettingDeclaration &d = declarationOf(s);
    const QString name = QString::fromLatin1(d.name);
    return d.isFamily() ? name.arg(index) : name;
}

std::optional<QString> SettingsStore::storedText(Setting s, int index) const
{
    const SettingDeclaration &d = declarationOf(s);
    return m_ini.text(QLatin1String(d.app), QLatin1String(d.section), keyName(s, index));
}

bool SettingsStore::contains(Setting s, int index) const
{
    const SettingDeclaration &d = declarationOf(s);
    return m_ini.contains(QLatin1String(d.app), QLatin1String(d.section), keyName(s, index));
}

QString SettingsStore::text(Setting s, int index) const
{
    return storedText(s, index).value_or(QString::fromLatin1(declarationOf(s).defaultText));
}

void SettingsStore::setText(Setting s, const QString &text, int index)
{
    const SettingDeclaration &d = declarationOf(s);
    if (m_ini.set(QLatin1String(d.app), QLatin1String(d.section), keyName(s, index), text))
        emit changed(s, index);
}

void SettingsStore::remove(Setting s, int index)
{
    const SettingDeclaration &d = declarationOf(s);
    if (m_ini.remove(QLatin1String(d.app), QLatin1String(d.section), keyName(s, index)))
        emit changed(s, index);
}

}  // namespace mv
