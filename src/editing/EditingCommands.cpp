#include "editing/EditingCommands.h"

#include "core/Frequency.h"
#include "core/MemoryText.h"
#include "core/NumberText.h"
#include "core/RadioTables.h"
#include "rules/RepeaterRules.h"
#include "shell/Dialogs.h"
#include "shell/MessageLog.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>

namespace mv {

namespace {

constexpr int kMemories = MemoryTable::kMemoryCount;
constexpr int kLastColumn = MemoryTable::ColDescription;  // memory view
constexpr int kPmsLastColumn = MemoryTable::ColTone;  // PMS view
const QString kLineBreak = QStringLiteral("\r\n");

// Sorting key of a description with the view's generic ordering: numbers compare
// as numbers, everything else as text (without regard to case). To keep the
// order strict, blanks come first, then numbers, then other text.
struct SortKey {
    int rank = 0;
    double number = 0;
    QString text;
};

SortKey sortKeyOf(const QString &cell)
{
    SortKey key;
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return key;
    if (IsNumericText(t)) {
        QString c = t;
        c.replace(DecimalSeparator(), QLatin1Char('.'));
        bool ok = false;
        const double v = c.toDouble(&ok);
        if (ok) {
            key.rank = 1;
            key.number = v;
            return key;
        }
    }
    key.rank = 2;
    key.text = cell;
    return key;
}

bool keyLess(const SortKey &a, const SortKey &b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank;
    if (a.rank == 1)
        return a.number < b.number;
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
}

// Tabs and line breaks would split a description across lines of the memory
// files and fields of a CSV file.
void blankControlCharacters(QString &text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
}

// "Are you sure you want to delete memory 7" / "... memories 7 to 9": true on OK.
bool confirmBlockCommand(Dialogs &dialogs, const QString &verb, int first, int last)
{
    const QString start = QStringLiteral("Are you sure you want to ") + verb;
    const QString question = first == last ? start + QStringLiteral(" memory") + SignedText(first)
                                           : start + QStringLiteral(" memories") + SignedText(first)
                                                 + QStringLiteral(" to") + SignedText(last);
    return dialogs.messageBox(question, Buttons::OkCancel, Icon::Question) == Answer::Ok;
}

bool isPickListColumn(int column) { return column >= MemoryTable::ColMode && column <= MemoryTable::ColTone; }

// A confirmed frequency f (10 Hz units) in a memory or PMS row: blank mode,
// shift and tone get the band's mode, Simplex and 67.0; with repeater rules on,
// the shift follows the rule that covers f (Simplex when none does).
void setFrequency(Memory &m, qint32 f, const RepeaterRuleSet &rules)
{
    if (!m.used) {
        Memory fresh;
        fresh.description = m.description;
        m = fresh;
    }
    m.used = true;
    m.frequency = f;
    m.hertz = -1;
    if (m.mode == Mode::None)
        m.mode = DefaultModeForFrequency(rules, f);
    if (m.shift == Shift::None)
        m.shift = Shift::Simplex;
    if (m.tone == kNoTone)
        m.tone = 0;
    if (rules.RepeaterRulesActive) {
        const std::optional<RepeaterRuleMatch> rule = FindRepeaterRule(rules, f);
        m.shift = rule ? shiftFromText(rule->Direction) : Shift::Simplex;
    }
}

// Cell `column` of `from` into `to` (fill down).
void copyField(Memory &to, const Memory &from, int column)
{
    switch (column) {
    case MemoryTable::ColFrequency:
        to.frequency = from.frequency;
        to.hertz = from.hertz;
        break;
    case MemoryTable::ColMode:
        to.mode = from.mode;
        break;
    case MemoryTable::ColShift:
        to.shift = from.shift;
        break;
    case MemoryTable::ColEncoding:
        to.encoding = from.encoding;
        break;
    case MemoryTable::ColTone:
        to.tone = from.tone;
        break;
    case MemoryTable::ColDescription:
        to.description = from.description;
        break;
    default:
        break;
    }
}

// The text of a memory view cell, as the clipboard and find see it.
QString cellText(const MemoryTable &table, int row, int column)
{
    return column == MemoryTable::ColLabel ? MemoryLabel(row) : MemoryCellText(table.memory(row), column);
}

}  // namespace

EditingCommands::EditingCommands(AppContext &ctx, UndoSnapshot &undo, const RepeaterRuleSet &rules)
    : m_ctx(ctx)
    , m_undo(undo)
    , m_rules(rules)
{
}

// ---- helpers ----------------------------------------------------------------

int EditingCommands::firstRow() const { return std::clamp(m_ctx.state.selection.firstRow, 1, kMemories); }

int EditingCommands::lastRow() const { return std::clamp(m_ctx.state.selection.lastRow, firstRow(), kMemories); }

void EditingCommands::selectCell(int row, int column)
{
    m_ctx.view.SelectCell(row, column);
    m_ctx.state.selection = {row, row, column, column};
}

void EditingCommands::selectBlock(int first, int last)
{
    m_ctx.view.SelectBlock(first, last, 1, kLastColumn);
    m_ctx.state.selection = {first, last, 1, kLastColumn};
}

void EditingCommands::refreshHiding()
{
    if (m_ctx.state.HideEmptyMemories)
        m_ctx.view.ApplyHideEmpty();
}

bool EditingCommands::isMemoryCellEditable(int row, int column) const
{
    const AppState &s = m_ctx.state;
    if (s.DataSource == DataSource::Nothing || s.FormLoading || s.UndoInProgress)
        return false;
    if (row < 1 || row > kMemories || column < 1 || column > kLastColumn)
        return false;
    return column == MemoryTable::ColFrequency || !s.table.isEmpty(row);
}

QStringList EditingCommands::PickListChoices(int column)
{
    QString list;
    switch (column) {
    case MemoryTable::ColMode:
        list = modePickList();
        break;
    case MemoryTable::ColShift:
        list = shiftPickList();
        break;
    case MemoryTable::ColEncoding:
        list = encodingPickList();
        break;
    case MemoryTable::ColTone:
        list = tonePickList();
        break;
    default:
        return {};
    }
    QStringList choices = list.split(QLatin1Char('|'));
    if (!choices.isEmpty() && choices.last().isEmpty())
        choices.removeLast();
    return choices;
}

QString EditingCommands::MatchPickList(int column, const QString &text)
{
    const QStringList choices = PickListChoices(column);
    if (text.isEmpty())
        return {};
    if (choices.contains(text))
        return text;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    for (const QString &c : choices) {
        if (c.trimmed().compare(t, Qt::CaseInsensitive) == 0)
            return c;
    }
    return {};
}

void EditingCommands::ClearText(QString &text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char(','))
            c = QLatin1Char(' ');
    }
}

QString EditingCommands::FindPrompt()
{
    return QStringLiteral("Find what:") + kLineBreak + kLineBreak + QStringLiteral("The case of the text is ignored.")
           + kLineBreak + kLineBreak
           + QStringLiteral("After a successful find you can use F3 to find the next occurence");
}

// ---- block commands -----------------------------------------------------------

void EditingCommands::InsertMemoryAbove()
{
    if (!hasData())
        return;
    MemoryTable &table = m_ctx.state.table;
    const int current = m_ctx.view.CurrentRow();
    if (current < 1 || current > kMemories)
        return;
    int dropped = 0;
    for (int r = current + 1; r <= kMemories; ++r) {
        if (table.isEmpty(r)) {
            dropped = r;
            break;
        }
    }
    if (dropped == 0) {
        const QString question = QStringLiteral("No empty memory slot is available after memory") + SignedText(current)
                                 + kLineBreak + QStringLiteral("Is it OK to drop the last memory?");
        if (m_ctx.dialogs.messageBox(question, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return;
        dropped = kMemories;
    }
    m_ctx.view.ShowMemoriesTab();
    m_ctx.view.FocusMemoryView();
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("InsertAbove"));
    {
        MemoryTable::Batch batch(table);
        // The dropped row comes out and returns cleared at the insert position:
        // everything from there down to it moves one lower.
        table.moveMemoryRow(dropped, current);
        table.ClearMemoryRow(current);
    }
    markChanged();
    refreshHiding();
    selectCell(std::min(current + 1, kMemories), MemoryTable::ColFrequency);
}

void EditingCommands::DeleteMemory()
{
    if (!hasData() || m_ctx.view.CurrentRow() < 1 || m_ctx.state.selection.firstRow < 1)
        return;
    const int first = firstRow(), last = lastRow();
    if (!confirmBlockCommand(m_ctx.dialogs, QStringLiteral("delete"), first, last))
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("Delete"));
    {
        MemoryTable::Batch batch(m_ctx.state.table);
        for (int r = last; r >= first; --r)
            m_ctx.state.table.ClearMemoryRow(r);
    }
    markChanged();
    selectCell(first, MemoryTable::ColFrequency);
}

void EditingCommands::RemoveMemory()
{
    if (!hasData())
        return;
    const int current = m_ctx.view.CurrentRow();
    if (current < 1 || current > kMemories)
        return;
    const int first = firstRow(), last = lastRow();
    if (!confirmBlockCommand(m_ctx.dialogs, QStringLiteral("remove"), first, last))
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("Remove"));
    MemoryTable &table = m_ctx.state.table;
    const std::vector<Memory> &old = table.memoryRows();
    std::vector<Memory> rows;
    rows.reserve(kMemories);
    rows.insert(rows.end(), old.begin(), old.begin() + (first - 1));
    rows.insert(rows.end(), old.begin() + last, old.end());
    rows.resize(kMemories);
    table.setMemoryRows(rows);
    markChanged();
    refreshHiding();
    selectCell(first, MemoryTable::ColFrequency);
}

void EditingCommands::MoveSelectedDown()
{
    if (!hasData())
        return;
    const int current = m_ctx.view.CurrentRow();
    if (current < 1 || current > kMemories)
        return;
    const int first = firstRow(), last = lastRow();
    selectBlock(first, last);
    if (last == kMemories)
        return;
    m_ctx.state.table.moveMemoryRow(last + 1, first);
    selectBlock(first + 1, last + 1);
    markChanged();
    refreshHiding();
}

void EditingCommands::MoveSelectedUp()
{
    if (!hasData())
        return;
    const int current = m_ctx.view.CurrentRow();
    if (current < 1 || current > kMemories)
        return;
    const int first = firstRow(), last = lastRow();
    selectBlock(first, last);
    if (first == 1)
        return;
    m_ctx.state.table.moveMemoryRow(first - 1, last);
    selectBlock(first - 1, last - 1);
    markChanged();
    refreshHiding();
}

void EditingCommands::FillSelectionDownwards()
{
    if (!hasData())
        return;
    MemoryTable &table = m_ctx.state.table;
    const int first = firstRow(), last = lastRow();
    if (first == last || table.isEmpty(first))
        return;
    // Column 0 is the memory number and never copied.
    const int c1 = std::max(m_ctx.state.selection.firstCol, int(MemoryTable::ColFrequency));
    const int c2 = std::min(m_ctx.state.selection.lastCol, kLastColumn);
    if (c1 > c2)
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("FillDown"));
    {
        MemoryTable::Batch batch(table);
        for (int r = first + 1; r <= last; ++r) {
            if (table.isEmpty(r))
                continue;
            Memory m = table.memory(r);
            for (int c = c1; c <= c2; ++c)
                copyField(m, table.memory(first), c);
            table.setMemory(r, m);
        }
    }
    // Like every other command: a filled block must not be lost at exit unasked.
    markChanged();
}

void EditingCommands::CompactEmptyMemories()
{
    if (!hasData())
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("Compact"));
    MemoryTable &table = m_ctx.state.table;
    std::vector<Memory> rows;
    rows.reserve(kMemories);
    for (const Memory &m : table.memoryRows()) {
        if (m.used)
            rows.push_back(m);
    }
    rows.resize(kMemories);
    table.setMemoryRows(rows);
    m_ctx.state.HideEmptyMemories = false;
    m_ctx.view.CommandsChanged();
    m_ctx.view.ApplyHideEmpty();
    markChanged();
}

void EditingCommands::DeletePmsMemoryPair(int k)
{
    if (!hasData() || k < 1 || k > MemoryTable::kPmsCount)
        return;
    const int pair = (k + 1) / 2;
    if (m_ctx.dialogs.messageBox(QStringLiteral("Are you sure you want to delete PMS memory pair ")
                                     + QString::number(pair),
                                 Buttons::OkCancel, Icon::Question)
        != Answer::Ok)
        return;
    {
        MemoryTable::Batch batch(m_ctx.state.table);
        m_ctx.state.table.ClearPmsRow(2 * pair - 1);
        m_ctx.state.table.ClearPmsRow(2 * pair);
    }
    markChanged();
}

void EditingCommands::DragMove(int from, int to)
{
    if (!hasData() || from < 1 || from > kMemories || to < 1 || to > kMemories || from == to)
        return;
    m_ctx.state.table.moveMemoryRow(from, to);
    markChanged();
    refreshHiding();
    selectCell(to, MemoryTable::ColFrequency);
}

// ---- clipboard and undo -----------------------------------------------------

QString EditingCommands::SelectionText() const
{
    const MemoryTable &table = m_ctx.state.table;
    const int c1 = std::clamp(m_ctx.state.selection.firstCol, 0, kLastColumn);
    const int c2 = std::clamp(m_ctx.state.selection.lastCol, c1, kLastColumn);
    QStringList lines;
    for (int r = firstRow(); r <= lastRow(); ++r) {
        QStringList cells;
        for (int c = c1; c <= c2; ++c)
            cells << cellText(table, r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(kLineBreak);
}

void EditingCommands::copyOrCut(bool cut)
{
    if (!hasData())
        return;
    m_ctx.view.SetClipboardText(SelectionText());
    AppState &s = m_ctx.state;
    s.CopiedFirst = firstRow();
    s.CopiedLast = lastRow();
    s.CutPending = cut;
    s.ClipboardHasMemories = true;
    m_ctx.view.CommandsChanged();
}

void EditingCommands::Copy() { copyOrCut(false); }
void EditingCommands::Cut() { copyOrCut(true); }

void EditingCommands::Paste()
{
    AppState &s = m_ctx.state;
    if (!hasData() || s.CopiedFirst < 1 || s.CopiedFirst > kMemories)
        return;
    const int first = s.CopiedFirst;
    const int last = std::clamp(s.CopiedLast, first, kMemories);
    const int t = m_ctx.view.CurrentRow();
    if (t < 1 || t > kMemories || t == first)
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("Paste"));

    // Whole rows travel, so no row ever splits its cells. The work is done on a
    // copy of the rows and handed to the table in one piece.
    std::vector<Memory> rows = s.table.memoryRows();
    const bool cut = s.CutPending;
    auto moveRow = [&](int source, int target) {
        rows[size_t(target - 1)] = rows[size_t(source - 1)];
        if (cut)
            rows[size_t(source - 1)] = Memory();
    };
    if (first < t && t <= last) {
        // Overlapping downwards: copy from the bottom. A source whose target lies
        // beyond 500 keeps its memory; when cutting, a later (higher) source must
        // not then be overwritten either, or the memory that stayed is lost.
        std::vector<bool> stays(size_t(kMemories) + 1, false);
        for (int source = last; source >= first; --source) {
            const int target = t + (source - first);
            if (target > kMemories || (cut && stays[size_t(target)])) {
                stays[size_t(source)] = true;
                continue;
            }
            moveRow(source, target);
        }
    } else {
        for (int source = first; source <= last; ++source) {
            const int target = t + (source - first);
            if (target > kMemories)
                break;
            moveRow(source, target);
        }
    }
    s.table.setMemoryRows(rows);
    if (cut) {
        // The cut memories now live at the paste position; pasting the emptied
        // source rows again would only blank other memories.
        s.CopiedFirst = 0;
        s.CopiedLast = 0;
        s.CutPending = false;
        s.ClipboardHasMemories = false;
        m_ctx.view.CommandsChanged();
    }
    markChanged();
    refreshHiding();
}

void EditingCommands::Undo()
{
    AppState &s = m_ctx.state;
    if (!m_undo.available())
        return;
    const int row = std::clamp(m_ctx.view.CurrentRow(), 1, kMemories);
    s.UndoInProgress = true;
    const bool restored = m_undo.restore(m_ctx);
    m_ctx.view.CommandsChanged();
    if (!restored) {
        s.UndoInProgress = false;
        return;
    }
    selectCell(row, MemoryTable::ColFrequency);
    s.UndoInProgress = false;
    s.HideEmptyMemories = false;
    m_ctx.view.CommandsChanged();
    m_ctx.view.ApplyHideEmpty();
    // The table now differs from what was last saved or read (an undo after a save
    // brings back the unsaved state), so exit must ask.
    markChanged();
}

// ---- sort, find, duplicates -------------------------------------------------

void EditingCommands::sortBlock(int column)
{
    MemoryTable &table = m_ctx.state.table;
    const int first = firstRow(), last = lastRow();
    if (first >= last)
        return;  // one row sorts nothing
    const std::vector<Memory> &old = table.memoryRows();
    const int count = last - first + 1;
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    auto at = [&](int i) -> const Memory & { return old[size_t(first - 1 + i)]; };
    if (column == MemoryTable::ColFrequency) {
        // Empty memories sort after every real one.
        std::vector<qint64> keys(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            keys[size_t(i)] = at(i).used ? at(i).frequencyHz() : std::numeric_limits<qint64>::max();
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    } else {
        std::vector<SortKey> keys(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            keys[size_t(i)] = sortKeyOf(at(i).description);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return keyLess(keys[size_t(a)], keys[size_t(b)]); });
    }
    std::vector<Memory> rows = old;
    for (int i = 0; i < count; ++i)
        rows[size_t(first - 1 + i)] = at(order[size_t(i)]);
    table.setMemoryRows(rows);
    markChanged();
    refreshHiding();
}

void EditingCommands::SortByFrequency()
{
    if (!hasData())
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("SortFreq"));
    sortBlock(MemoryTable::ColFrequency);
    m_ctx.view.ApplyBanding();
}

void EditingCommands::SortByDescription()
{
    if (!hasData())
        return;
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("SortDescription"));
    sortBlock(MemoryTable::ColDescription);
    CompactEmptyMemories();
    m_ctx.view.ApplyBanding();
}

void EditingCommands::ListDuplicateFrequencies()
{
    if (!hasData())
        return;
    // No yielding to the event loop: a full table of pairs lists in a couple of
    // milliseconds (bench_editing), and nothing can change the table meanwhile.
    const MemoryTable &table = m_ctx.state.table;
    QHash<qint64, std::vector<int>> rowsOf;
    for (int r = 1; r <= kMemories; ++r) {
        if (!table.isEmpty(r))
            rowsOf[table.memory(r).frequencyHz()].push_back(r);
    }
    // Each row with an equal frequency later on pairs with every one of them, in
    // the order of an i-then-j walk over all pairs.
    QHash<qint64, size_t> seen;
    for (int i = 1; i < kMemories; ++i) {
        if (table.isEmpty(i))
            continue;
        const qint64 f = table.memory(i).frequencyHz();
        const std::vector<int> &group = rowsOf[f];
        size_t &position = seen[f];
        for (size_t j = position + 1; j < group.size(); ++j) {
            m_ctx.log.LogMessage(QStringLiteral("Row") + SignedText(i) + QStringLiteral(" and row")
                                 + SignedText(group[j]) + QStringLiteral(" are the same frequency of ")
                                 + FrequencyText(table.memory(i)));
        }
        ++position;
    }
}

bool EditingCommands::searchFrom(int row, int column)
{
    const MemoryTable &table = m_ctx.state.table;
    for (int c = column; c <= kLastColumn; ++c) {
        if (m_ctx.view.IsColumnHidden(c))
            continue;
        for (int r = (c == column ? row : 1); r <= kMemories; ++r) {
            if (cellText(table, r, c).contains(FindTextValue, Qt::CaseInsensitive)) {
                FoundRow = r;
                FoundColumn = c;
                selectCell(r, c);
                return true;
            }
        }
    }
    return false;
}

void EditingCommands::FindText()
{
    if (!hasData())
        return;
    const std::optional<QString> answer = m_ctx.dialogs.inputBox(FindPrompt(), QStringLiteral("Find"), FindTextValue);
    FindTextValue = answer.value_or(QString());
    m_ctx.view.ShowMemoriesTab();
    m_ctx.view.FocusMemoryView();
    // A cancelled box (or nothing to look for) ends the command: an empty text
    // would "match" memory 1 and move the cursor there for no reason.
    if (FindTextValue.isEmpty()) {
        FoundRow = FoundColumn = 0;
        return;
    }
    if (!searchFrom(1, MemoryTable::ColFrequency)) {
        FoundRow = FoundColumn = 0;
        m_ctx.dialogs.messageBox(QStringLiteral("Find completed"), Buttons::Ok, Icon::Information,
                                 QStringLiteral("Find"));
    }
}

void EditingCommands::FindNext()
{
    if (FoundRow == 0 || !hasData() || FindTextValue.isEmpty())
        return;
    m_ctx.view.ShowMemoriesTab();
    m_ctx.view.FocusMemoryView();
    int row = FoundRow + 1;
    int column = FoundColumn;
    if (row > kMemories) {
        row = 1;
        ++column;
    }
    if (column > kLastColumn || !searchFrom(row, column)) {
        FoundRow = 0;
        m_ctx.dialogs.messageBox(QStringLiteral("Find completed"), Buttons::Ok, Icon::None);
    }
}

// ---- cell editing -------------------------------------------------------------

bool EditingCommands::ConfirmMemoryEdit(int row, int column, const QString &text)
{
    if (!isMemoryCellEditable(row, column))
        return false;
    // Taken before any check, so it exists even when the edit is refused.
    m_undo.SaveUndoSnapshot(m_ctx, QStringLiteral("GridEdit"));
    MemoryTable &table = m_ctx.state.table;
    Memory m = table.memory(row);
    switch (column) {
    case MemoryTable::ColFrequency: {
        const bool wasEmpty = !m.used;
        const std::optional<qint32> f = ValidateFrequency(text, Boxes::Show, &m_ctx.dialogs);
        if (!f) {
            m_ctx.view.RefreshChangedState();
            return false;
        }
        setFrequency(m, *f, m_rules);
        table.setMemory(row, m);
        if (wasEmpty)
            refreshHiding();
        break;
    }
    case MemoryTable::ColMode:
    case MemoryTable::ColShift:
    case MemoryTable::ColEncoding:
    case MemoryTable::ColTone: {
        // An empty choice (or a text that is no choice at all) is refused silently.
        const QString choice = MatchPickList(column, text);
        if (choice.isEmpty())
            return false;
        SetMemoryCellText(m, column, choice);
        if (column == MemoryTable::ColEncoding && m.encoding == Encoding::Off)
            m.tone = kNoTone;
        table.setMemory(row, m);
        break;
    }
    case MemoryTable::ColDescription: {
        QString t = text;
        ClearText(t);
        blankControlCharacters(t);
        m.description = t.left(MemoryTable::kDescriptionLimit);
        table.setMemory(row, m);
        break;
    }
    default:
        return false;
    }
    markChanged();
    return true;
}

bool EditingCommands::ConfirmPmsEdit(int k, int column, const QString &text)
{
    const AppState &s = m_ctx.state;
    if (s.DataSource == DataSource::Nothing || s.FormLoading || k < 1 || k > MemoryTable::kPmsCount || column < 1
        || column > kPmsLastColumn)
        return false;
    MemoryTable &table = m_ctx.state.table;
    Memory m = table.pms(k);
    if (column != MemoryTable::ColFrequency && !m.used)
        return false;
    if (column == MemoryTable::ColFrequency) {
        const std::optional<qint32> f = ValidateFrequency(text, Boxes::Show, &m_ctx.dialogs);
        if (!f) {
            m_ctx.view.RefreshChangedState();
            return false;
        }
        setFrequency(m, *f, m_rules);
    } else {
        const QString choice = MatchPickList(column, text);
        if (choice.isEmpty())
            return false;
        // Unlike the memory view, a blank encoding leaves the tone as it is.
        SetMemoryCellText(m, column, choice);
    }
    table.setPms(k, m);
    markChanged();
    return true;
}

bool EditingCommands::PasteIntoCell(int row, int column)
{
    if (!isMemoryCellEditable(row, column))
        return false;
    selectCell(row, column);
    QString text = m_ctx.view.ClipboardText();
    if (isPickListColumn(column)) {
        const QString choice = MatchPickList(column, text);
        if (choice.isEmpty()) {
            m_ctx.dialogs.messageBox(QStringLiteral("The clipboard text is not one of the choices for this cell"),
                                     Buttons::Ok, Icon::Exclamation);
            return false;
        }
        text = choice;
    }
    return ConfirmMemoryEdit(row, column, text);
}

}  // namespace mv
