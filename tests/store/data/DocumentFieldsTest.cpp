#include "store/data/DocumentFields.h"

#include <gtest/gtest.h>

TEST(DocumentFields, FindsWordPlaceholdersAndNamesTheUnknownOnce) {
    const QString document =
        "Dear [CustomerName],\r\norder [OrderNumber] of [OrderDate] ([1], [ see ], [a b])"
        " - again [OrderNumber] and [Store_2].";
    const QList<DocumentFields::Use> uses = DocumentFields::UsesIn(document);
    ASSERT_EQ(uses.size(), 5);
    EXPECT_EQ(uses[0].field, "[CustomerName]");
    EXPECT_EQ(uses[0].position, document.indexOf("[CustomerName]"));
    EXPECT_EQ(uses[1].length(), QString("[OrderNumber]").size());
    EXPECT_EQ(uses[4].field, "[Store_2]");

    const DocumentFields fields({"[CustomerName]", "[OrderDate]", "[OrderNo]"});
    EXPECT_EQ(fields.UnknownIn(document), QStringList({"[OrderNumber]", "[Store_2]"}));
    // Field names are matched exactly, as the filling does.
    EXPECT_EQ(fields.UnknownIn("[orderno]"), QStringList{"[orderno]"});
    EXPECT_TRUE(fields.UnknownIn("no fields at all").isEmpty());
}
