#include "store/viewers/XmlOutline.h"

#include <gtest/gtest.h>

namespace {

using Kind = OutlineRow::Kind;

struct Expected {
    Kind kind;
    const char* tag;
    const char* value;
    int level;
};

void ExpectRows(const XmlOutline& outline, const std::vector<Expected>& expected) {
    ASSERT_EQ(outline.rows().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const OutlineRow& row = outline.rows()[i];
        EXPECT_EQ(row.kind, expected[i].kind) << "row " << i;
        EXPECT_EQ(row.tag, QString::fromUtf8(expected[i].tag)) << "row " << i;
        EXPECT_EQ(row.value, QString::fromUtf8(expected[i].value)) << "row " << i;
        EXPECT_EQ(row.level, expected[i].level) << "row " << i;
    }
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
    ExpectRows(outline, {
                            {Kind::Branch, "CART", "", 0},
                            {Kind::Attribute, "id", "9", 1},
                            {Kind::Attribute, "store", "2", 1},
                            {Kind::Branch, "ITEM", "", 1},
                            {Kind::Attribute, "qty", "2", 2},
                            {Kind::Leaf, "NAME", "Day Pass", 2},
                            {Kind::Leaf, "PRICE", "59.00", 2},
                            {Kind::Leaf, "NOTE", "Gift", 1},
                            {Kind::Leaf, "EMPTY", "", 1},
                            {Kind::Leaf, "WRAP", "single child", 1},
                        });
    EXPECT_EQ(outline.rows()[0].valueColour(), QColor());
    EXPECT_EQ(outline.rows()[1].valueColour(), QColor(255, 224, 192));
    EXPECT_EQ(outline.rows()[5].valueColour(), QColor(0, 255, 255));
}

TEST(XmlOutlineTest, TextBesideElementsKeepsItsPlaceAndCommentsShowNothing) {
    XmlOutline outline;
    ASSERT_TRUE(outline.load("<A>hello<B>x</B><!-- note --></A>", false));
    ExpectRows(outline, {
                            {Kind::Branch, "A", "", 0},
                            {Kind::Leaf, "", "hello", 1},
                            {Kind::Leaf, "B", "x", 1},
                        });
    ASSERT_TRUE(outline.load("<A><!-- only a note --></A>", false));
    ExpectRows(outline, {{Kind::Leaf, "A", "", 0}});
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
