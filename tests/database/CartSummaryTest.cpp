#include "database/CartSummary.h"

#include <gtest/gtest.h>

namespace {

// What the documents read from a cart beyond the order's row: every payment counts, the address is the
// ship-to element's parts (or its text), and a cart that cannot be read tells nothing rather than part of a
// sum.
TEST(CartSummary, SumsThePaymentsAndJoinsTheShipToPartsOfAReadableCartOnly) {
    const CartSummary split = CartSummary::Read(
        "<cart><items><item><amount>999</amount></item></items>"
        "<payment method=\"GIFT\"><amount currency=\"USD\">25.50</amount></payment>"
        "<payment method=\"CC\"><amount> 100 </amount></payment><payment><amount>n/a</amount></payment>"
        "<ship_to><street>1 High St</street><!-- door code --><city>  Aspen,\n CO "
        "</city><zip/></ship_to></cart>");
    ASSERT_TRUE(split.total);
    EXPECT_DOUBLE_EQ(*split.total, 125.5) << "item prices are not payments; an unreadable amount is skipped";
    EXPECT_EQ(split.shipAddress, "1 High St, Aspen, CO");

    const CartSummary plain = CartSummary::Read("<cart><ship_to> 5 Low Rd,\n Vail </ship_to></cart>");
    EXPECT_FALSE(plain.total) << "no payment is no total, not $0.00";
    EXPECT_EQ(plain.shipAddress, "5 Low Rd, Vail");

    for (const QString& broken : {QString(), QString("<cart><payment><amount>10</amount></payment><ship_to>"),
                                  QString("not xml at all")}) {
        const CartSummary none = CartSummary::Read(broken);
        EXPECT_FALSE(none.total) << broken.toStdString();
        EXPECT_TRUE(none.shipAddress.isEmpty()) << broken.toStdString();
    }
}

} // namespace
