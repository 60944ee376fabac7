#pragma once

#include "store/editors/store/SubTableDescription.h"
#include "widgets/VariantTable.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class CStore;
class CStoreMaint;
class ErrorState;
class FlexGrid;
class QWidget;

// The store editor's grid tabs: one in-memory table per description, with its changed flag, shown one at a
// time in the shared grid that is bound to it, so cell edits land in the table. Rows carry their status and
// original key; saving walks the rows and writes through the service.
class SubTableEngine {
public:
    SubTableEngine(FlexGrid& grid, ErrorState& errors, std::vector<SubTableDescription> descriptions);

    // saveNewStore saves the store record alone; the Apply of a new store's tab needs it first.
    void Setup(CStoreMaint& service, CStore& store, QWidget* owner, std::function<bool()> saveNewStore);

    bool Has(const QString& key) const;
    // The tab shown; the grid shows only this tab's table.
    const QString& CurrentKey() const { return m_currentKey; }
    void setCurrentKey(const QString& key) { m_currentKey = key; }

    VariantTable& Table(const QString& key);
    const VariantTable& Table(const QString& key) const;
    const SubTableDescription& Description(const QString& key) const;
    bool Changed(const QString& key) const;
    void setChanged(const QString& key, bool changed);
    bool ListsChanged() const { return m_listsChanged; }
    void MarkListsChanged() { m_listsChanged = true; }

    // Every table in the load order; then one table.
    void LoadAll();
    void Load(const QString& key);
    // Shapes the grid for the table and binds it; a table that is not shown is left alone.
    void SetupGrid(const QString& key);
    bool Save(const QString& key);
    bool SaveAllChanged(bool reload);

    // Commands and grid events of the current tab.
    void Add();
    void Delete();
    void Apply();
    void BeforeEdit(int32_t row, int32_t col, bool& cancel);
    void ValidateEdit(int32_t row, int32_t col, const QString& text, bool& cancel);
    void AfterEdit(int32_t row, int32_t col);
    void CellButtonClick(int32_t row, int32_t col);
    void DoubleClick();
    // Pasted rows replace the selected rows (when several are selected) in order and the rest are added;
    // refused rows are marked, listed in one message and kept out of the save. UndoPaste takes the last paste
    // back while nothing else changed the table and it was not saved.
    void Paste(const QList<QStringList>& rows);
    void UndoPaste();
    // Table rows of a paste that were refused.
    const std::set<int32_t>& RefusedRows(const QString& key) const { return entry(key).refused; }

    // What the descriptions work with.
    CStoreMaint& Service() const { return *m_service; }
    CStore& Store() const { return *m_store; }
    int32_t StoreNo() const;
    QWidget* Owner() const { return m_owner; }
    FlexGrid& Grid() const { return m_grid; }
    ErrorState& Errors() const { return m_errors; }

private:
    struct Snapshot {
        VariantTable table;
        bool changed = false;
        std::set<int32_t> refused;
    };
    struct Entry {
        SubTableDescription description;
        std::shared_ptr<VariantTable> table;
        bool changed = false;
        std::set<int32_t> refused;
        std::optional<Snapshot> undo; // the table before the last paste
    };
    Entry& entry(const QString& key);
    const Entry& entry(const QString& key) const;
    Entry* current();
    void readRows(Entry& entry);
    bool saveRows(Entry& entry);
    void showNewRow(Entry& entry);
    std::vector<int32_t> pasteTargets() const;
    QStringList pasteRow(Entry& entry, int32_t row, const QStringList& cells);
    void markRefused(const Entry& entry, int32_t row, bool refused);
    void recheckRefused(Entry& entry, int32_t row);
    static void forgetPaste(Entry& entry);

    FlexGrid& m_grid;
    ErrorState& m_errors;
    std::vector<Entry> m_entries;
    CStoreMaint* m_service = nullptr;
    CStore* m_store = nullptr;
    QWidget* m_owner = nullptr;
    std::function<bool()> m_saveNewStore;
    QString m_currentKey;
    bool m_listsChanged = false;
};
