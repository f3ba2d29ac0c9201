#include "ui/RepeaterRulesDialog.h"

#include "rules/RepeaterRules.h"
#include "rules/RulePresets.h"
#include "shell/Dialogs.h"
#include "ui/PickListEditor.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace mv {

namespace {
enum Column { ColLow = 0, ColHigh = 1, ColDirection = 2, ColAmount = 3, ColStep = 4, ColumnCount = 5 };

const QStringList *choicesFor(int column)
{
    if (column == ColDirection)
        return &DirectionChoices();
    if (column == ColStep)
        return &StepChoices();
    return nullptr;
}
}  // namespace

// Pick lists for direction and step; free text elsewhere. A pick list stores
// only a choice: Enter, a click on an item of its open list, or leaving the
// cell; keys and the wheel merely move the choice, and Esc keeps the cell.
// Typed Low, High and Amount texts are handed to the window, which checks them
// after the editor has closed, so that a message box never appears while an
// editor is half-closed.
class RuleCellDelegate : public QStyledItemDelegate {
public:
    using EditSink = std::function<void(int row, int column, const QString &text)>;

    RuleCellDelegate(EditSink sink, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_sink(std::move(sink))
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QStringList *choices = choicesFor(index.column());
        if (!choices)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *combo = new PickListEditor(parent);
        combo->setObjectName(index.column() == ColDirection ? QStringLiteral("cboDirection")
                                                            : QStringLiteral("cboStep"));
        combo->addItems(*choices);
        // A choice made in the open list ends the edit at once, as Enter does.
        auto *self = const_cast<RuleCellDelegate *>(this);
        connect(combo, &PickListEditor::picked, self, [self, combo]() {
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
        return combo;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            // A stored value outside the list, left alone, stays as it was.
            if (combo->currentIndex() >= 0)
                model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            m_sink(index.row(), index.column(), line->text());
    }

private:
    EditSink m_sink;
};

const QString RepeaterRulesDialog::kInstructions = QStringLiteral(
    "Repeater Rules enable you to specify default offset, tuning step and repeater shift direction whenever you "
    "change the RX frequency.  You can load a pre-defined set of rules based on operating location but please "
    "check and amend these to agree with your license.  Please advise the author of any missing/incorrect "
    "pre-defined rules.  Values in each cell can be edited and you can add or delete rules.");

RepeaterRulesDialog::RepeaterRulesDialog(SettingsStore &settings, Dialogs &dialogs, RepeaterRuleSet &rules,
                                         MessageLog *log, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_rules(rules)
    , m_log(log)
{
    setObjectName(QStringLiteral("frmRepeaterRules"));
    setWindowTitle(QStringLiteral("Repeater Rules"));
    setWindowModality(Qt::ApplicationModal);
    setModal(true);

    auto *instructions = new QLabel(kInstructions, this);
    instructions->setObjectName(QStringLiteral("lblInstructions"));
    instructions->setWordWrap(true);

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("grdRepeaterRules"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("If Freq\nis >="), QStringLiteral("and Freq\nis <="),
                                       QStringLiteral("then RPT\nshift is"), QStringLiteral("and RPT\noffset is"),
                                       QStringLiteral("and tune\nstep is")});
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // No editor on a second click of the current cell: a click only selects.
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMinimumSize(560, 220);
    m_delegate = new RuleCellDelegate(
        [this](int row, int column, const QString &text) { queueEdit(row, column, text); }, this);
    m_grid->setItemDelegate(m_delegate);

    m_allowAny = new QCheckBox(QStringLiteral("Allow any frequency"), this);
    m_allowAny->setObjectName(QStringLiteral("chkAllowAnyFrequency"));
    m_rulesEnabled = new QCheckBox(QStringLiteral("Apply rules when editing RX freq"), this);
    m_rulesEnabled->setObjectName(QStringLiteral("ChkRulesEnabled"));

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        // Enter belongs to the cell editor, never to a button.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };

    auto *myRules = button("cmdMyRules", QStringLiteral("Reload my current rules"));
    connect(myRules, &QPushButton::clicked, this, [this]() {
        commitOpenEditor();
        m_pending.clear();
        reloadMyRules();
    });

    auto *presetGroup = new QGroupBox(QStringLiteral("Pre-defined rules"), this);
    presetGroup->setObjectName(QStringLiteral("fraPredefinedRules"));
    auto *presetLayout = new QGridLayout(presetGroup);
    int i = 0;
    for (const RulePreset &preset : RulePresets()) {
        auto *b = button(preset.objectName, QString::fromLatin1(preset.caption));
        b->setParent(presetGroup);
        presetLayout->addWidget(b, i / 2, i % 2);
        const RulePreset *p = &preset;
        connect(b, &QPushButton::clicked, this, [this, p]() {
            commitOpenEditor();
            m_pending.clear();
            loadPreset(*p);
        });
        ++i;
    }

    auto *addRuleButton = button("cmdAddRule", QStringLiteral("Add a new rule"));
    connect(addRuleButton, &QPushButton::clicked, this, &RepeaterRulesDialog::addRule);
    auto *deleteRuleButton = button("cmdDeleteRule", QStringLiteral("Delete the selected rule"));
    connect(deleteRuleButton, &QPushButton::clicked, this, &RepeaterRulesDialog::deleteRule);
    auto *cancel = button("cmdCancel", QStringLiteral("Cancel and Exit"));
    connect(cancel, &QPushButton::clicked, this, &RepeaterRulesDialog::reject);
    auto *ok = button("cmdOK", QStringLiteral("OK - save as my rules and Exit"));
    connect(ok, &QPushButton::clicked, this, &RepeaterRulesDialog::confirm);

    auto *switches = new QHBoxLayout;
    switches->addWidget(m_rulesEnabled);
    switches->addWidget(m_allowAny);
    switches->addStretch();
    switches->addWidget(myRules);

    auto *ruleButtons = new QHBoxLayout;
    ruleButtons->addWidget(addRuleButton);
    ruleButtons->addWidget(deleteRuleButton);
    ruleButtons->addStretch();
    ruleButtons->addWidget(cancel);
    ruleButtons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(instructions);
    layout->addWidget(m_grid, 1);
    layout->addLayout(switches);
    layout->addWidget(presetGroup);
    layout->addLayout(ruleButtons);
    ApplyUserInterfaceFont(this);

    reloadMyRules();
}

RepeaterRulesDialog::~RepeaterRulesDialog() = default;

std::vector<RuleRow> RepeaterRulesDialog::rows() const
{
    std::vector<RuleRow> out;
    out.reserve(size_t(m_grid->rowCount()));
    auto text = [this](int row, int column) {
        const QTableWidgetItem *item = m_grid->item(row, column);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < m_grid->rowCount(); ++r)
        out.push_back({text(r, ColLow), text(r, ColHigh), text(r, ColDirection), text(r, ColAmount), text(r, ColStep)});
    return out;
}

void RepeaterRulesDialog::setRow(int row, const RuleRow &rule)
{
    const QStringList cells = rule.cells();
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setItem(row, c, new QTableWidgetItem(cells[c]));
}

void RepeaterRulesDialog::setRows(const std::vector<RuleRow> &rows)
{
    m_grid->clearContents();
    m_grid->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        setRow(r, rows[size_t(r)]);
}

void RepeaterRulesDialog::reloadMyRules()
{
    const StoredRuleRows stored = ReadStoredRuleRows(m_settings);
    setRows(stored.rows);
    m_rulesEnabled->setChecked(stored.RepeaterRulesActive);
    m_allowAny->setChecked(stored.AllowAnyRepeaterFrequency);
}

void RepeaterRulesDialog::loadPreset(const RulePreset &preset) { setRows(PresetRuleRows(preset)); }

void RepeaterRulesDialog::addRule()
{
    commitOpenEditor();
    applyPendingEdits();
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    setRow(row, NewRuleRow());
}

void RepeaterRulesDialog::deleteRule()
{
    commitOpenEditor();
    applyPendingEdits();
    const int row = m_grid->currentRow();
    if (row >= 0 && row < m_grid->rowCount())
        m_grid->removeRow(row);
}

void RepeaterRulesDialog::queueEdit(int row, int column, const QString &text)
{
    m_pending.append({row, column, text});
    QMetaObject::invokeMethod(
        this, [this]() { applyPendingEdits(); }, Qt::QueuedConnection);
}

void RepeaterRulesDialog::commitOpenEditor()
{
    // The table has no index widgets of its own: a widget here is an open editor.
    QWidget *editor = m_grid->indexWidget(m_grid->currentIndex());
    if (!editor)
        return;
    emit m_delegate->commitData(editor);
    emit m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool RepeaterRulesDialog::applyPendingEdits()
{
    if (m_applying)
        return true;
    m_applying = true;
    bool allAccepted = true;
    while (!m_pending.isEmpty()) {
        const PendingEdit edit = m_pending.takeFirst();
        QTableWidgetItem *item = m_grid->item(edit.row, edit.column);
        // Leaving a cell as it was is no edit: a preset's limit outside the
        // bands must not be refused just because its editor was opened.
        if (!item || item->text() == edit.text)
            continue;
        if (edit.column == ColAmount) {
            if (CheckRuleAmountEntry(edit.text, &m_dialogs))
                item->setText(edit.text);
            else
                allAccepted = false;
        } else {
            QString cell;
            if (CheckRuleFrequencyEntry(edit.text, m_allowAny->isChecked(), &m_dialogs, &cell))
                item->setText(cell);
            else
                allAccepted = false;
        }
    }
    m_applying = false;
    return allAccepted;
}

void RepeaterRulesDialog::confirm()
{
    commitOpenEditor();
    // A refused last edit keeps the window open, so that its message is not
    // followed by storing rules the user did not mean.
    if (!applyPendingEdits())
        return;
    StoreRuleRows(m_settings, rows(), m_rulesEnabled->isChecked(), m_allowAny->isChecked());
    LoadRepeaterRules(m_rules, m_settings, &m_dialogs, m_log);
    accept();
}

void RepeaterRulesDialog::reject()
{
    m_pending.clear();
    QDialog::reject();
}

}  // namespace mv
