#pragma once
// Persistent text values addressed by application name, section and key.
//
// One INI file per application name ("MEMVAULT.ini", "VaultGlobal.ini") in the
// settings folder. Key names match without regard to case: writing "CommPort"
// and reading "Commport" address one entry. A hand-edited file full of garbage
// reads as the defaults; nothing here throws or aborts.
#include <QHash>
#include <QString>
#include <memory>

class QSettings;

namespace mv {

inline constexpr const char *kAppName = "MEMVAULT";
inline constexpr const char *kRulesAppName = "VaultGlobal";
inline constexpr const char *kSettingsSection = "Settings";

class SettingsStore {
public:
    // folder empty: $MEMVAULT_CONFIG_DIR when set, else the user's config folder
    // (~/.config/memvault on Linux).
    explicit SettingsStore(const QString &folder = {});
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString folder() const { return m_folder; }

    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultValue = {}) const;
    void set(const QString &app, const QString &section, const QString &key, const QString &value);
    bool contains(const QString &app, const QString &section, const QString &key) const;
    void remove(const QString &app, const QString &section, const QString &key);

    // Booleans are written "True"/"False"; read with the usual conversions
    // ("True"/"False" any case, "-1"/"1"/"0", "yes"/"no"); anything else is the default.
    bool getBool(const QString &app, const QString &section, const QString &key, bool defaultValue) const;
    void setBool(const QString &app, const QString &section, const QString &key, bool value);
    // Numeric parse of the leading digits (optional sign); no digits gives the default.
    int getInt(const QString &app, const QString &section, const QString &key, int defaultValue) const;
    void setInt(const QString &app, const QString &section, const QString &key, int value);

    // Shorthands for the program's own keys (application MEMVAULT, section "Settings").
    QString value(const QString &key, const QString &defaultValue = {}) const
    {
        return get(kAppName, kSettingsSection, key, defaultValue);
    }
    void setValue(const QString &key, const QString &value) { set(kAppName, kSettingsSection, key, value); }
    bool boolValue(const QString &key, bool def) const { return getBool(kAppName, kSettingsSection, key, def); }
    void setBoolValue(const QString &key, bool v) { setBool(kAppName, kSettingsSection, key, v); }
    int intValue(const QString &key, int def) const { return getInt(kAppName, kSettingsSection, key, def); }
    void setIntValue(const QString &key, int v) { setInt(kAppName, kSettingsSection, key, v); }

    void sync();

    static bool parseBool(const QString &text, bool *ok);
    static bool parseLeadingInt(const QString &text, int *out);

private:
    QSettings *file(const QString &app) const;
    QString findKey(QSettings *s, const QString &section, const QString &key) const;

    QString m_folder;
    mutable QHash<QString, QSettings *> m_files;
};

} // namespace mv
