#include "widgets/ExportDialog.h"

#include "widgets/BusyPointer.h"
#include "widgets/CsvExport.h"
#include "widgets/FlexGrid.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

namespace {
// Rows from which a progress bar is worth its window.
constexpr int32_t ProgressFrom = 20000;
// What the user chose last time, for the next export in this session.
QString LastFile;
bool LastByteOrderMark = true;
} // namespace

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(tr("Export"));
    txtFile = new QLineEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setMinimumWidth(360);
    cmdBrowse = new QPushButton(tr("&Browse..."), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    ckbByteOrderMark = new QCheckBox(tr("Start with a byte-order mark (for spreadsheet programs)"), this);
    ckbByteOrderMark->setObjectName(QStringLiteral("ckbByteOrderMark"));
    auto* buttons = new QDialogButtonBox(this);
    cmdOK = buttons->addButton(QDialogButtonBox::Ok);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(txtFile, 1);
    fileRow->addWidget(cmdBrowse);
    auto* form = new QFormLayout(this);
    form->addRow(tr("CSV file:"), fileRow);
    form->addRow(QString(), ckbByteOrderMark);
    form->addRow(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getSaveFileName(this, tr("Export"), txtFile->text(),
                                                            tr("CSV files (*.csv);;All files (*)"));
        if (!chosen.isEmpty())
            txtFile->setText(QDir::toNativeSeparators(chosen));
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        if (txtFile->text().trimmed().isEmpty()) {
            MsgBox(tr("Please name the file to export to."), MsgBoxStyle::Information, tr("Export"));
            txtFile->setFocus();
            return;
        }
        UserCancelled = false;
        hide();
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        UserCancelled = true;
        hide();
    });
}

bool ExportDialog::Export(FlexGrid* grid, QWidget* owner) {
    ExportDialog dialog(owner);
    dialog.txtFile->setText(LastFile.isEmpty() ? QDir::home().filePath(QStringLiteral("export.csv"))
                                               : LastFile);
    dialog.ckbByteOrderMark->setChecked(LastByteOrderMark);
    ShowModal(&dialog, owner);
    if (dialog.UserCancelled)
        return false;
    LastFile = dialog.txtFile->text().trimmed();
    LastByteOrderMark = dialog.ckbByteOrderMark->isChecked();
    return Write(grid, LastFile, LastByteOrderMark, owner);
}

bool ExportDialog::Write(FlexGrid* grid, const QString& path, bool byteOrderMark, QWidget* owner) {
    BusyPointer busy;
    CsvExport csv(*grid->gridModel(), byteOrderMark);
    std::unique_ptr<QProgressDialog> progress;
    if (grid->gridModel()->rowCount() >= ProgressFrom) {
        progress = std::make_unique<QProgressDialog>(tr("Exporting %1 ...").arg(QFileInfo(path).fileName()),
                                                     tr("Cancel"), 0, 1000, owner);
        progress->setObjectName(QStringLiteral("frmExportProgress"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    const bool written = csv.Write(path, [&](int64_t done, int64_t total) {
        if (!progress)
            return true;
        progress->setValue(int(total > 0 ? done * 1000 / total : 1000));
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
    });
    progress.reset();
    if (!written && !csv.Cancelled())
        MsgBox(tr("The grid could not be exported to %1:\n%2").arg(path, csv.Error()),
               MsgBoxStyle::Exclamation, tr("Export"));
    return written;
}
