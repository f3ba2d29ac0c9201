#pragma once
// The rules window frmRepeaterRules: the user's repeater rules as an editable
// table, regional presets, and the two switches. The table is a working copy:
// only OK stores it and reloads the program's rule set; Cancel changes nothing.
#include "rules/RuleRows.h"

#include <QDialog>
#include <QList>
#include <vector>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace mv {

class Dialogs;
class MessageLog;
class SettingsStore;
struct RepeaterRuleSet;
struct RulePreset;
class RuleCellDelegate;

class RepeaterRulesDialog : public QDialog {
    Q_OBJECT
public:
    // rules is the set that OK reloads from the store (the main window's);
    // boxes go through dialogs; log may be null.
    RepeaterRulesDialog(SettingsStore &settings, Dialogs &dialogs, RepeaterRuleSet &rules, MessageLog *log,
                        QWidget *parent = nullptr);
    ~RepeaterRulesDialog() override;

    // The table's cell texts, rule 1 first.
    std::vector<RuleRow> rows() const;

    static const QString kInstructions;

public slots:
    void reject() override;

private:
    struct PendingEdit {
        int row;
        int column;
        QString text;
    };

    void reloadMyRules();
    void loadPreset(const RulePreset &preset);
    void addRule();
    void deleteRule();
    void confirm();
    void setRows(const std::vector<RuleRow> &rows);
    void setRow(int row, const RuleRow &rule);
    void queueEdit(int row, int column, const QString &text);
    // Closes an open cell editor, committing its text into the queue.
    void commitOpenEditor();
    // Checks and applies the queued edits; false when one of them was refused.
    bool applyPendingEdits();

    SettingsStore &m_settings;
    Dialogs &m_dialogs;
    RepeaterRuleSet &m_rules;
    MessageLog *m_log;

    QTableWidget *m_grid = nullptr;
    QCheckBox *m_allowAny = nullptr;
    QCheckBox *m_rulesEnabled = nullptr;
    RuleCellDelegate *m_delegate = nullptr;

    QList<PendingEdit> m_pending;
    bool m_applying = false;
};

}  // namespace mv
