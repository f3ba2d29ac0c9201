#pragma once
// Persistent text values addressed by application name, section and key.
//
// One INI file per application name ("MEMVAULT.ini", "VaultGlobal.ini") in the
// settings folder, in the format QSettings writes. Key names match without
// regard to case: writing "CommPort" and reading "Commport" address one entry.
// A hand-edited file full of garbage reads as the defaults; nothing here throws
// or aborts.
//
// Each file is read once, the first time its application is used, and only
// when it is a regular file (a FIFO or device in its place is reported and
// read as empty). Its keys are indexed then, so a lookup costs the same however
// large the file is. Changes are written by sync(), shortly after a change
// while an event loop runs, and when the store is destroyed; a file is
// replaced only when every byte of the new one was written.
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QObject;

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

    // Writes the files that changed. False when one of them could not be
    // written (the old file is then as it was); error() says which and why.
    bool sync();
    QString error() const { return m_error; }
    // Called with a message when a settings file cannot be read or saved.
    void setProblemHandler(std::function<void(const QString &)> handler) { m_problemHandler = std::move(handler); }

    static bool parseBool(const QString &text, bool *ok);
    static bool parseLeadingInt(const QString &text, int *out);

private:
    struct Entry {
        QString key;
        QString value;
        bool text = true;  // false: a QSettings value of another type, kept as written
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index;  // lower-case key -> entry
    };
    struct IniFile {
        QString path;
        QList<Section> sections;
        QHash<QString, qsizetype> index;  // lower-case section name -> section
        bool dirty = false;
        bool writable = true;  // false when something other than a regular file is in its place
    };

    IniFile &file(const QString &app) const;
    const Entry *find(const QString &app, const QString &section, const QString &key) const;
    void reportProblem(const QString &text) const;
    void scheduleSync();
    bool writeFile(IniFile &f);

    QString m_folder;
    QString m_error;
    std::function<void(const QString &)> m_problemHandler;
    std::unique_ptr<QObject> m_syncContext;
    bool m_syncScheduled = false;
    mutable QHash<QString, std::shared_ptr<IniFile>> m_files;
};

} // namespace mv
