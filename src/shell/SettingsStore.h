#pragma once
// The program's settings: every setting is declared once below (where it is
// stored, its key name, its type and the value it reads as when absent), and
// read and written typed through SettingsStore:
//
//     settings.get<Setting::GridSize>()            -> QString
//     settings.set<Setting::CommPort>(3)           -> "CommPort=3" in MEMVAULT.ini
//     settings.get<Setting::PortDevice>(2)         -> the key "PortDevice2"
//
// Values are stored as text in INI files through IniStore, which matches key
// names without regard to case. Flags are written "True"/"False" and read with
// the usual conversions ("True"/"False" in any case, "-1"/"1"/"0", "yes"/"no");
// numbers are written as decimal text and read by their leading digits (with
// an optional sign). A stored text that does not read as the declared type
// reads as the default, as does a missing key.
#include "shell/IniStore.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QTemporaryDir;

namespace mv {

enum class Setting {
    // The program's own settings ("MEMVAULT.ini", section "Settings").
    HomeDir,
    LastOpened,
    FirstTime,
    GridSize,
    Autosize,
    UserChosenColumnWidths,
    Log,
    CommPort,
    UserCommSpeed,
    RTS,
    RestoreCatRate,
    PortDevice,
    MemoryWindowState,
    MemoryHeight,
    MemoryWidth,
    MemoryTop,
    MemoryLeft,
    Column,
    ErrorListHeight,
    ErrorListWidth,
    ErrorListTop,
    ErrorListLeft,
    ImportExportTop,
    ImportExportLeft,
    PrintCol,
    Landscape,
    Duplex,
    TopMargin,
    // The repeater rules ("VaultGlobal.ini", section "RepeaterRules").
    RepeaterRulesActive,
    AllowAnyRepeaterFrequency,
    NumberOfRules,
    RuleLow,
    RuleHigh,
    RuleDirection,
    RuleAmount,
    RuleStep,
    Count
};

enum class SettingType { Text, Number, Flag };

struct SettingDeclaration {
    Setting setting;
    const char *app;
    const char *section;
    // The key; in a family of indexed keys "%1" stands for the index.
    const char *name;
    SettingType type;
    // As it would be stored. nullptr: the reader gives the fallback, because it
    // depends on the window or the locale (read those with find()).
    const char *defaultText;
    // A family's indexes, first..last; both 0 for a single key.
    int first = 0;
    int last = 0;

    constexpr bool isFamily() const { return first != last; }
};

inline constexpr const char *kAppName = "MEMVAULT";
inline constexpr const char *kSettingsSection = "Settings";
inline constexpr const char *kRulesAppName = "VaultGlobal";
inline constexpr const char *kRulesSection = "RepeaterRules";

// In the order of the Setting enum.
inline constexpr SettingDeclaration kSettingDeclarations[] = {
    {Setting::HomeDir, kAppName, kSettingsSection, "HomeDir", SettingType::Text, ""},
    {Setting::LastOpened, kAppName, kSettingsSection, "LastOpened", SettingType::Text, ""},
    // 0: show the first-run window at start-up.
    {Setting::FirstTime, kAppName, kSettingsSection, "FirstTime", SettingType::Number, "0"},
    {Setting::GridSize, kAppName, kSettingsSection, "GridSize", SettingType::Text, "Normal"},
    {Setting::Autosize, kAppName, kSettingsSection, "Autosize", SettingType::Flag, "False"},
    {Setting::UserChosenColumnWidths, kAppName, kSettingsSection, "UserChosenColumnWidths", SettingType::Flag, "False"},
    {Setting::Log, kAppName, kSettingsSection, "Log", SettingType::Flag, "False"},
    {Setting::CommPort, kAppName, kSettingsSection, "CommPort", SettingType::Number, "1"},
    {Setting::UserCommSpeed, kAppName, kSettingsSection, "UserCommSpeed", SettingType::Text, "38400,N,8,2"},
    // True: the program does not raise RTS.
    {Setting::RTS, kAppName, kSettingsSection, "RTS", SettingType::Flag, "False"},
    {Setting::RestoreCatRate, kAppName, kSettingsSection, "RestoreCatRate", SettingType::Flag, "True"},
    // Device path of port number n; empty: the platform's default device.
    {Setting::PortDevice, kAppName, kSettingsSection, "PortDevice%1", SettingType::Text, "", 1, 16},
    // 0 normal, 1 minimised, 2 maximised.
    {Setting::MemoryWindowState, kAppName, kSettingsSection, "MemoryWindowState", SettingType::Number, "0"},
    // Window geometry in twips. Missing sizes keep the window's design size.
    {Setting::MemoryHeight, kAppName, kSettingsSection, "MemoryHeight", SettingType::Number, nullptr},
    {Setting::MemoryWidth, kAppName, kSettingsSection, "MemoryWidth", SettingType::Number, nullptr},
    {Setting::MemoryTop, kAppName, kSettingsSection, "MemoryTop", SettingType::Number, "0"},
    {Setting::MemoryLeft, kAppName, kSettingsSection, "MemoryLeft", SettingType::Number, "0"},
    // Memory grid column widths in twips; a missing Column0 (or 999 in it)
    // means none were saved.
    {Setting::Column, kAppName, kSettingsSection, "Column%1", SettingType::Number, nullptr, 0, 6},
    {Setting::ErrorListHeight, kAppName, kSettingsSection, "ErrorListHeight", SettingType::Number, nullptr},
    {Setting::ErrorListWidth, kAppName, kSettingsSection, "ErrorListWidth", SettingType::Number, nullptr},
    {Setting::ErrorListTop, kAppName, kSettingsSection, "ErrorListTop", SettingType::Number, nullptr},
    {Setting::ErrorListLeft, kAppName, kSettingsSection, "ErrorListLeft", SettingType::Number, nullptr},
    {Setting::ImportExportTop, kAppName, kSettingsSection, "ImportExportTop", SettingType::Number, "0"},
    {Setting::ImportExportLeft, kAppName, kSettingsSection, "ImportExportLeft", SettingType::Number, "0"},
    // Print column n: 1 printed, 0 not.
    {Setting::PrintCol, kAppName, kSettingsSection, "PrintCol%1", SettingType::Number, "1", 1, 6},
    {Setting::Landscape, kAppName, kSettingsSection, "Landscape", SettingType::Flag, "True"},
    {Setting::Duplex, kAppName, kSettingsSection, "Duplex", SettingType::Flag, "False"},
    {Setting::TopMargin, kAppName, kSettingsSection, "TopMargin", SettingType::Text, "Minimum"},

    {Setting::RepeaterRulesActive, kRulesAppName, kRulesSection, "RepeaterRulesActive", SettingType::Flag, "False"},
    {Setting::AllowAnyRepeaterFrequency, kRulesAppName, kRulesSection, "AllowAnyRepeaterFrequency", SettingType::Flag,
     "False"},
    {Setting::NumberOfRules, kRulesAppName, kRulesSection, "NumberOfRules", SettingType::Number, "0"},
    // Rule n. Limits and offset are MHz texts with the decimal separator of the
    // locale they were written in; their fallbacks are formatted in the
    // current locale by the rules code.
    {Setting::RuleLow, kRulesAppName, kRulesSection, "Rule%1Low", SettingType::Text, nullptr, 1, 1000},
    {Setting::RuleHigh, kRulesAppName, kRulesSection, "Rule%1High", SettingType::Text, nullptr, 1, 1000},
    {Setting::RuleDirection, kRulesAppName, kRulesSection, "Rule%1Direction", SettingType::Text, "Minus", 1, 1000},
    {Setting::RuleAmount, kRulesAppName, kRulesSection, "Rule%1Amount", SettingType::Text, nullptr, 1, 1000},
    {Setting::RuleStep, kRulesAppName, kRulesSection, "Rule%1Step", SettingType::Text, "12.5 K", 1, 1000},
};

constexpr bool settingDeclarationsInOrder()
{
    int i = 0;
    for (const SettingDeclaration &d : kSettingDeclarations) {
        if (int(d.setting) != i++)
            return false;
    }
    return i == int(Setting::Count);
}
static_assert(settingDeclarationsInOrder(), "one declaration per Setting, in the order of the enum");

constexpr const SettingDeclaration &declarationOf(Setting s) { return kSettingDeclarations[int(s)]; }

template <SettingType T> struct SettingTypeTraits;
template <> struct SettingTypeTraits<SettingType::Text> {
    using Value = QString;
    static std::optional<QString> read(const QString &text) { return text; }
    static QString write(const QString &value) { return value; }
};
template <> struct SettingTypeTraits<SettingType::Number> {
    using Value = int;
    static std::optional<int> read(const QString &text);
    static QString write(int value) { return QString::number(value); }
};
template <> struct SettingTypeTraits<SettingType::Flag> {
    using Value = bool;
    static std::optional<bool> read(const QString &text);
    static QString write(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
};

template <Setting S> using SettingTraits = SettingTypeTraits<declarationOf(S).type>;
template <Setting S> using SettingValue = typename SettingTraits<S>::Value;

class SettingsStore : public QObject {
    Q_OBJECT
public:
    // folder empty: $MEMVAULT_CONFIG_DIR when set, else the user's config folder
    // (~/.config/memvault on Linux).
    explicit SettingsStore(const QString &folder = {});
    ~SettingsStore() override;
    // A store in a fresh folder of its own, removed with the store.
    static std::unique_ptr<SettingsStore> createTemporary();

    QString folder() const { return m_ini.folder(); }

    // The value, or the declared default when the key is missing or its text
    // does not read as the setting's type. Families take the index.
    template <Setting S> SettingValue<S> get() const
    {
        static_assert(!declarationOf(S).isFamily(), "give the index");
        return getAt<S>(0);
    }
    template <Setting S> SettingValue<S> get(int index) const
    {
        static_assert(declarationOf(S).isFamily(), "not an indexed setting");
        return getAt<S>(index);
    }
    // The value; nothing when the key is missing or does not read as the type.
    template <Setting S> std::optional<SettingValue<S>> find(int index = 0) const
    {
        const std::optional<QString> t = storedText(S, index);
        return t ? SettingTraits<S>::read(*t) : std::nullopt;
    }
    template <Setting S> void set(const SettingValue<S> &value)
    {
        static_assert(!declarationOf(S).isFamily(), "give the index");
        setText(S, SettingTraits<S>::write(value));
    }
    template <Setting S> void set(int index, const SettingValue<S> &value)
    {
        static_assert(declarationOf(S).isFamily(), "not an indexed setting");
        setText(S, SettingTraits<S>::write(value), index);
    }

    // Whether the key is there at all, whatever it holds.
    bool contains(Setting s, int index = 0) const;
    void remove(Setting s, int index = 0);
    // The text as stored (or the declared default's text), and a text written
    // as it stands, as a hand-edited file could hold it.
    QString text(Setting s, int index = 0) const;
    void setText(Setting s, const QString &text, int index = 0);

    // "PortDevice3" for (PortDevice, 3).
    static QString keyName(Setting s, int index = 0);

    // Writes the files that changed. False when one of them could not be
    // written (the old file is then as it was); error() says which and why.
    bool sync() { return m_ini.sync(); }
    QString error() const { return m_ini.error(); }
    // Called with a message when a settings file cannot be read or saved.
    void setProblemHandler(std::function<void(const QString &)> handler)
    {
        m_ini.setProblemHandler(std::move(handler));
    }

signals:
    // A setting was written with a new value or removed.
    void changed(mv::Setting setting, int index);

private:
    explicit SettingsStore(std::unique_ptr<QTemporaryDir> folder);
    template <Setting S> SettingValue<S> getAt(int index) const
    {
        static_assert(declarationOf(S).defaultText != nullptr, "no declared default: read it with find()");
        if (std::optional<SettingValue<S>> v = find<S>(index))
            return *v;
        return *SettingTraits<S>::read(QString::fromLatin1(declarationOf(S).defaultText));
    }
    std::optional<QString> storedText(Setting s, int index) const;

    std::unique_ptr<QTemporaryDir> m_temporaryFolder;  // destroyed after m_ini has written
    IniStore m_ini;
};

}  // namespace mv
