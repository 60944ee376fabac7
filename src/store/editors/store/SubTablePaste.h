#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class SubTableEngine;
struct SubTableDescription;
class VariantTable;

// Writes a row pasted into a store editor grid into its table, cell by cell in the grid's column order, with
// the checks and messages of a typed cell; a drop-down cell takes one of its entries (by key or by text), a
// check box True or False, a currency cell its shown form ("$1,234.50").
class SubTablePaste {
public:
    SubTablePaste(SubTableEngine& engine, const SubTableDescription& description, VariantTable& table);

    // Fills the table row; a refused cell keeps the text as pasted. Returns the reasons, each "Column:
    // message".
    QStringList Fill(int32_t row, const QStringList& cells) const;
    // A number written the way a currency or number column shows it, as typed digits; other text unchanged.
    static QString Unformatted(const QString& text);

private:
    QString cell(int32_t row, int32_t field, const QString& text) const;
    QString listCell(int32_t row, int32_t field, const QString& text) const;

    SubTableEngine& m_engine;
    const SubTableDescription& m_description;
    VariantTable& m_table;
};
