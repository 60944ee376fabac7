#include "store/editors/store/SubTableEngine.h"

#include "sdk/RuntimeError.h"
#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/store/SubTableCells.h"
#include "store/editors/store/SubTablePaste.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"
#include "widgets/ClipboardRows.h"
#include "widgets/FlexGrid.h"
#include "widgets/MsgBox.h"

#include <algorithm>

using namespace SubTableCells;

namespace {

void NotImplementedYet() {
    MsgBox(QStringLiteral("Not Implemented Yet"));
}

const QColor RefusedBack(255, 200, 200);

} // namespace

SubTableEngine::SubTableEngine(FlexGrid& grid, ErrorState& errors,
                               std::vector<SubTableDescription> descriptions)
    : m_grid(grid), m_errors(errors) {
    for (SubTableDescription& description : descriptions) {
        auto table = std::make_shared<VariantTable>(description.fields);
        m_entries.push_back({std::move(description), std::move(table), false, {}, {}});
    }
}

void SubTableEngine::Setup(CStoreMaint& service, CStore& store, QWidget* owner,
                           std::function<bool()> saveNewStore) {
    m_service = &service;
    m_store = &store;
    m_owner = owner;
    m_saveNewStore = std::move(saveNewStore);
}

int32_t SubTableEngine::StoreNo() const {
    return m_store ? m_store->StoreNo() : 0;
}

bool SubTableEngine::Has(const QString& key) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.description.key == key; });
}

SubTableEngine::Entry& SubTableEngine::entry(const QString& key) {
    return const_cast<Entry&>(std::as_const(*this).entry(key));
}

const SubTableEngine::Entry& SubTableEngine::entry(const QString& key) const {
    for (const Entry& e : m_entries)
        if (e.description.key == key)
            return e;
    throw RuntimeError(ErrorNumbers::InvalidProcedureCall, QStringLiteral("No table ") + key);
}

SubTableEngine::Entry* SubTableEngine::current() {
    for (Entry& e : m_entries)
        if (e.description.key == m_currentKey)
            return &e;
    return nullptr;
}

VariantTable& SubTableEngine::Table(const QString& key) {
    return *entry(key).table;
}

const VariantTable& SubTableEngine::Table(const QString& key) const {
    return *entry(key).table;
}

const SubTableDescription& SubTableEngine::Description(const QString& key) const {
    return entry(key).description;
}

bool SubTableEngine::Changed(const QString& key) const {
    return entry(key).changed;
}

void SubTableEngine::setChanged(const QString& key, bool changed) {
    entry(key).changed = changed;
}

// ---- loading and showing

void SubTableEngine::LoadAll() {
    for (Entry& e : m_entries)
        Load(e.description.key);
}

void SubTableEngine::Load(const QString& key) {
    Entry& e = entry(key);
    if (StoreNo() == 0 && !e.description.loadsWithoutStore)
        return;
    // The grid must not look at the table while its rows change under it.
    const bool shown = m_grid.Table() == e.table;
    if (shown)
        m_grid.Unbind();
    if (e.description.emptiedBeforeLoad) {
        e.table->Clear();
        forgetPaste(e);
    }
    m_errors.Guard(m_service ? m_service->ErrorObject() : nullptr, e.description.loadFailure, [&] {
        readRows(e);
        return true;
    });
    if (shown || e.description.emptiedBeforeLoad)
        SetupGrid(key);
}

void SubTableEngine::readRows(Entry& e) {
    StoredProcedureCall call(m_service->DBConnection(), e.description.procedure);
    call.set(QStringLiteral("@store_no"), StoreNo());
    if (!call.openRows())
        return;
    bool first = true;
    for (; !call.atEnd(); call.next()) {
        // The first row starts a fresh table; no rows keeps what was there.
        if (first) {
            e.table->Clear();
            forgetPaste(e);
        }
        first = false;
        const int32_t row = e.table->AddRow();
        setStatus(*e.table, row, stUnchanged);
        e.description.readRow(call, *e.table, row, StoreNo());
    }
}

void SubTableEngine::SetupGrid(const QString& key) {
    if (key != m_currentKey)
        return;
    Entry& e = entry(key);
    m_grid.setRedraw(false);
    m_grid.Unbind();
    m_grid.setRows(1);
    m_grid.setCols(1);
    m_grid.setFormatString(e.description.format);
    for (int32_t col = 0; col < m_grid.Cols(); ++col) {
        m_grid.setColHidden(col, false);
        m_grid.setColComboList(col, QString());
        m_grid.setColFormat(col, QString());
        m_grid.setColDataType(col, FlexGrid::DataType::Text);
    }
    for (int32_t field : e.description.hiddenFields)
        m_grid.setColHidden(field, true);
    if (e.description.columns)
        e.description.columns(m_grid, *this);
    if (e.table->Rows() > 0 || e.description.boundWhenEmpty)
        m_grid.BindTo(e.table);
    m_grid.setPasteable(e.description.pasteable);
    m_grid.AutoSize();
    for (int32_t row = 0; row < e.table->Rows(); ++row)
        if (Status(*e.table, row) == stDelete)
            m_grid.setRowHidden(row + 1, true);
    for (const int32_t row : e.refused)
        markRefused(e, row, true);
    m_grid.setRedraw(true);
}

void SubTableEngine::markRefused(const Entry& e, int32_t row, bool refused) {
    if (m_grid.Table() != e.table || row + 1 >= m_grid.Rows())
        return;
    for (int32_t col = 0; col < m_grid.Cols(); ++col)
        m_grid.setCellBackColor(row + 1, col, refused ? RefusedBack : QColor());
}

// ---- saving

bool SubTableEngine::Save(const QString& key) {
    Entry& e = entry(key);
    bool saved = true;
    if (StoreNo() != 0)
        saved = m_errors.Guard(m_service->ErrorObject(), QStringLiteral("Save") + e.description.caption,
                               [&] { return saveRows(e); });
    if (saved)
        e.changed = false;
    e.undo.reset();
    SetupGrid(key);
    return saved;
}

bool SubTableEngine::saveRows(Entry& e) {
    for (int32_t row = 0; row < e.table->Rows(); ++row)
        if (!e.refused.count(row) && !e.description.saveRow(*this, *e.table, row))
            return false;
    return true;
}

bool SubTableEngine::SaveAllChanged(bool reload) {
    std::vector<Entry*> order;
    for (Entry& e : m_entries)
        order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        return a->description.saveOrder < b->description.saveOrder;
    });
    bool result = true;
    for (Entry* e : order) {
        if (!e->changed)
            continue;
        if (!Save(e->description.key))
            result = false;
        else if (reload)
            Load(e->description.key);
    }
    return result;
}

// ---- commands

void SubTableEngine::Add() {
    Entry* e = current();
    if (!e || !e->description.addRows) {
        NotImplementedYet();
        return;
    }
    if (!e->description.addRows(*this, *e->table))
        return;
    e->changed = true;
    e->undo.reset();
    showNewRow(*e);
}

void SubTableEngine::showNewRow(Entry& e) {
    m_grid.BindTo(e.table);
    m_grid.setRow(e.table->Rows());
    m_grid.setCol(2);
    m_grid.AutoSize();
    m_grid.setFocus();
    m_grid.EditCell();
}

void SubTableEngine::Delete() {
    const int32_t row = m_grid.Row();
    if (row <= 0 || m_grid.Rows() < 2)
        return;
    if (MsgBox(QStringLiteral("Are you sure you want to delete the selected row?"),
               MsgBoxStyle::Question | MsgBoxStyle::YesNo | MsgBoxStyle::DefaultButton2,
               QStringLiteral("Confirm Delete")) != MsgBoxResult::Yes)
        return;
    Entry* e = current();
    if (!e || !e->description.deletable) {
        NotImplementedYet();
        return;
    }
    setStatus(*e->table, row - 1, stDelete);
    m_grid.setRowHidden(row, true);
    e->changed = true;
    e->undo.reset();
}

void SubTableEngine::Apply() {
    Entry* e = current();
    if (StoreNo() == 0) {
        const QString caption = e ? e->description.caption : QString();
        if (MsgBox(QStringLiteral("The ") + caption +
                       QStringLiteral(" can not be updated until the new store is saved.") +
                       QStringLiteral("\r\n") + QStringLiteral("Would you like to update store now?"),
                   MsgBoxStyle::Question | MsgBoxStyle::YesNo) != MsgBoxResult::Yes)
            return;
        if (!m_saveNewStore || !m_saveNewStore())
            return;
    }
    if (!e || !e->description.appliable) {
        NotImplementedYet();
        return;
    }
    const bool saved = Save(e->description.key);
    if (saved || e->description.reloadsAfterFailedApply)
        Load(e->description.key);
}

// ---- grid events

void SubTableEngine::BeforeEdit(int32_t row, int32_t col, bool& cancel) {
    Entry* e = current();
    if (!e || row < 1 || row > e->table->Rows()) {
        cancel = true;
        return;
    }
    if (e->description.editable && !e->description.editable(*e->table, row - 1, col))
        cancel = true;
}

void SubTableEngine::ValidateEdit(int32_t row, int32_t col, const QString& text, bool& cancel) {
    Entry* e = current();
    if (!e || m_grid.RowHidden(row))
        return;
    for (const FieldCheck& check : e->description.checks) {
        if (check.field != col || !check.refused(text))
            continue;
        MsgBox(check.message, MsgBoxStyle::Information, check.caption);
        cancel = true;
        return;
    }
}

void SubTableEngine::AfterEdit(int32_t row, int32_t col) {
    (void)col;
    Entry* e = current();
    if (!e || row < 1)
        return;
    e->undo.reset();
    if (e->refused.count(row - 1))
        recheckRefused(*e, row - 1);
    if (!e->description.editsMarkRows)
        return;
    if (Status(*e->table, row - 1) != stNew) {
        setStatus(*e->table, row - 1, stModified);
        m_grid.Refresh();
    }
    e->changed = true;
}

void SubTableEngine::CellButtonClick(int32_t row, int32_t col) {
    Entry* e = current();
    if (!e || !e->description.cellButton || row < 1)
        return;
    e->undo.reset();
    e->description.cellButton(*this, row, col);
    if (e->refused.count(row - 1))
        recheckRefused(*e, row - 1);
    m_grid.setRowBold(0, true);
    m_grid.AutoSize();
}

void SubTableEngine::DoubleClick() {
    Entry* e = current();
    if (e && e->description.doubleClick)
        e->description.doubleClick(*this, m_grid.Row());
}

// ---- pasting rows

void SubTableEngine::forgetPaste(Entry& e) {
    e.refused.clear();
    e.undo.reset();
}

// The selected data rows when several are; a single one is only where the cursor is.
std::vector<int32_t> SubTableEngine::pasteTargets() const {
    std::vector<int32_t> rows;
    if (m_grid.SelectedRows() < 2)
        return rows;
    for (int32_t i = 0; i < m_grid.SelectedRows(); ++i) {
        const int32_t row = m_grid.SelectedRow(i);
        if (row > 0 && !m_grid.RowHidden(row))
            rows.push_back(row - 1);
    }
    return rows;
}

void SubTableEngine::Paste(const QList<QStringList>& rows) {
    Entry* e = current();
    if (!e || !e->description.pasteable || StoreNo() == 0 || rows.isEmpty())
        return;
    Snapshot before{*e->table, e->changed, e->refused};
    const std::vector<int32_t> targets = pasteTargets();
    QStringList report;
    int32_t refusedRows = 0;
    int32_t first = -1;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        int32_t row = size_t(i) < targets.size() ? targets[size_t(i)] : -1;
        if (row < 0) {
            e->description.addRows(*this, *e->table);
            row = e->table->Rows() - 1;
        }
        first = first < 0 ? row : first;
        const QStringList reasons = pasteRow(*e, row, rows[i]);
        refusedRows += reasons.isEmpty() ? 0 : 1;
        for (const QString& reason : reasons)
            report << QStringLiteral("Row %1, %2").arg(i + 1).arg(reason);
    }
    e->changed = true;
    e->undo = std::move(before);
    SetupGrid(e->description.key);
    m_grid.setRow(first + 1);
    m_grid.ShowCell(first + 1, 2);
    if (!report.isEmpty())
        ClipboardRows::ShowRefused(refusedRows, rows.size(), report,
                                   QStringLiteral("are marked; they will not be saved"));
}

// A row that passes becomes pending as a typed one does; one that fails is kept out of the save.
QStringList SubTableEngine::pasteRow(Entry& e, int32_t row, const QStringList& cells) {
    const QStringList reasons = SubTablePaste(*this, e.description, *e.table).Fill(row, cells);
    if (!reasons.isEmpty()) {
        e.refused.insert(row);
        return reasons;
    }
    e.refused.erase(row);
    if (Status(*e.table, row) != stNew)
        setStatus(*e.table, row, stModified);
    return {};
}

// A refused row whose cells now all pass joins the rows that are saved.
void SubTableEngine::recheckRefused(Entry& e, int32_t row) {
    QStringList cells;
    for (const int32_t col : m_grid.VisibleCols())
        cells << m_grid.gridModel()->ShownText(row + 1, col);
    if (!SubTablePaste(*this, e.description, *e.table).Fill(row, cells).isEmpty())
        return;
    e.refused.erase(row);
    markRefused(e, row, false);
    m_grid.Refresh();
}

void SubTableEngine::UndoPaste() {
    Entry* e = current();
    if (!e || !e->undo)
        return;
    m_grid.Unbind();
    *e->table = std::move(e->undo->table);
    e->changed = e->undo->changed;
    e->refused = std::move(e->undo->refused);
    e->undo.reset();
    SetupGrid(e->description.key);
}
