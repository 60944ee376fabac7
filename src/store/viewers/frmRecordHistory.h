#pragma once

#include "store/data/ErrorState.h"

#include <QDialog>
#include <cstdint>

class CStoreMaint;
class FlexGrid;
class QPushButton;

// The changes of one record (its table and key), or of everything in a store, read-only and newest first:
// who changed what and when, each changed column's old and new value side by side.
class frmRecordHistory : public QDialog {
    Q_OBJECT
public:
    struct Record {
        int32_t storeNo = 0;
        QString table;     // empty: every table of the store
        QString recordKey; // its key columns joined by "/"
        QString caption;
    };

    explicit frmRecordHistory(QWidget* parent = nullptr);

    // Reads the changes; false, with the failure reported, when they cannot be read.
    bool Setup(CStoreMaint& service, const Record& record);
    // Shows the changes of the record over owner until the user closes them.
    static void ShowFor(QWidget* owner, CStoreMaint& service, const Record& record);

    FlexGrid* gdChanges;
    QPushButton* cmdClose;

private:
    ErrorState m_errors{QStringLiteral("frmRecordHistory")};
};
