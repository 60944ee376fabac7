#include "store/viewers/XmlOutline.h"

#include <gtest/gtest.h>

namespace {

// Each row as "<level><kind> tag=value", the kind B(ranch), A(ttribute) or L(eaf).
QStringList Rows(const XmlOutline& outline) {
    QStringList rows;
    for (const OutlineRow& row : outline.rows())
        rows << QStringLiteral("%1%2 %3=%4")
                    .arg(row.level)
                    .arg(row.kind == OutlineRow::Kind::Branch      ? 'B'
                         : row.kind == OutlineRow::Kind::Attribute ? 'A'
                                                                   : 'L')
                    .arg(row.tag, row.value);
    return rows;
}

TEST(XmlOutlineTest, BranchesLeavesAndAttributesWithTheirLevels) {
    XmlOutline outline;
    ASSERT_TRUE(outline.load(QStringLiteral(R"(<CART id="9" store="2">
          <ITEM qty="2"><NAME>Day Pass</NAME><PRICE>59.00</PRICE></ITEM>
          <NOTE>Gift</NOTE>
          <EMPTY/>
          <WRAP><ONLY>single child</ONLY></WRAP>
        </CART>)"),
                             true));
    EXPECT_EQ(Rows(outline),
              QStringList({"0B CART=", "1A id=9", "1A store=2", "1B ITEM=", "2A qty=2", "2L NAME=Day Pass",
                           "2L PRICE=59.00", "1L NOTE=Gift", "1L EMPTY=", "1L WRAP=single child"}));
    EXPECT_EQ(outline.rows()[0].valueColour(), QColor());
    EXPECT_EQ(outline.rows()[1].valueColour(), QColor(255, 224, 192));
    EXPECT_EQ(outline.rows()[5].valueColour(), QColor(0, 255, 255));

    // Text beside elements keeps its place; comments show nothing.
    ASSERT_TRUE(outline.load("<A>hello<B>x</B><!-- note --></A>", false));
    EXPECT_EQ(Rows(outline), QStringList({"0B A=", "1L =hello", "1L B=x"}));
    ASSERT_TRUE(outline.load("<A><!-- only a note --></A>", false));
    EXPECT_EQ(Rows(outline), QStringList({"0L A="}));
}

TEST(XmlOutlineTest, CardNumberIsMaskedOnlyWhenAskedAndLongEnough) {
    const QString cart =
        QStringLiteral(R"(<PAY CARD_NO="4111111111111111" x:CARD_NO="123" xmlns:x="urn:x"/>)");
    XmlOutline masked;
    ASSERT_TRUE(masked.load(cart, true));
    EXPECT_EQ(masked.rows()[1].value, "XXXXXXXXXXXX1111");
    EXPECT_EQ(masked.rows()[2].tag, "CARD_NO");
    EXPECT_EQ(masked.rows()[2].value, "123");

    XmlOutline shown;
    ASSERT_TRUE(shown.load(cart, false));
    EXPECT_EQ(shown.rows()[1].value, "4111111111111111");
    EXPECT_EQ(XmlOutline::MaskCardNumber("1234"), "1234");
}

TEST(XmlOutlineTest, BrokenEmptyAndHostileDocumentsAreRefusedWithAReason) {
    QString wide = "<a";
    for (int i = 0; i < XmlOutline::MaxAttributes + 1; ++i)
        wide += QStringLiteral(" a%1=\"1\"").arg(i);
    const std::pair<QString, const char*> refused[] = {
        {"<CART><ITEM></CART>", ""},
        {QString(), ""},
        {R"(<?xml version="1.0"?><!DOCTYPE l [<!ENTITY lol "lol"><!ENTITY lol2 "&lol;&lol;">]><l>&lol2;</l>)",
         "type declaration"},
        {R"(<?xml version="1.0"?><!DOCTYPE c [<!ENTITY x SYSTEM "file:///etc/passwd">]><c>&x;</c>)", ""},
        {QStringLiteral("<a>").repeated(100000) + QStringLiteral("</a>").repeated(100000), "deeper"},
        {wide + "/>", "attributes"},
        // Many elements, each small, are bounded by the row limit.
        {"<a>" + QStringLiteral("<b x='1' y='2'/>").repeated(XmlOutline::MaxRows / 3 + 1) + "</a>",
         "more than"},
    };
    for (const auto& [document, reason] : refused) {
        XmlOutline outline;
        EXPECT_FALSE(outline.load(document, true)) << reason;
        EXPECT_TRUE(outline.error().contains(reason)) << outline.error().toStdString();
        EXPECT_TRUE(outline.rows().empty());
    }
}

} // namespace
