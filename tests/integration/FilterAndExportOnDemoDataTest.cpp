#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/CsvReading.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/ExportDialog.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using FilterAndExportOnDemoDataTest = DatabaseTest;

// The shown rows' cells, without the titles.
std::vector<QStringList> Rows(const FlexGrid& grid) {
    std::vector<QStringList> rows = ShownCells(grid);
    rows.erase(rows.begin());
    return rows;
}

// The quick filter on the demo store's orders and products: the rows left are the full rows holding the text,
// the commands work on the row as shown, and "Export..." writes what the grid shows.
TEST_P(FilterAndExportOnDemoDataTest, FilteredRowsCommandsAndExport) {
    auto server = host(1);
    Store control;
    control.resize(1000, 700);
    control.SetAppServer(server);
    control.Setup();
    QLineEdit* filter = control.picFilter->txtFilter;

    control.tabStore->SelectKey("ORDER");
    control.cmdFind->click();
    const std::vector<QStringList> all = Rows(*control.gdData);
    ASSERT_GT(all.size(), 3u);
    // A text from the last row's status, typed in other letter case.
    const QString text = all.back()[2].left(3).toLower();
    std::vector<QStringList> expected;
    for (const QStringList& row : all)
        if (std::any_of(row.begin(), row.end(),
                        [&](const QString& cell) { return cell.contains(text, Qt::CaseInsensitive); }))
            expected.push_back(row);
    filter->setText(text);
    EXPECT_EQ(Rows(*control.gdData), expected);
    EXPECT_EQ(server->statusTexts.back(),
              QStringLiteral("%1 of %2 rows").arg(expected.size()).arg(all.size()));

    // The viewer opens the order shown, not the one that was in that place before.
    const int32_t last = control.gdData->gridModel()->GridRow(int(expected.size()) - 1);
    control.gdData->setRow(last);
    ModalScript dialogs;
    dialogs.on<frmOrderDetail>([&](frmOrderDetail& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Order Detail for Cart (" + expected.back()[0] + ")");
    });
    emit control.gdData->DblClick();

    // "Export..." writes the filtered rows as shown; read back, cell for cell.
    QTemporaryDir folder;
    const QString path = folder.filePath("orders.csv");
    dialogs.on<ExportDialog>([&](ExportDialog& dialog) {
        dialog.txtFile->setText(path);
        dialog.ckbByteOrderMark->setChecked(false);
        dialog.cmdOK->click();
    });
    control.mnuFileExport->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadCsv(file.readAll()), ShownCells(*control.gdData));

    // Products: Edit and Delete take the product of the row shown.
    control.tabStore->SelectKey("PRODUCT");
    EXPECT_EQ(filter->text(), "") << "a new view starts unfiltered";
    const int32_t lastProduct = control.gdData->Rows() - 1;
    const QString productNo = control.gdData->TextMatrix(lastProduct, 1);
    filter->setText(control.gdData->TextMatrix(lastProduct, 3));
    ASSERT_TRUE(control.gdData->RowShown(lastProduct));
    control.gdData->setRow(lastProduct);
    dialogs.on<frmStoreProduct>([&](frmStoreProduct& editor) {
        EXPECT_EQ(editor.txtProductNo->text(), productNo);
        editor.cmdCancel->click();
    });
    control.cmdEdit->click();
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::No);
    control.cmdDelete->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(
        messages.shown()[0].prompt.startsWith("Are you sure you want to delete product (" + productNo + ":"));
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(FilterAndExportOnDemoDataTest);

} // namespace
