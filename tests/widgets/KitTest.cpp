#include "widgets/BusyPointer.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/NullableDatePicker.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(TabStrip, TabsHaveKeysCaptionsAndToolTips) {
    TabStrip tabs;
    QSignalSpy clicks(&tabs, &TabStrip::Click);
    tabs.AddTab("PRODUCT", "Products", "The store's products");
    tabs.AddTab("LIST", "Lists");
    tabs.AddTab("CUST", "Customers");
    EXPECT_EQ(tabs.SelectedKey(), "PRODUCT");
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(tabs.IndexOfKey("cust"), 2) << "keys are compared without regard to case";
    EXPECT_EQ(tabs.IndexOfKey("ORDER"), -1);

    EXPECT_TRUE(tabs.SelectKey("list"));
    EXPECT_EQ(tabs.SelectedCaption(), "Lists");
    EXPECT_EQ(clicks.count(), 1);
    tabs.resize(400, 300);
    tabs.show();
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(2).center());
    EXPECT_EQ(tabs.SelectedKey(), "CUST");
    EXPECT_EQ(clicks.count(), 2);
}

TEST(KeyedCombo, EntriesCarryKeyAndNumber) {
    KeyedCombo combo;
    combo.AddEntry("<None>", {}, 0);
    combo.AddEntry("Tickets", "'12", 12);
    combo.AddEntry("Rentals", "'ABC", 30);
    EXPECT_EQ(combo.IndexOfKey("'12"), 1);
    EXPECT_EQ(combo.IndexOfNumber(30), 2);
    EXPECT_EQ(combo.IndexOfText("rentals"), 2);
    EXPECT_TRUE(combo.SelectKey("'ABC"));
    EXPECT_EQ(combo.SelectedNumber(), 30);
    EXPECT_EQ(combo.Text(), "Rentals");
    combo.setText("TICKETS");
    EXPECT_EQ(combo.SelectedKey(), "'12");
    combo.Clear();
    EXPECT_EQ(combo.SelectedIndex(), -1);
    EXPECT_EQ(combo.SelectedKey(), "");
    EXPECT_EQ(combo.SelectedNumber(), 0);

    KeyedCombo status;
    status.setEditable(true);
    status.AddEntry("<ANY>");
    status.AddEntry("OPEN");
    status.setText("<any>");
    EXPECT_EQ(status.Text(), "<any>") << "an editable combo shows any text";
    status.Clear();
    EXPECT_EQ(status.Text(), "");
}

TEST(NullableDatePicker, HoldsADateOrNull) {
    NullableDatePicker picker;
    EXPECT_EQ(picker.Date(), QDate::currentDate());
    EXPECT_TRUE(picker.setValue(Variant(QDateTime(QDate(2006, 3, 7), QTime(14, 5)))));
    EXPECT_EQ(picker.Value(), Variant(QDateTime(QDate(2006, 3, 7), QTime(0, 0))));
    EXPECT_TRUE(picker.setValue(Variant::Null()));
    EXPECT_TRUE(picker.IsNull());
    EXPECT_TRUE(picker.Value().isNull());
    EXPECT_TRUE(picker.setValue(Variant("3/8/2006")));
    EXPECT_EQ(picker.Date(), QDate(2006, 3, 8));
    for (const Variant& refused :
         {Variant(), Variant("not a date"), Variant(QDateTime(QDate(1500, 1, 1), {}))}) {
        EXPECT_FALSE(picker.setValue(refused)) << refused.describe().toStdString();
        EXPECT_EQ(picker.Date(), QDate(2006, 3, 8));
    }
}

TEST(BusyPointer, RestoresThePointerItFound) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        BusyPointer busy;
        {
            BusyPointer inner;
            QApplication::changeOverrideCursor(Qt::ArrowCursor); // work that resets the pointer
        }
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QApplication::setOverrideCursor(Qt::CrossCursor);
    try {
        BusyPointer busy;
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
}

TEST(MsgBox, IsWideEnoughForItsCaption) {
    const QString caption = QStringLiteral("Prices Required");
    int width = 0, needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        needed = box->fontMetrics().horizontalAdvance(caption);
        box->accept();
    });
    const auto tests = SetMessageService(nullptr); // the program's own message boxes
    MsgBox(QStringLiteral("OK?"), MsgBoxStyle::Information, caption);
    SetMessageService(tests);
    EXPECT_GT(width, needed * 3 / 2);
}
