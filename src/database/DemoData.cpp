#include "database/DemoData.h"

#include "database/HostRights.h"
#include "database/Schema.h"
#include "database/Transaction.h"
#include "database/UserAdmin.h"

#include <QStringList>

namespace {

// Inserts one row: columns separated by commas, values in the same order.
void Row(SqlSession& session, const QString& table, const QString& columns, const QVariantList& values) {
    QStringList marks;
    for (qsizetype i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    session.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, marks.join(u',')),
                values);
}

const QVariant Null = QVariant(QMetaType::fromType<QString>());
const QVariant NullNumber = QVariant(QMetaType::fromType<int>());

void SeedPeople(SqlSession& s) {
    const QString users = QStringLiteral("user_id, full_name");
    Row(s, QStringLiteral("zev_user"), users,
        {QStringLiteral("admin"), QStringLiteral("Avery Administrator")});
    Row(s, QStringLiteral("zev_user"), users, {QStringLiteral("clerk"), QStringLiteral("Casey Clerk")});
    Row(s, QStringLiteral("zev_user"), users, {QStringLiteral("guest"), QStringLiteral("Gale Guest")});
    Row(s, QStringLiteral("zev_user"), users, {QStringLiteral("auditor"), QStringLiteral("Alex Auditor")});
    const QString rights = QStringLiteral("user_id, right_id");
    for (const QString& right : {HostRights::Store, HostRights::StoreAdmin, HostRights::ViewCardNumbers})
        Row(s, QStringLiteral("zev_user_right"), rights, {QStringLiteral("admin"), right});
    Row(s, QStringLiteral("zev_user_right"), rights, {QStringLiteral("clerk"), HostRights::Store});
    Row(s, QStringLiteral("zev_user_right"), rights, {QStringLiteral("auditor"), HostRights::Store});
    Row(s, QStringLiteral("zev_user_right"), rights,
        {QStringLiteral("auditor"), HostRights::ViewCardNumbers});
}

void SeedCatalogue(SqlSession& s) {
    const QString items =
        QStringLiteral("item_no, item_type, short_description, long_description, item_url, "
                       "allow_backorder, is_extendable, requires_waiver, advance_purchase_days, "
                       "qty_on_hand, is_active");
    struct Item {
        int no, type;
        const char *shortText, *longText;
        int backorder, extendable, waiver, advance;
    };
    const Item catalogue[] = {
        {1001, 6, "Adult Day", "Adult Day Lift Ticket", 0, 1, 0, 0},
        {1002, 6, "Child Day", "Child Day Lift Ticket (ages 6-12)", 0, 0, 0, 0},
        {1003, 6, "Senior Day", "Senior Day Lift Ticket (65+)", 0, 0, 0, 0},
        {1004, 6, "Season Pass", "Unlimited Season Pass", 0, 0, 1, 7},
        {1005, 6, "Half Day", "Afternoon Half Day Lift Ticket", 0, 0, 0, 0},
        {1101, 1, "Photo Package", "On-Mountain Photo Package", 0, 0, 0, 0},
        {1102, 1, "Action Photo", "Action Photo Download", 0, 0, 0, 0},
        {2001, 2, "Ski Rental", "Ski Rental Package (skis, boots, poles)", 0, 1, 1, 0},
        {2002, 2, "Board Rental", "Snowboard and Boots Rental", 0, 0, 1, 0},
        {2003, 2, "Helmet", "Helmet Rental", 0, 0, 0, 0},
        {2004, 2, "Demo Skis", "Performance Demo Ski Rental", 0, 1, 1, 1},
        {3001, 3, "Gift Card", "Gift Card Mailed to You", 0, 0, 0, 0},
        {4001, 4, "Group Lesson", "Group Ski Lesson (2 hours)", 0, 1, 1, 1},
        {4002, 4, "Private Lesson", "Private Lesson (1 hour)", 0, 0, 1, 2},
        {4003, 4, "Kids Camp", "Kids Ski Camp (full day, lunch included)", 0, 0, 1, 3},
        {5001, 5, "Beanie", "Summit Peak Beanie", 1, 0, 0, 0},
        {5002, 5, "Hand Warmers", "Hand Warmers (pair)", 0, 0, 0, 0},
        {5003, 5, "Trail Map", "Trail Map Poster", 1, 0, 0, 0},
        {6001, 5, "Damage Waiver", "Rental Damage Waiver", 0, 0, 0, 0},
        {6002, 5, "Goggles", "Goggle Rental Add-On", 0, 0, 0, 0},
        {6003, 5, "Lunch Voucher", "Lodge Lunch Voucher", 0, 0, 0, 0},
    };
    for (const Item& item : catalogue)
        Row(s, QStringLiteral("zev_item"), items,
            {item.no, item.type, QString::fromUtf8(item.shortText), QString::fromUtf8(item.longText),
             QStringLiteral("https://summitpeak.example/items/%1").arg(item.no), item.backorder,
             item.extendable, item.waiver, item.advance, item.type == 5 ? QVariant(250) : NullNumber, 1});
    // Retired, though the gift shop still charges a fee for it: one of the faults Check Store finds.
    Row(s, QStringLiteral("zev_item"), items,
        {6004, 5, QStringLiteral("Gift Wrap"), QStringLiteral("Gift Wrapping Service"), Null, 0, 0, 0, 0,
         NullNumber, 0});

    const QString packages = QStringLiteral("package_no, description, package_url, is_active");
    Row(s, QStringLiteral("zev_package"), packages,
        {501, QStringLiteral("Learn to Ski Package"), QStringLiteral("https://summitpeak.example/learn"), 1});
    Row(s, QStringLiteral("zev_package"), packages, {502, QStringLiteral("Family Four Pack"), Null, 1});
    Row(s, QStringLiteral("zev_package"), packages, {503, QStringLiteral("Ride and Rent Combo"), Null, 1});
    Row(s, QStringLiteral("zev_package"), packages, {504, QStringLiteral("Last Season's Special"), Null, 0});
    const QString contents = QStringLiteral("package_no, item_no, qty");
    for (const auto& [package, item, qty] : {std::tuple{501, 1002, 1},
                                             {501, 2001, 1},
                                             {501, 4001, 1},
                                             {502, 1001, 2},
                                             {502, 1002, 2},
                                             {503, 1001, 1},
                                             {503, 2002, 1},
                                             {504, 1005, 1}})
        Row(s, QStringLiteral("zev_package_item"), contents, {package, item, qty});

    const QString seasons = QStringLiteral("season_no, season_desc, start_date, end_date");
    Row(s, QStringLiteral("zev_season"), seasons,
        {1, QStringLiteral("Early Season"), QStringLiteral("2026-11-15 00:00:00"),
         QStringLiteral("2026-12-19 00:00:00")});
    Row(s, QStringLiteral("zev_season"), seasons,
        {2, QStringLiteral("Holiday"), QStringLiteral("2026-12-20 00:00:00"),
         QStringLiteral("2027-01-04 00:00:00")});
    Row(s, QStringLiteral("zev_season"), seasons,
        {3, QStringLiteral("Regular Season"), QStringLiteral("2027-01-05 00:00:00"),
         QStringLiteral("2027-04-15 00:00:00")});
    for (const auto& [id, text] :
         {std::pair{"MIL", "Military"}, {"EARLY", "Early Bird"}, {"GROUP", "Group Rate"}})
        Row(s, QStringLiteral("zev_discount"), QStringLiteral("discount_id, discount_desc"),
            {QString::fromUtf8(id), QString::fromUtf8(text)});
    for (const auto& [id, text] : {std::pair{"DAY", "Day"},
                                   {"HALF", "Half Day"},
                                   {"EA", "Each"},
                                   {"SEASON", "Season"},
                                   {"HOUR", "Hour"}})
        Row(s, QStringLiteral("zev_unit"), QStringLiteral("unit_id, description"),
            {QString::fromUtf8(id), QString::fromUtf8(text)});

    // Prices: (price_no, item, package, store, season, discount, unit, qty, unit price).
    const QString prices = QStringLiteral("price_no, item_no, package_no, store_no, season_no, discount_id, "
                                          "unit_id, unit_qty, unit_price, price");
    struct Price {
        int no, item, package, store, season;
        const char *discount, *unit;
        int qty;
        double unitPrice;
    };
    const Price list[] = {
        {101, 1001, 0, 0, 1, nullptr, "DAY", 1, 79.0},     {102, 1001, 0, 0, 2, nullptr, "DAY", 1, 119.0},
        {103, 1001, 0, 0, 3, nullptr, "DAY", 1, 99.0},     {104, 1001, 0, 0, 3, "MIL", "DAY", 1, 79.0},
        {105, 1001, 0, 0, 3, nullptr, "DAY", 3, 89.0},     {106, 1002, 0, 0, 3, nullptr, "DAY", 1, 59.0},
        {107, 1003, 0, 0, 3, nullptr, "DAY", 1, 69.0},     {108, 1004, 0, 0, 0, "EARLY", "SEASON", 1, 699.0},
        {109, 1004, 0, 0, 0, nullptr, "SEASON", 1, 899.0}, {110, 1005, 0, 0, 3, nullptr, "HALF", 1, 69.0},
        {111, 1101, 0, 0, 0, nullptr, "EA", 1, 39.95},     {112, 1102, 0, 0, 0, nullptr, "EA", 1, 12.5},
        {113, 2001, 0, 0, 3, nullptr, "DAY", 1, 45.0},     {114, 2001, 0, 0, 3, nullptr, "DAY", 3, 40.0},
        {115, 2002, 0, 0, 3, nullptr, "DAY", 1, 49.0},     {116, 2003, 0, 0, 0, nullptr, "DAY", 1, 12.0},
        {117, 2004, 0, 0, 3, nullptr, "DAY", 1, 65.0},     {118, 3001, 0, 0, 0, nullptr, "EA", 1, 50.0},
        {119, 3001, 0, 0, 0, nullptr, "EA", 1, 100.0},     {120, 4001, 0, 0, 3, nullptr, "HOUR", 2, 55.0},
        {121, 4001, 0, 0, 3, "GROUP", "HOUR", 2, 45.0},    {122, 4002, 0, 0, 3, nullptr, "HOUR", 1, 140.0},
        {123, 4003, 0, 0, 3, nullptr, "DAY", 1, 165.0},    {124, 5001, 0, 3, 0, nullptr, "EA", 1, 24.0},
        {125, 5002, 0, 0, 0, nullptr, "EA", 1, 3.5},       {126, 5003, 0, 3, 0, nullptr, "EA", 1, 15.0},
        {127, 6001, 0, 0, 0, nullptr, "DAY", 1, 8.0},      {128, 6002, 0, 0, 0, nullptr, "DAY", 1, 10.0},
        {129, 6003, 0, 0, 0, nullptr, "EA", 1, 14.0},      {130, 0, 501, 0, 3, nullptr, "DAY", 1, 149.0},
        {131, 0, 502, 0, 3, nullptr, "DAY", 1, 299.0},     {132, 0, 503, 0, 2, nullptr, "DAY", 1, 155.0},
        {133, 0, 503, 0, 3, nullptr, "DAY", 1, 135.0},     {134, 0, 504, 0, 0, nullptr, "DAY", 1, 49.0},
    };
    for (const Price& p : list)
        Row(s, QStringLiteral("zev_price"), prices,
            {p.no, p.item ? QVariant(p.item) : NullNumber, p.package ? QVariant(p.package) : NullNumber,
             p.store ? QVariant(p.store) : NullNumber, p.season ? QVariant(p.season) : NullNumber,
             p.discount ? QVariant(QString::fromUtf8(p.discount)) : Null, QString::fromUtf8(p.unit), p.qty,
             p.unitPrice, p.unitPrice * p.qty});
}

void SeedHostTables(SqlSession& s) {
    for (const auto& [id, text] : {std::pair{"WEB", "Web Order"},
                                   {"PHONE", "Phone Order"},
                                   {"GROUP", "Group Sale"},
                                   {"GIFT", "Gift Shop"}})
        Row(s, QStringLiteral("zev_sales_order_type"), QStringLiteral("so_type, description"),
            {QString::fromUtf8(id), QString::fromUtf8(text)});
    for (const char* field : {"[CustomerName]", "[OrderNo]", "[OrderDate]", "[OrderTotal]", "[ShipAddress]",
                              "[StoreName]", "[PickupLocation]"})
        Row(s, QStringLiteral("zev_document_field"), QStringLiteral("field_id"), {QString::fromUtf8(field)});
    for (const auto& [id, type, text] : {std::tuple{"VISA", "CC", "Visa"},
                                         {"MC", "CC", "MasterCard"},
                                         {"AMEX", "CC", "American Express"},
                                         {"DISC", "CC", "Discover"},
                                         {"GIFT", "GC", "Gift Card"},
                                         {"PAYPAL", "EW", "PayPal"},
                                         {"INVOICE", "AR", "On Account"}})
        Row(s, QStringLiteral("zev_pay_method"),
            QStringLiteral("pay_method_id, pay_method_type_id, description"),
            {QString::fromUtf8(id), QString::fromUtf8(type), QString::fromUtf8(text)});
    int order = 0;
    for (const char* status : {"NEW", "PAID", "SHIPPED", "PICKEDUP", "CANCELLED", "REFUNDED"})
        Row(s, QStringLiteral("zev_order_status"), QStringLiteral("status_id, sort_order"),
            {QString::fromUtf8(status), ++order});
    // Registers in every state: free, free with the "Avail" check-out mark, without status, installed,
    // checked out to a computer, offline and closed.
    const QString registers = QStringLiteral(
        "register_id, register_group_id, revenue_center_id, location_id, status_id, check_out_computer");
    for (const auto& [id, group, center, location, status, computer] :
         {std::tuple{"WEB01", "WEB", "ONLINE", "BASE", "Avail", ""},
          {"WEB02", "WEB", "ONLINE", "BASE", "Installed", ""},
          {"WEB03", "WEB", "ONLINE", "BASE", "Avail", "Avail"},
          {"WEB04", "WEB", "RENTAL", "BASE", "", ""},
          {"WEB05", "WEB", "ONLINE", "BASE", "Avail", "FRONTDESK-PC"},
          {"WEB06", "POS", "RENTAL", "SUMMIT", "Offline", ""},
          {"WEB07", "POS", "LODGE", "VALLEY", "Closed", ""},
          {"WEB08", "WEB", "RENTAL", "SUMMIT", "Installed", ""}})
        Row(s, QStringLiteral("zev_register"), registers,
            {QString::fromUtf8(id), QString::fromUtf8(group), QString::fromUtf8(center),
             QString::fromUtf8(location), *status ? QVariant(QString::fromUtf8(status)) : Null,
             // WEB04's check-out computer is blank rather than unknown.
             *computer ? QVariant(QString::fromUtf8(computer))
                       : (QByteArray(id) == "WEB04" ? QVariant(QStringLiteral("")) : Null)});
}

void SeedStores(SqlSession& s) {
    const QString stores = QStringLiteral(
        "store_no, description, store_url, store_logo_url, default_product_url, register_id, "
        "register_installed, "
        "error_notify_email, confirmation_document, manual_document, ship_document, email_from, so_type, "
        "location_register");
    const QString confirmation = QStringLiteral("Dear [CustomerName],\r\n\r\nThank you for your order "
                                                "[OrderNo] of [OrderDate].\r\nTotal: [OrderTotal]\r\n\r\n"
                                                "See you on the mountain!\r\n[StoreName]");
    Row(s, QStringLiteral("zev_store"), stores,
        {1, QStringLiteral("Summit Peak Lift Tickets"), QStringLiteral("https://shop.summitpeak.example"),
         QStringLiteral("https://shop.summitpeak.example/logo.png"),
         QStringLiteral("https://shop.summitpeak.example/p"), QStringLiteral("WEB02"), 1,
         QStringLiteral("webmaster@summitpeak.example"), confirmation,
         QStringLiteral("Order [OrderNo] needs a manual invoice."),
         QStringLiteral("Shipped to [ShipAddress]."), QStringLiteral("tickets@summitpeak.example"),
         QStringLiteral("WEB"), 0});
    Row(s, QStringLiteral("zev_store"), stores,
        {2, QStringLiteral("Summit Peak Rentals & Lessons"),
         QStringLiteral("https://rent.summitpeak.example"),
         QStringLiteral("https://rent.summitpeak.example/logo.png"), Null, QStringLiteral("WEB08"), 1,
         QStringLiteral("rentals@summitpeak.example"), confirmation, Null,
         QStringLiteral("Pick up your gear at [PickupLocation]."),
         QStringLiteral("rentals@summitpeak.example"), QStringLiteral("PHONE"), 1});
    Row(s, QStringLiteral("zev_store"), stores,
        {3, QStringLiteral("Valley Lodge Gift Shop"), QStringLiteral("https://gifts.valleylodge.example"),
         Null, Null, Null, 0, Null, Null, Null,
         // "[OrderNumber]" is not a document field ("[OrderNo]" is): a fault for Check Store to find.
         QStringLiteral("Your gifts are on their way. Order [OrderNumber]."), Null, QStringLiteral("GIFT"),
         0});
}

void SeedStoreContent(SqlSession& s) {
    const QString groups = QStringLiteral("store_no, product_group_no, description, product_display_type, "
                                          "image_width, image_height, num_cols, manual_invoice");
    for (const auto& [store, no, text, display, width, height, cols, manual] :
         {std::tuple{1, 10, "Day Tickets", "BUTTON", 0, 0, 1, 0},
          {1, 20, "Season Passes", "PICTURE", 200, 120, 2, 0},
          {1, 30, "Packages", "PICTURE&DESC", 240, 160, 2, 0},
          {1, 40, "Photos", "HYPERLINK", 0, 0, 1, 1},
          {2, 10, "Rentals", "PICTURE", 180, 120, 3, 0},
          {2, 20, "Lessons", "BUTTON", 0, 0, 1, 0},
          {2, 30, "Group Sales", "", 0, 0, 1, 1},
          {3, 5, "Apparel", "PICTURE", 150, 150, 4, 0},
          {3, 6, "Gifts", "PICTURE", 150, 150, 4, 0},
          {3, 8, "Clearance", "PICTURE", 150, 150, 4, 0}})
        Row(s, QStringLiteral("zev_store_product_group"), groups,
            {store, no, QString::fromUtf8(text), *display ? QVariant(QString::fromUtf8(display)) : Null,
             width ? QVariant(width) : NullNumber, height ? QVariant(height) : NullNumber, cols, manual});

    const QString products = QStringLiteral(
        "store_no, product_no, product_type, product_name, short_description, long_description, "
        "product_group_no, product_url, image_width, image_height, is_active, item_display_type, "
        "photo_family, num_cols, manual_invoice");
    struct Product {
        int store, no;
        const char *type, *name, *shortText;
        int group, active;
        const char *display, *family;
        int manual; // -1 for none (the group decides)
    };
    const Product catalogue[] = {
        {1, 100, "TICKET", "Day Tickets", "Ski or ride for a day", 10, 1, "BUTTON", nullptr, 0},
        {1, 110, "TICKET", "Half Day Tickets", "Afternoons on the hill", 10, 1, "BUTTON", nullptr, 0},
        {1, 200, "PASS", "Season Pass", "Unlimited skiing all winter", 20, 1, "PICTURE", nullptr, 0},
        {1, 300, "PACKAGE", "Learn to Ski", "Lift, rental and lesson", 30, 1, "PICTURE&DESC", nullptr, 0},
        {1, 310, "PACKAGE", "Family Fun", "Four tickets for the family", 30, 1, "PICTURE&DESC", nullptr, 1},
        {1, 400, "PHOTO", "Mountain Photos", "Your day in pictures", 40, 1, "DROPDOWN", "HOLIDAY", -1},
        {1, 900, "TICKET", "Archived Special", "No longer sold", 0, 0, nullptr, nullptr, 0},
        {2, 100, "RENTAL", "Ski Rentals", "Skis, boots and poles", 10, 1, "PICTURE", nullptr, 0},
        {2, 110, "RENTAL", "Snowboard Rentals", "Board and boots", 10, 1, "PICTURE", nullptr, 0},
        {2, 200, "LESSON", "Ski School", "Lessons for every level", 20, 1, "BUTTON", "INDIVIDUAL", 0},
        {2, 300, "GROUP", "Group Outings", "Schools and clubs", 30, 1, nullptr, nullptr, -1},
        {3, 10, "APPAREL", "Beanies", "Warm and stylish", 5, 1, "PICTURE", "RETAIL", 0},
        {3, 20, "GIFT", "Gift Cards", "The perfect present", 6, 1, "PICTURE", nullptr, 0},
        {3, 30, "GIFT", "Trail Map Poster", "Frame your favourite runs", 6, 1, "PICTURE", "COLLECTION", 0},
        {3, 40, "GIFT", "Holiday Ornaments", "Coming soon", 6, 1, "PICTURE", nullptr, 0},
    };
    for (const Product& p : catalogue)
        Row(s, QStringLiteral("zev_store_product"), products,
            {p.store, p.no, QString::fromUtf8(p.type), QString::fromUtf8(p.name),
             QString::fromUtf8(p.shortText),
             QStringLiteral("%1. Buy online and skip the line.").arg(QString::fromUtf8(p.shortText)),
             p.group ? QVariant(p.group) : NullNumber,
             QStringLiteral("https://summitpeak.example/products/%1-%2").arg(p.store).arg(p.no), NullNumber,
             NullNumber, p.active, p.display ? QVariant(QString::fromUtf8(p.display)) : Null,
             p.family ? QVariant(QString::fromUtf8(p.family)) : Null, 1,
             p.manual < 0 ? NullNumber : QVariant(p.manual)});

    const QString items =
        QStringLiteral("store_no, product_no, seq_no, product_item_name, item_no, package_no, description, "
                       "price_no, product_url, "
                       "prompt_rental, prompt_lesson, prompt_customer, prompt_photo, available_start_date, "
                       "available_end_date, "
                       "advance_purchase_days, is_active, manual_invoice, min_age, max_age, prompt_alert");
    struct ProductItem {
        int store, product, seq;
        const char* name;
        int item, package, price, rental, lesson, customer, photo;
        const char *start, *end;
        int advance, active;
        double minAge, maxAge;
        int alert;
    };
    const ProductItem productItems[] = {
        {1, 100, 1, "Adult Day Ticket", 1001, 0, 103, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 13, 64, 0},
        {1, 100, 2, "Adult Day Ticket - Holiday", 1001, 0, 102, 0, 0, 1, 0, "2026-12-20 00:00:00",
         "2027-01-04 00:00:00", 0, 1, 13, 64, 0},
        {1, 100, 3, "Child Day Ticket", 1002, 0, 106, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 6, 12, 0},
        {1, 100, 4, "Senior Day Ticket", 1003, 0, 107, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 65, 0, 0},
        {1, 100, 5, "Military Day Ticket", 1001, 0, 104, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 1},
        {1, 110, 1, "Afternoon Ticket", 1005, 0, 110, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {1, 200, 1, "Season Pass - Early Bird", 1004, 0, 108, 0, 0, 1, 1, "2026-03-01 00:00:00",
         "2026-10-31 00:00:00", 7, 1, 0, 0, 1},
        {1, 200, 2, "Season Pass", 1004, 0, 109, 0, 0, 1, 1, nullptr, nullptr, 7, 1, 0, 0, 1},
        {1, 300, 1, "Learn to Ski Package", 0, 501, 130, 1, 1, 1, 0, nullptr, nullptr, 1, 1, 6, 0, 1},
        {1, 310, 1, "Family Four Pack", 0, 502, 131, 0, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {1, 400, 1, "Photo Package", 1101, 0, 111, 0, 0, 1, 1, nullptr, nullptr, 0, 1, 0, 0, 0},
        {1, 400, 2, "Action Photo", 1102, 0, 0, 0, 0, 1, 1, nullptr, nullptr, 0, 1, 0, 0, 0},
        {1, 900, 1, "Archived Ticket", 1005, 0, 0, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {2, 100, 1, "Ski Rental - 1 Day", 2001, 0, 113, 1, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 1},
        {2, 100, 2, "Ski Rental - 3 Days", 2001, 0, 114, 1, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 1},
        {2, 100, 3, "Demo Skis", 2004, 0, 117, 1, 0, 1, 0, nullptr, nullptr, 1, 1, 16, 0, 1},
        {2, 100, 4, "Helmet", 2003, 0, 116, 1, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {2, 110, 1, "Snowboard Rental", 2002, 0, 115, 1, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 1},
        {2, 110, 2, "Ride and Rent Combo", 0, 503, 133, 1, 0, 1, 0, nullptr, nullptr, 0, 1, 0, 0, 1},
        {2, 200, 1, "Group Lesson", 4001, 0, 120, 0, 1, 1, 0, nullptr, nullptr, 1, 1, 7, 0, 1},
        {2, 200, 2, "Private Lesson", 4002, 0, 122, 0, 1, 1, 0, nullptr, nullptr, 2, 1, 4, 0, 1},
        {2, 200, 3, "Kids Camp", 4003, 0, 123, 0, 1, 1, 0, "2027-01-05 00:00:00", "2027-04-15 00:00:00", 3, 1,
         5, 12, 1},
        {2, 300, 1, "Group Lesson - Group Rate", 4001, 0, 121, 0, 1, 1, 0, nullptr, nullptr, 14, 1, 0, 0, 1},
        {3, 10, 1, "Summit Peak Beanie", 5001, 0, 124, 0, 0, 0, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {3, 10, 2, "Hand Warmers", 5002, 0, 125, 0, 0, 0, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {3, 20, 1, "Gift Card $50", 3001, 0, 118, 0, 0, 0, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {3, 20, 2, "Gift Card $100", 3001, 0, 119, 0, 0, 0, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        {3, 30, 1, "Trail Map Poster", 5003, 0, 126, 0, 0, 0, 0, nullptr, nullptr, 0, 1, 0, 0, 0},
        // The gift shop's deliberate faults: a cross-sell offers the retired beanie, a list the summer
        // poster whose sale is over; and its group 8 has no products, its product 40 no items.
        {3, 10, 3, "Holiday Beanie", 5001, 0, 124, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {3, 30, 2, "Trail Map Poster - Summer Edition", 5003, 0, 126, 0, 0, 0, 0, "2026-05-01 00:00:00",
         "2026-08-31 00:00:00", 0, 1, 0, 0, 0},
    };
    for (const ProductItem& i : productItems)
        Row(s, QStringLiteral("zev_store_product_item"), items,
            {i.store,
             i.product,
             i.seq,
             QString::fromUtf8(i.name),
             i.item ? QVariant(i.item) : NullNumber,
             i.package ? QVariant(i.package) : NullNumber,
             QStringLiteral("%1 at Summit Peak").arg(QString::fromUtf8(i.name)),
             i.price ? QVariant(i.price) : NullNumber,
             Null,
             i.rental,
             i.lesson,
             i.customer,
             i.photo,
             i.start ? QVariant(QString::fromUtf8(i.start)) : Null,
             i.end ? QVariant(QString::fromUtf8(i.end)) : Null,
             i.advance,
             i.active,
             NullNumber,
             i.minAge > 0 ? QVariant(i.minAge) : QVariant(QMetaType::fromType<double>()),
             i.maxAge > 0 ? QVariant(i.maxAge) : QVariant(QMetaType::fromType<double>()),
             i.alert});

    const QString sells =
        QStringLiteral("store_no, product_no, seq_no, price_no, new_product_no, new_seq_no, "
                       "new_price_no, sell_code, sell_text");
    for (const auto& [store, product, seq, price, newProduct, newSeq, newPrice, code, text] :
         {std::tuple{1, 100, 1, 0, 200, 2, 0, "UPSELL", "Ski all winter for the price of nine days!"},
          {1, 100, 1, 103, 100, 3, 0, "CROSSSELL", "Bringing the kids?"},
          {1, 100, 3, 0, 300, 1, 130, "UPSELL", "First time? Add a lesson and rentals."},
          {1, 400, 1, 0, 400, 2, 0, "CROSSSELL", "Add an action shot download."},
          {2, 100, 1, 113, 100, 2, 114, "UPSELL", "Save with a three day rental."},
          {2, 100, 1, 0, 100, 4, 0, "CROSSSELL", "Don't forget your helmet."},
          {2, 200, 1, 0, 200, 2, 0, "UPSELL", "Learn faster one on one."},
          {3, 10, 1, 0, 10, 3, 0, "CROSSSELL", "A beanie for the holidays?"}})
        Row(s, QStringLiteral("zev_store_product_item_sell"), sells,
            {store, product, seq, price, newProduct, newSeq, newPrice, QString::fromUtf8(code),
             QString::fromUtf8(text)});

    const QString lists = QStringLiteral("store_no, list_id, description");
    for (const auto& [store, id, text] : {std::tuple{1, "FEATURED", "Featured on the home page"},
                                          {1, "HOLIDAY", "Holiday specials"},
                                          {1, "2027", "Next season"},
                                          {2, "BEGINNER", "Everything for beginners"},
                                          {3, "GIFTS", "Gift ideas"}})
        Row(s, QStringLiteral("zev_store_list"), lists,
            {store, QString::fromUtf8(id), QString::fromUtf8(text)});
    const QString listItems =
        QStringLiteral("store_no, list_id, seq_no, product_no, product_item_seq_no, price_no");
    for (const auto& [store, id, seq, product, itemSeq, price] : {std::tuple{1, "FEATURED", 1, 200, 2, 109},
                                                                  {1, "FEATURED", 2, 300, 1, 130},
                                                                  {1, "FEATURED", 3, 100, 1, 0},
                                                                  {1, "HOLIDAY", 1, 100, 2, 102},
                                                                  {1, "HOLIDAY", 2, 310, 1, 0},
                                                                  {2, "BEGINNER", 1, 200, 1, 120},
                                                                  {2, "BEGINNER", 2, 100, 1, 113},
                                                                  {2, "BEGINNER", 3, 100, 4, 0},
                                                                  {3, "GIFTS", 1, 20, 1, 118},
                                                                  {3, "GIFTS", 2, 20, 2, 119},
                                                                  {3, "GIFTS", 5, 10, 1, 0},
                                                                  {3, "GIFTS", 6, 30, 2, 0}})
        Row(s, QStringLiteral("zev_store_list_item"), listItems,
            {store, QString::fromUtf8(id), seq, product, itemSeq, price ? QVariant(price) : NullNumber});

    const QString fees = QStringLiteral(
        "store_no, fee_id, fee_amount, min_amount, fee_percent, item_no, product_group_no, price_no");
    const QVariant noDouble(QMetaType::fromType<double>());
    Row(s, QStringLiteral("zev_store_fee"), fees,
        {1, QStringLiteral("SERVICE"), 2.5, noDouble, noDouble, 6003, NullNumber, NullNumber});
    Row(s, QStringLiteral("zev_store_fee"), fees,
        {1, QStringLiteral("RESORT TAX"), noDouble, 1.0, 0.025, 1001, 10, 103});
    Row(s, QStringLiteral("zev_store_fee"), fees,
        {2, QStringLiteral("DAMAGE WAIVER"), 8.0, noDouble, noDouble, 6001, 10, 127});
    Row(s, QStringLiteral("zev_store_fee"), fees,
        {3, QStringLiteral("SHIPPING"), 7.95, 7.95, 0.05, 3001, 6, NullNumber});
    Row(s, QStringLiteral("zev_store_fee"), fees,
        {3, QStringLiteral("GIFT WRAP"), 4.5, noDouble, noDouble, 6004, NullNumber, NullNumber});

    for (const auto& [store, method] : {std::pair{1, "VISA"},
                                        {1, "MC"},
                                        {1, "AMEX"},
                                        {1, "PAYPAL"},
                                        {2, "VISA"},
                                        {2, "MC"},
                                        {2, "INVOICE"},
                                        {3, "VISA"},
                                        {3, "GIFT"}})
        Row(s, QStringLiteral("zev_store_pay_method"), QStringLiteral("store_no, pay_method_id"),
            {store, QString::fromUtf8(method)});

    const QString screens = QStringLiteral("store_no, screen_id, screen_title, screen_url");
    for (const auto& [store, id, title, url] :
         {std::tuple{1, "HOME", "Welcome to Summit Peak", "https://shop.summitpeak.example/"},
          {1, "CART", "Your Cart", "https://shop.summitpeak.example/cart"},
          {1, "CHECKOUT", "Checkout", "https://shop.summitpeak.example/checkout"},
          {2, "HOME", "Rent and Learn", "https://rent.summitpeak.example/"},
          {2, "WAIVER", "Rental Agreement", "https://rent.summitpeak.example/waiver"}})
        Row(s, QStringLiteral("zev_store_screen"), screens,
            {store, QString::fromUtf8(id), QString::fromUtf8(title), QString::fromUtf8(url)});

    for (const auto& [store, item] : {std::pair{1, 1001}, {2, 2001}, {2, 4001}})
        Row(s, QStringLiteral("zev_store_extendable"), QStringLiteral("store_no, item_no"), {store, item});
    for (const auto& [store, item, extension] :
         {std::tuple{1, 1001, 6003}, {2, 2001, 2003}, {2, 2001, 6001}, {2, 2001, 6002}, {2, 4001, 6003}})
        Row(s, QStringLiteral("zev_store_extension"), QStringLiteral("store_no, item_no, extension_item_no"),
            {store, item, extension});
}

QString CustomerXml(const QString& first, const QString& last, const QString& email, const QString& city,
                    const QString& phone) {
    return QStringLiteral("<customer><name><first>%1</first><last>%2</last></name><email>%3</email>"
                          "<address type=\"home\"><city>%4</city><country code=\"US\">United States</country>"
                          "</address><phone kind=\"mobile\">%5</phone></customer>")
        .arg(first, last, email, city, phone);
}

void SeedCustomersAndOrders(SqlSession& s) {
    const QString customers =
        QStringLiteral("customer_no, first_name, last_name, full_name, email, phone, city, "
                       "inserted_datetime, modified_datetime");
    struct Customer {
        int no;
        const char *first, *last, *full, *city, *phone;
    };
    const Customer people[] = {
        {5001, "Maria", "Lopez", "Maria Lopez", "Denver", "303-555-0101"},
        {5002, "James", "O'Brien", "", "Boulder", "303-555-0102"},
        {5003, "Aiko", "Tanaka", "Aiko Tanaka", "Salt Lake City", "801-555-0103"},
        {5004, "Lukas", "Schneider", "Lukas Schneider", "Munich", "+49 89 5550104"},
        {5005, "Priya", "Patel", "Priya Patel", "Aspen", "970-555-0105"},
        {5006, "Noah", "Williams", "Noah Williams", "Vail", "970-555-0106"},
        {5007, "Emma", "Dubois", "Emma Dubois", "Montreal", "514-555-0107"},
        {5008, "Ole", "Hansen", "", "Oslo", "+47 22 555 108"},
    };
    int day = 1;
    for (const Customer& c : people) {
        const QString first = QString::fromUtf8(c.first), last = QString::fromUtf8(c.last);
        const QString email =
            QStringLiteral("%1.%2@mail.example").arg(first.toLower(), last.toLower().remove(u'\''));
        Row(s, QStringLiteral("zev_customer"), customers,
            {c.no, first, last, *c.full ? QVariant(QString::fromUtf8(c.full)) : Null, email,
             QString::fromUtf8(c.phone), QString::fromUtf8(c.city),
             QStringLiteral("2026-10-%1 09:15:00").arg(day, 2, 10, QLatin1Char('0')),
             QStringLiteral("2026-11-%1 17:40:00").arg(day, 2, 10, QLatin1Char('0'))});
        ++day;
    }
    const QString storeCustomers =
        QStringLiteral("store_no, customer_no, external_customer_no, inserted_by_store, "
                       "inserted_datetime, modified_datetime");
    for (const auto& [store, customer, external, byStore, inserted, modified] :
         {std::tuple{1, 5001, 90001, 1, "2026-10-01 09:15:00", "2026-11-20 10:00:00"},
          {1, 5002, 90002, 1, "2026-10-02 11:00:00", nullptr},
          {1, 5003, 90003, 0, "2026-10-03 12:30:00", nullptr},
          {2, 5001, 70001, 0, "2026-10-05 08:00:00", "2026-12-01 08:30:00"},
          {2, 5004, 70004, 1, "2026-10-06 14:45:00", nullptr},
          {2, 5005, 0, 1, nullptr, nullptr},
          {3, 5006, 30006, 1, "2026-11-11 16:20:00", nullptr},
          {3, 5007, 30007, 0, "2026-11-12 10:05:00", nullptr}})
        Row(s, QStringLiteral("zev_store_customer"), storeCustomers,
            {store, customer, external ? QVariant(external) : NullNumber, byStore,
             inserted ? QVariant(QString::fromUtf8(inserted)) : Null,
             modified ? QVariant(QString::fromUtf8(modified)) : Null});

    const QString logs = QStringLiteral("log_no, customer_no, store_no, external_customer_no, log_datetime, "
                                        "customer_data, old_customer_data");
    const QString maria = CustomerXml(QStringLiteral("Maria"), QStringLiteral("Lopez"),
                                      QStringLiteral("maria.lopez@mail.example"), QStringLiteral("Denver"),
                                      QStringLiteral("303-555-0101"));
    Row(s, QStringLiteral("zev_customer_log"), logs,
        {qlonglong(1), 5001, 1, 90001, QStringLiteral("2026-10-01 09:15:00"), maria, Null});
    Row(s, QStringLiteral("zev_customer_log"), logs,
        {qlonglong(2), 5001, 1, 90001, QStringLiteral("2026-11-20 10:00:00"),
         CustomerXml(QStringLiteral("Maria"), QStringLiteral("Lopez"),
                     QStringLiteral("maria@summitfans.example"), QStringLiteral("Golden"),
                     QStringLiteral("303-555-0199")),
         maria});
    Row(s, QStringLiteral("zev_customer_log"), logs,
        {qlonglong(3), 5001, 2, 70001, QStringLiteral("2026-12-01 08:30:00"),
         CustomerXml(QStringLiteral("Maria"), QStringLiteral("Lopez-Ortiz"),
                     QStringLiteral("maria@summitfans.example"), QStringLiteral("Golden"),
                     QStringLiteral("303-555-0199")),
         CustomerXml(QStringLiteral("Maria"), QStringLiteral("Lopez"),
                     QStringLiteral("maria@summitfans.example"), QStringLiteral("Golden"),
                     QStringLiteral("303-555-0199"))});
    Row(s, QStringLiteral("zev_customer_log"), logs,
        {qlonglong(4), 5004, 2, 70004, QStringLiteral("2026-10-06 14:45:00"),
         CustomerXml(QStringLiteral("Lukas"), QStringLiteral("Schneider"),
                     QStringLiteral("lukas@mail.example"), QStringLiteral("Munich"),
                     QStringLiteral("+49 89 5550104")),
         Null});

    const QString carts =
        QStringLiteral("shopping_cart_no, store_no, inserted_datetime, status_id, salesorder_no, "
                       "customer_no, external_customer_no, notify_email_address, shopping_cart_data");
    struct Order {
        qlonglong cart;
        int store;
        const char *inserted, *status;
        int salesOrder, customer, external;
        const char* card;
        const char* shipTo = nullptr; // street and town, "|" between them
    };
    const Order orders[] = {
        {100001, 1, "2026-11-02 14:05:00", "PAID", 40001, 5001, 90001, "4111111111111111",
         "1200 Aspen Way|Denver, CO 80202"},
        {100002, 1, "2026-11-03 09:30:00", "NEW", 0, 5002, 90002, "5500005555555559"},
        {100003, 1, "2026-11-20 20:45:00", "PICKEDUP", 40003, 5001, 90001, "4111111111111111"},
        {100004, 1, "2026-12-01 07:55:00", "CANCELLED", 0, 5003, 90003, "378282246310005"},
        {100005, 1, "2026-12-24 11:11:00", "REFUNDED", 40005, 5002, 90002, "123"},
        {200001, 2, "2026-11-15 10:00:00", "PAID", 50001, 5001, 70001, "4012888888881881"},
        {200002, 2, "2026-12-02 16:30:00", "NEW", 0, 5004, 70004, "6011111111111117"},
        {200003, 2, "2026-12-28 08:05:00", "PAID", 50003, 5005, 0, nullptr},
        {300001, 3, "2026-11-11 16:20:00", "SHIPPED", 60001, 5006, 30006, "4111111111111111",
         "7 Lodge Lane|Vail, CO 81657"},
        {300002, 3, "2026-12-12 12:00:00", "NEW", 0, 5007, 30007, "5105105105105100"},
        // A cart number beyond the 32-bit range.
        {5000000001LL, 1, "2027-01-02 13:00:00", "PAID", 40006, 5003, 90003, "4000056655665556",
         "88 Canyon Road|Salt Lake City, UT 84101"},
    };
    const QString cartLogs =
        QStringLiteral("log_no, shopping_cart_no, log_datetime, log_trans_type, log_comment");
    qlonglong logNo = 0;
    for (const Order& o : orders) {
        const QString card = o.card
                                 ? QStringLiteral("<payment method=\"CC\" CARD_NO=\"%1\" expires=\"12/29\">"
                                                  "<amount currency=\"USD\">%2</amount></payment>")
                                       .arg(QString::fromUtf8(o.card))
                                       .arg(99.0 + double(o.cart % 7) * 10, 0, 'f', 2)
                                 : QStringLiteral("<payment method=\"INVOICE\"><amount currency=\"USD\">"
                                                  "450.00</amount></payment>");
        const QStringList shipTo = QString::fromUtf8(o.shipTo).split(u'|');
        const QString ship = o.shipTo
                                 ? QStringLiteral("<ship_to><street>%1</street><city>%2</city></ship_to>")
                                       .arg(shipTo.value(0), shipTo.value(1))
                                 : QString();
        const QString xml =
            QStringLiteral(
                "<?xml version=\"1.0\"?><cart no=\"%1\" store=\"%2\"><customer no=\"%3\">"
                "<name>Customer %3</name></customer><items><item product=\"100\" seq=\"1\" qty=\"2\">"
                "<name>Adult Day Ticket</name><price unit=\"DAY\">99.00</price><skier><first>Maria</first>"
                "<last>Lopez</last><age>34</age></skier></item><item product=\"100\" seq=\"3\" qty=\"1\">"
                "<name>Child Day Ticket</name><price unit=\"DAY\">59.00</price></item></items>%4%5"
                "<note/></cart>")
                .arg(o.cart)
                .arg(o.store)
                .arg(o.customer)
                .arg(card, ship);
        Row(s, QStringLiteral("zev_shopping_cart"), carts,
            {o.cart, o.store, QString::fromUtf8(o.inserted), QString::fromUtf8(o.status),
             o.salesOrder ? QVariant(o.salesOrder) : NullNumber, o.customer,
             o.external ? QVariant(o.external) : NullNumber,
             QStringLiteral("customer%1@mail.example").arg(o.customer),
             o.cart == 200003 ? Null : QVariant(xml)});
        Row(s, QStringLiteral("zev_shopping_cart_log"), cartLogs,
            {++logNo, o.cart, QString::fromUtf8(o.inserted), QStringLiteral("CREATE"),
             QStringLiteral("Cart created")});
        Row(s, QStringLiteral("zev_shopping_cart_log"), cartLogs,
            {++logNo, o.cart, QString::fromUtf8(o.inserted).left(11) + QStringLiteral("23:59:00"),
             QStringLiteral("STATUS"), QStringLiteral("Status set to %1").arg(QString::fromUtf8(o.status))});
    }
}

} // namespace

namespace DemoData {

void Seed(SqlSession& session) {
    Transaction transaction(session);
    SeedPeople(session);
    SeedHostTables(session);
    SeedStores(session);
    SeedCatalogue(session);
    SeedStoreContent(session);
    SeedCustomersAndOrders(session);
    transaction.commit();
}

std::shared_ptr<SqlConnection> CreateDemoDatabase(const QString& path, const QString& loginName) {
    auto session = SqlSession::Open(path);
    Schema::Prepare(*session);
    if (!session->scalar(QStringLiteral("SELECT 1 FROM zev_store")).isValid() &&
        !session->scalar(QStringLiteral("SELECT 1 FROM zev_user")).isValid())
        Seed(*session);
    if (!loginName.isEmpty())
        UserAdmin(*session).MakeAdministrator(loginName);
    return std::make_shared<SqlConnection>(session, loginName);
}

} // namespace DemoData
