#pragma once
// Text values addressed by application name, section and key, kept in INI
// files: the layer under the settings (shell/SettingsStore.h), and the only
// code that reads or writes the settings files.
//
// One INI file per application name ("MEMVAULT.ini", "VaultGlobal.ini") in the
// settings folder, in the format QSettings writes. Key names match without
// regard to case: writing "CommPort" and reading "Commport" address one entry.
// A hand-edited file full of garbage reads as absent values; nothing here
// throws or aborts.
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
#include <optional>

class QObject;

namespace mv {

class IniStore {
public:
    // folder empty: $MEMVAULT_CONFIG_DIR when set, else the user's config folder
    // (~/.config/memvault on Linux).
    explicit IniStore(const QString &folder = {});
    ~IniStore();
    IniStore(const IniStore &) = delete;
    IniStore &operator=(const IniStore &) = delete;

    QString folder() const { return m_folder; }

    // The text stored under the key; nothing when the key is absent or holds a
    // value of another type that QSettings wrote (kept as written, not a text).
    std::optional<QString> text(const QString &app, const QString &section, const QString &key) const;
    QString get(const QString &app, const QString &section, const QString &key, const QString &defaultValue = {}) const
    {
        return text(app, section, key).value_or(defaultValue);
    }
    // False when the key held this very text already.
    bool set(const QString &app, const QString &section, const QString &key, const QString &value);
    bool contains(const QString &app, const QString &section, const QString &key) const;
    // False when there was no such key.
    bool remove(const QString &app, const QString &section, const QString &key);

    // Writes the files that changed. False when one of them could not be
    // written (the old file is then as it was); error() says which and why.
    bool sync();
    QString error() const { return m_error; }
    // Called with a message when a settings file cannot be read or saved.
    void setProblemHandler(std::function<void(const QString &)> handler) { m_problemHandler = std::move(handler); }

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

}  // namespace mv
