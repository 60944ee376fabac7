#pragma once

#include <QDialog>

class FlexGrid;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Export...": asks for the file and whether it starts with a byte-order mark, then writes the grid as CSV
// (CsvExport) with a progress bar and Cancel for a long grid. Problems are told in a message box.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(QWidget* parent = nullptr);

    // Asks, then writes; true when a file was written.
    static bool Export(FlexGrid* grid, QWidget* owner);

    QLineEdit* txtFile;
    QPushButton* cmdBrowse;
    QCheckBox* ckbByteOrderMark;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    bool UserCancelled = true;

private:
    static bool Write(FlexGrid* grid, const QString& path, bool byteOrderMark, QWidget* owner);
};
