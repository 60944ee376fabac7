#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/records/CListItem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CStoreMaint;

// Rows pasted into the Lists view (sequence #, product #, item sequence #, name, price #, price): each is
// checked as the list item editor checks an entry, with its product item and price looked up in the store,
// and written at once as the editor writes it. The last paste can be taken back while nothing else changed.
class ListItemPaste {
public:
    ListItemPaste(std::shared_ptr<DBConnection> db, std::shared_ptr<ErrorObject> error,
                  std::shared_ptr<CStoreMaint> maint);

    // The sequence numbers the list holds, and those of the selected rows the pasted rows replace in order
    // (the rest are added). Returns the refused rows, each "Row n: reason".
    QStringList Paste(int32_t storeNo, const QString& listId, const QList<QStringList>& rows,
                      const std::vector<int32_t>& listed, const std::vector<int32_t>& replaced);
    // Whether the last paste went into that list and can be taken back.
    bool CanUndo(int32_t storeNo, const QString& listId) const;
    // Deletes the entries the paste added and writes back those it changed.
    void Undo();
    void Forget() { m_undo.reset(); }

private:
    struct Undone {
        int32_t storeNo = 0;
        QString listId;
        std::vector<int32_t> added;
        std::vector<std::pair<CListItem, int32_t>> changed; // as it was, and where the paste left it
    };
    std::optional<QString> pasteRow(const QStringList& cells, std::optional<int32_t> replacing,
                                    std::vector<int32_t>& taken, Undone& undo) const;
    std::optional<QString> check(int32_t storeNo, const QStringList& cells, CListItem& item) const;
    std::optional<QString> lookUpPrice(int32_t storeNo, CListItem& item) const;

    std::shared_ptr<DBConnection> m_db;
    std::shared_ptr<ErrorObject> m_error;
    std::shared_ptr<CStoreMaint> m_maint;
    std::optional<Undone> m_undo;
};
