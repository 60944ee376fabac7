#include "support/CsvReading.h"
#include "widgets/CsvExport.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Orders-like rows: a formatted date, a currency amount, a hidden column, a check box, texts that need
// quoting, letters beyond ASCII and empty cells; the rows of each group fold under the group's first row.
struct SampleGrid {
    SampleGrid() {
        grid.setFormatString("Group|When|Amount|Secret|Done|Note");
        grid.setColFormat(1, "MM/DD/YYYY hh:nn AMPM");
        grid.setColFormat(2, "Currency");
        grid.setColHidden(3, true);
        grid.setColDataType(4, FlexGrid::DataType::Boolean);
        const char* rows[] = {"1 Tents\t3/7/2006 2:05:00 PM\t1234.5\tneedle\tTrue\tplain",
                              "1 Tents\t3/8/2006 9:00:00 AM\t-2\t\tFalse\tcomma, \"quoted\"",
                              "1 Tents\t\t\t\t\tline\nbreak",
                              "2 Boots\t1/1/2026 8:00:00 AM\t0\t\t\tZoë Müller",
                              "2 Boots\t12/31/2025 11:59:00 PM\t99\t\t\t",
                              "3 Tents again\t\t7\t\t\tPM shift"};
        for (const char* row : rows)
            grid.AddItem(QString::fromUtf8(row));
        for (int32_t row : {1, 4, 6})
            grid.setIsSubtotal(row, true);
        grid.Outline(0);
    }
    // The rule, told independently: a row shows when a shown cell holds the text, or when it is the group row
    // of a row that does.
    std::vector<int32_t> Expected(const QString& text) const {
        std::vector<int32_t> rows;
        for (int32_t row = 1; row < grid.Rows(); ++row) {
            bool holds = false;
            for (int32_t c : {0, 1, 2, 5})
                holds = holds || grid.gridModel()->DisplayText(row, c).contains(text, Qt::CaseInsensitive);
            if (!holds)
                continue;
            int32_t node = row;
            while (node > 0 && !grid.IsSubtotal(node))
                --node;
            if (node > 0 && (rows.empty() || rows.back() < node))
                rows.push_back(node);
            if (rows.back() != row)
                rows.push_back(row);
        }
        return rows;
    }
    std::vector<int32_t> ShownRows() const {
        std::vector<int32_t> rows;
        for (int view = 0; view < grid.gridModel()->rowCount(); ++view)
            rows.push_back(grid.gridModel()->GridRow(view));
        return rows;
    }

    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace

TEST(GridFilter, ShowsTheRowsHoldingTheTextUnderTheirGroupsWhateverTheWayTheTextCame) {
    SampleGrid sample;
    FlexGrid& grid = sample.grid;
    ASSERT_EQ(sample.ShownRows(), (std::vector<int32_t>{1, 4, 6})); // folded
    // Shown text counts (dates and amounts as formatted), hidden columns and check boxes do not.
    for (const QString text : {"tents", "03/07/2006 02:05 PM", "$1,234.50", "(", "pm", "ZOË", "ë m", "needle",
                               "true", "comma, \"Q", "line\nb", "\t", "nothing like it"}) {
        grid.setFilter(text);
        EXPECT_EQ(sample.ShownRows(), sample.Expected(text)) << text.toStdString();
    }
    // Typed a letter at a time, narrowing on the last answer, it ends where the whole text does.
    grid.setFilter({});
    for (const QString typed : {"P", "PM", "PM ", "PM s"}) {
        grid.setFilter(typed);
        EXPECT_EQ(sample.ShownRows(), sample.Expected(typed)) << typed.toStdString();
    }
    // Rows keep their data and order; an empty text gives back the folded outline.
    grid.setFilter("boots");
    EXPECT_EQ(sample.ShownRows(), (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(grid.Row(), 4); // the current row moved to a row that shows
    grid.setFilter({});
    EXPECT_EQ(sample.ShownRows(), (std::vector<int32_t>{1, 4, 6}));

    // Rows appended in blocks are filtered as they come, removed rows leave, and sorting keeps the matches.
    grid.setFilter("tents");
    grid.BeginAppend();
    grid.AddItem("4 Tents\t\t1");
    grid.AddItem("4 Poles\t\t2");
    grid.EndAppend();
    EXPECT_EQ(sample.ShownRows(), sample.Expected("tents"));
    grid.RemoveItem(2);
    EXPECT_EQ(sample.ShownRows(), sample.Expected("tents"));
    grid.gridModel()->Sort(2, FlexGridModel::SortOrder::Descending);
    EXPECT_EQ(sample.ShownRows(), sample.Expected("tents"));
    // A row put between others shows, also when every row holds the text.
    grid.setFilter(" ");
    grid.AddItem("5 Put between\t\t3", 2);
    EXPECT_TRUE(grid.RowShown(2));
    EXPECT_EQ(grid.gridModel()->rowCount(), grid.Rows() - 1);
    grid.setFilter("tents");
    // A row changed in place stays until the text changes.
    const int32_t changed = sample.ShownRows().back();
    grid.setTextMatrix(changed, 0, "renamed");
    EXPECT_TRUE(grid.RowShown(changed));
    grid.setFilter("tent");
    EXPECT_EQ(sample.ShownRows(), sample.Expected("tent"));
}

TEST(GridFilter, BoxKeysAndCount) {
    QWidget form;
    SampleGrid sample;
    sample.grid.setParent(&form);
    GridFilterBox box(&sample.grid, &form);
    QString counted;
    QObject::connect(&box, &GridFilterBox::CountChanged, [&](const QString& text) { counted = text; });
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    sample.grid.setFocus();
    QTest::keyClick(&sample.grid, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(box.txtFilter->hasFocus());
    QTest::keyClicks(box.txtFilter, "boots");
    EXPECT_EQ(box.lblFilterCount->text(), "2 of 6 rows");
    EXPECT_EQ(counted, "2 of 6 rows");
    QTest::keyClick(box.txtFilter, Qt::Key_Escape);
    EXPECT_EQ(box.txtFilter->text(), "");
    EXPECT_EQ(counted, "");
    EXPECT_EQ(sample.ShownRows(), (std::vector<int32_t>{1, 4, 6}));
}

TEST(CsvExport, ReadsBackAsTheGridShowsItAndACancelLeavesNoFile) {
    SampleGrid sample;
    FlexGrid& grid = sample.grid;
    QTemporaryDir folder;
    const QString path = folder.filePath("grid.csv");
    const auto contents = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Without a filter every row goes, folded or not; with a mark for spreadsheet programs.
    grid.Outline(-1);
    ASSERT_TRUE(CsvExport(*grid.gridModel(), true).Write(path));
    QByteArray bytes = contents();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(ReadCsv(bytes.mid(3)), ShownCells(grid));
    EXPECT_TRUE(bytes.contains("\"comma, \"\"quoted\"\"\""));

    // With a filter, only the rows shown; without the mark.
    grid.setFilter("tents");
    ASSERT_TRUE(CsvExport(*grid.gridModel(), false).Write(path));
    bytes = contents();
    EXPECT_EQ(ReadCsv(bytes), ShownCells(grid));
    EXPECT_EQ(ReadCsv(bytes).size(), 5u);

    // Cancelled: the file is what it was, and a new one never appears.
    grid.setFilter({});
    grid.BeginAppend();
    for (int32_t i = 0; i < 10000; ++i)
        grid.AddItem(QStringLiteral("9 Many\t\t%1").arg(i));
    grid.EndAppend();
    for (const QString& target : {path, folder.filePath("new.csv")}) {
        CsvExport csv(*grid.gridModel(), false);
        EXPECT_FALSE(csv.Write(target, [](int64_t done, int64_t) { return done < 4096; }));
        EXPECT_TRUE(csv.Cancelled());
    }
    EXPECT_EQ(contents(), bytes);
    EXPECT_FALSE(QFile::exists(folder.filePath("new.csv")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"grid.csv"});
    // A folder that is not there: a reason, no file.
    CsvExport failing(*grid.gridModel(), false);
    EXPECT_FALSE(failing.Write(folder.filePath("missing/grid.csv")));
    EXPECT_FALSE(failing.Error().isEmpty());

    // "Copy with Headers": the titles of the shown columns, then the selected rows.
    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
    grid.setRow(4);
    grid.CopyWithHeaders();
    EXPECT_EQ(
        QApplication::clipboard()->text(),
        QString::fromUtf8("Group\tWhen\tAmount\tDone\tNote\n2 Boots\t01/01/2026 08:00 AM\t$0.00\tFalse\t"
                          "Zoë Müller\n"));
}
