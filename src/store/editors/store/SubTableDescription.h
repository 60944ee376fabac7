#pragma once

#include "sdk/StatusTypes.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class FlexGrid;
class StoredProcedureCall;
class SubTableEngine;
class VariantTable;

// A check of an edited cell: the edit is refused with the message when refused(text) holds.
struct FieldCheck {
    int32_t field = 0;
    std::function<bool(const QString&)> refused;
    QString message;
    QString caption;
};

// What makes one of the store editor's grid tabs: its table's fields and format string, how it is loaded,
// how the grid shows it, which edits it takes, how rows are added and how each row is saved.
struct SubTableDescription {
    QString key;           // the tab's key
    QString caption;       // the tab's caption, for messages
    QString loadFailure;   // the operation name a failed load is reported under
    int32_t saveOrder = 0; // saving all changed tables goes by this rank; loading by list order
    int32_t fields = 0;
    QString format;
    QString procedure;              // run for rows with "@store_no"
    bool loadsWithoutStore = false; // a new store still lists every row
    bool emptiedBeforeLoad = false; // a store without rows shows none
    // Fills fields 1.. of row from the current record (field 0 is already stUnchanged).
    std::function<void(const StoredProcedureCall&, VariantTable&, int32_t row, int32_t storeNo)> readRow;

    std::vector<int32_t> hiddenFields;
    bool boundWhenEmpty = false;
    std::function<void(FlexGrid&, const SubTableEngine&)> columns;

    // Null: every visible cell may be edited.
    std::function<bool(const VariantTable&, int32_t row, int32_t field)> editable;
    std::vector<FieldCheck> checks;
    bool editsMarkRows = true; // an accepted edit makes the row stModified and the table changed

    // Appends rows; true when at least one was added. Null: the tab adds nothing.
    std::function<bool(SubTableEngine&, VariantTable&)> addRows;
    bool deletable = true;
    bool appliable = true; // its own Apply saves and reloads it
    bool reloadsAfterFailedApply = true;
    std::function<void(SubTableEngine&, int32_t row, int32_t field)> cellButton;
    std::function<void(SubTableEngine&, int32_t row)> doubleClick;

    // Rows can be pasted from a spreadsheet (Ctrl+V).
    bool pasteable = false;
    // A pasted cell of a field the grid does not take typed (an item, a price): fills the row's fields and
    // returns why the cell is refused, or nothing.
    std::function<QString(SubTableEngine&, VariantTable&, int32_t row, int32_t field, const QString& text)>
        pasteCell;

    // Saves one data row and writes its status back; false ends the table's save with false.
    std::function<bool(SubTableEngine&, VariantTable&, int32_t row)> saveRow;
};
