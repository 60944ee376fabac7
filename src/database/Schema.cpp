#include "database/Schema.h"

#include "database/DriverError.h"
#include "database/Transaction.h"

#include <QStringList>

namespace {

// Version 1: the store tables and the host tables they lean on. Dates are "yyyy-MM-dd HH:mm:ss" text and
// flags 1/0 small integers on both servers.
const char* const Version1[] = {
    R"(CREATE TABLE zev_user (
        user_id VARCHAR(50) NOT NULL PRIMARY KEY,
        full_name VARCHAR(100)))",
    R"(CREATE TABLE zev_user_right (
        user_id VARCHAR(50) NOT NULL REFERENCES zev_user (user_id) ON DELETE CASCADE ON UPDATE CASCADE,
        right_id VARCHAR(50) NOT NULL,
        PRIMARY KEY (user_id, right_id)))",
    R"(CREATE TABLE zev_item (
        item_no INTEGER NOT NULL PRIMARY KEY,
        item_type SMALLINT NOT NULL CHECK (item_type BETWEEN 1 AND 6),
        short_description VARCHAR(50),
        long_description VARCHAR(255),
        item_url VARCHAR(255),
        allow_backorder SMALLINT NOT NULL DEFAULT 0,
        is_extendable SMALLINT NOT NULL DEFAULT 0,
        requires_waiver SMALLINT NOT NULL DEFAULT 0,
        advance_purchase_days INTEGER NOT NULL DEFAULT 0,
        qty_on_hand INTEGER,
        is_active SMALLINT NOT NULL DEFAULT 1))",
    R"(CREATE TABLE zev_package (
        package_no INTEGER NOT NULL PRIMARY KEY,
        description VARCHAR(255),
        package_url VARCHAR(255),
        is_active SMALLINT NOT NULL DEFAULT 1))",
    R"(CREATE TABLE zev_package_item (
        package_no INTEGER NOT NULL REFERENCES zev_package (package_no) ON DELETE CASCADE,
        item_no INTEGER NOT NULL REFERENCES zev_item (item_no),
        qty INTEGER NOT NULL DEFAULT 1,
        PRIMARY KEY (package_no, item_no)))",
    R"(CREATE TABLE zev_season (
        season_no INTEGER NOT NULL PRIMARY KEY,
        season_desc VARCHAR(50),
        start_date VARCHAR(19),
        end_date VARCHAR(19)))",
    R"(CREATE TABLE zev_discount (
        discount_id VARCHAR(20) NOT NULL PRIMARY KEY,
        discount_desc VARCHAR(50)))",
    R"(CREATE TABLE zev_unit (
        unit_id VARCHAR(20) NOT NULL PRIMARY KEY,
        description VARCHAR(50)))",
    R"(CREATE TABLE zev_sales_order_type (
        so_type VARCHAR(20) NOT NULL PRIMARY KEY,
        description VARCHAR(50)))",
    R"(CREATE TABLE zev_document_field (
        field_id VARCHAR(50) NOT NULL PRIMARY KEY))",
    R"(CREATE TABLE zev_pay_method (
        pay_method_id VARCHAR(20) NOT NULL PRIMARY KEY,
        pay_method_type_id VARCHAR(20),
        description VARCHAR(50)))",
    R"(CREATE TABLE zev_order_status (
        status_id VARCHAR(20) NOT NULL PRIMARY KEY,
        sort_order INTEGER NOT NULL DEFAULT 0))",
    R"(CREATE TABLE zev_register (
        register_id VARCHAR(20) NOT NULL PRIMARY KEY,
        register_group_id VARCHAR(20),
        revenue_center_id VARCHAR(20),
        location_id VARCHAR(20),
        status_id VARCHAR(20),
        check_out_computer VARCHAR(50)))",
    R"(CREATE TABLE zev_store (
        store_no INTEGER NOT NULL PRIMARY KEY,
        description VARCHAR(50),
        store_url VARCHAR(255),
        store_logo_url VARCHAR(255),
        default_product_url VARCHAR(255),
        register_id VARCHAR(20) REFERENCES zev_register (register_id),
        register_installed SMALLINT NOT NULL DEFAULT 0,
        error_notify_email VARCHAR(255),
        confirmation_document TEXT,
        manual_document TEXT,
        ship_document TEXT,
        email_from VARCHAR(255),
        so_type VARCHAR(20)))",
    R"(CREATE TABLE zev_price (
        price_no INTEGER NOT NULL PRIMARY KEY,
        item_no INTEGER REFERENCES zev_item (item_no) ON DELETE CASCADE,
        package_no INTEGER REFERENCES zev_package (package_no) ON DELETE CASCADE,
        store_no INTEGER REFERENCES zev_store (store_no) ON DELETE CASCADE,
        season_no INTEGER REFERENCES zev_season (season_no),
        discount_id VARCHAR(20) REFERENCES zev_discount (discount_id),
        unit_id VARCHAR(20) REFERENCES zev_unit (unit_id),
        unit_qty SMALLINT NOT NULL DEFAULT 1,
        unit_price DOUBLE PRECISION,
        price DOUBLE PRECISION,
        CHECK ((item_no IS NULL) <> (package_no IS NULL))))",
    R"(CREATE TABLE zev_store_product_group (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        product_group_no INTEGER NOT NULL,
        description VARCHAR(50),
        product_display_type VARCHAR(20),
        image_width INTEGER,
        image_height INTEGER,
        num_cols INTEGER,
        manual_invoice SMALLINT NOT NULL DEFAULT 0,
        PRIMARY KEY (store_no, product_group_no)))",
    R"(CREATE TABLE zev_store_product (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        product_no INTEGER NOT NULL,
        product_type VARCHAR(255),
        product_name VARCHAR(100),
        short_description VARCHAR(255),
        long_description TEXT,
        product_group_no INTEGER,
        product_url VARCHAR(255),
        image_width INTEGER,
        image_height INTEGER,
        is_active SMALLINT NOT NULL DEFAULT 1,
        item_display_type VARCHAR(20),
        photo_family VARCHAR(20),
        num_cols INTEGER,
        manual_invoice SMALLINT,
        PRIMARY KEY (store_no, product_no),
        FOREIGN KEY (store_no, product_group_no) REFERENCES zev_store_product_group (store_no, product_group_no)
            ON UPDATE CASCADE))",
    R"(CREATE TABLE zev_store_product_item (
        store_no INTEGER NOT NULL,
        product_no INTEGER NOT NULL,
        seq_no INTEGER NOT NULL,
        product_item_name VARCHAR(100),
        item_no INTEGER REFERENCES zev_item (item_no),
        package_no INTEGER REFERENCES zev_package (package_no),
        description VARCHAR(255),
        price_no INTEGER REFERENCES zev_price (price_no),
        product_url VARCHAR(255),
        prompt_rental SMALLINT NOT NULL DEFAULT 0,
        prompt_lesson SMALLINT NOT NULL DEFAULT 0,
        prompt_customer SMALLINT NOT NULL DEFAULT 0,
        prompt_photo SMALLINT NOT NULL DEFAULT 0,
        available_start_date VARCHAR(19),
        available_end_date VARCHAR(19),
        advance_purchase_days INTEGER NOT NULL DEFAULT 0,
        is_active SMALLINT NOT NULL DEFAULT 1,
        manual_invoice SMALLINT,
        min_age DOUBLE PRECISION,
        max_age DOUBLE PRECISION,
        PRIMARY KEY (store_no, product_no, seq_no),
        FOREIGN KEY (store_no, product_no) REFERENCES zev_store_product (store_no, product_no)
            ON DELETE CASCADE ON UPDATE CASCADE))",
    // A price number of 0 links every price of the item.
    R"(CREATE TABLE zev_store_product_item_sell (
        store_no INTEGER NOT NULL,
        product_no INTEGER NOT NULL,
        seq_no INTEGER NOT NULL,
        price_no INTEGER NOT NULL DEFAULT 0,
        new_product_no INTEGER NOT NULL,
        new_seq_no INTEGER NOT NULL,
        new_price_no INTEGER NOT NULL DEFAULT 0,
        sell_code VARCHAR(20),
        sell_text VARCHAR(255),
        PRIMARY KEY (store_no, product_no, seq_no, price_no, new_product_no, new_seq_no, new_price_no),
        FOREIGN KEY (store_no, product_no, seq_no) REFERENCES zev_store_product_item (store_no, product_no, seq_no)
            ON DELETE CASCADE ON UPDATE CASCADE,
        FOREIGN KEY (store_no, new_product_no, new_seq_no)
            REFERENCES zev_store_product_item (store_no, product_no, seq_no) ON DELETE CASCADE ON UPDATE CASCADE))",
    R"(CREATE TABLE zev_store_list (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        list_id VARCHAR(50) NOT NULL,
        description VARCHAR(50),
        PRIMARY KEY (store_no, list_id)))",
    R"(CREATE TABLE zev_store_list_item (
        store_no INTEGER NOT NULL,
        list_id VARCHAR(50) NOT NULL,
        seq_no INTEGER NOT NULL,
        product_no INTEGER NOT NULL,
        product_item_seq_no INTEGER NOT NULL,
        price_no INTEGER REFERENCES zev_price (price_no),
        PRIMARY KEY (store_no, list_id, seq_no),
        FOREIGN KEY (store_no, list_id) REFERENCES zev_store_list (store_no, list_id)
            ON DELETE CASCADE ON UPDATE CASCADE,
        FOREIGN KEY (store_no, product_no, product_item_seq_no)
            REFERENCES zev_store_product_item (store_no, product_no, seq_no) ON DELETE CASCADE ON UPDATE CASCADE))",
    R"(CREATE TABLE zev_store_fee (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        fee_id VARCHAR(50) NOT NULL,
        fee_amount DOUBLE PRECISION,
        min_amount DOUBLE PRECISION,
        fee_percent DOUBLE PRECISION,
        item_no INTEGER REFERENCES zev_item (item_no),
        product_group_no INTEGER,
        price_no INTEGER REFERENCES zev_price (price_no),
        PRIMARY KEY (store_no, fee_id),
        FOREIGN KEY (store_no, product_group_no) REFERENCES zev_store_product_group (store_no, product_group_no)
            ON UPDATE CASCADE))",
    R"(CREATE TABLE zev_store_pay_method (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        pay_method_id VARCHAR(20) NOT NULL REFERENCES zev_pay_method (pay_method_id) ON DELETE CASCADE,
        PRIMARY KEY (store_no, pay_method_id)))",
    R"(CREATE TABLE zev_store_screen (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        screen_id VARCHAR(50) NOT NULL,
        screen_title VARCHAR(100),
        screen_url VARCHAR(255),
        PRIMARY KEY (store_no, screen_id)))",
    R"(CREATE TABLE zev_store_extendable (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        item_no INTEGER NOT NULL REFERENCES zev_item (item_no),
        PRIMARY KEY (store_no, item_no)))",
    R"(CREATE TABLE zev_store_extension (
        store_no INTEGER NOT NULL,
        item_no INTEGER NOT NULL,
        extension_item_no INTEGER NOT NULL REFERENCES zev_item (item_no),
        PRIMARY KEY (store_no, item_no, extension_item_no),
        FOREIGN KEY (store_no, item_no) REFERENCES zev_store_extendable (store_no, item_no) ON DELETE CASCADE))",
    R"(CREATE TABLE zev_customer (
        customer_no INTEGER NOT NULL PRIMARY KEY,
        first_name VARCHAR(50),
        last_name VARCHAR(50),
        full_name VARCHAR(100),
        email VARCHAR(255),
        phone VARCHAR(30),
        city VARCHAR(50),
        inserted_datetime VARCHAR(19),
        modified_datetime VARCHAR(19)))",
    R"(CREATE TABLE zev_store_customer (
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        customer_no INTEGER NOT NULL REFERENCES zev_customer (customer_no) ON DELETE CASCADE,
        external_customer_no INTEGER,
        inserted_by_store SMALLINT NOT NULL DEFAULT 0,
        inserted_datetime VARCHAR(19),
        modified_datetime VARCHAR(19),
        PRIMARY KEY (store_no, customer_no)))",
    R"(CREATE TABLE zev_customer_log (
        log_no BIGINT NOT NULL PRIMARY KEY,
        customer_no INTEGER NOT NULL REFERENCES zev_customer (customer_no) ON DELETE CASCADE,
        store_no INTEGER REFERENCES zev_store (store_no) ON DELETE SET NULL,
        external_customer_no INTEGER,
        log_datetime VARCHAR(19),
        customer_data TEXT,
        old_customer_data TEXT))",
    R"(CREATE TABLE zev_shopping_cart (
        shopping_cart_no BIGINT NOT NULL PRIMARY KEY,
        store_no INTEGER NOT NULL REFERENCES zev_store (store_no) ON DELETE CASCADE,
        inserted_datetime VARCHAR(19),
        status_id VARCHAR(20),
        salesorder_no INTEGER,
        customer_no INTEGER,
        external_customer_no INTEGER,
        notify_email_address VARCHAR(255),
        shopping_cart_data TEXT))",
    R"(CREATE TABLE zev_shopping_cart_log (
        log_no BIGINT NOT NULL PRIMARY KEY,
        shopping_cart_no BIGINT NOT NULL REFERENCES zev_shopping_cart (shopping_cart_no) ON DELETE CASCADE,
        log_datetime VARCHAR(19),
        log_trans_type VARCHAR(20),
        log_comment VARCHAR(255)))",
    "CREATE INDEX zev_customer_log_customer ON zev_customer_log (customer_no, log_no)",
    "CREATE INDEX zev_shopping_cart_log_cart ON zev_shopping_cart_log (shopping_cart_no, log_no)",
    "CREATE INDEX zev_store_customer_customer ON zev_store_customer (customer_no)",
};

// Version 2: stores with a register at the location level, the alert prompt of product items, and the
// order search by store.
const char* const Version2[] = {
    "ALTER TABLE zev_store ADD COLUMN location_register SMALLINT NOT NULL DEFAULT 0",
    "ALTER TABLE zev_store_product_item ADD COLUMN prompt_alert SMALLINT NOT NULL DEFAULT 0",
    "CREATE INDEX zev_shopping_cart_store ON zev_shopping_cart (store_no, shopping_cart_no)",
};

// Version 3: a store's products in the order the product view shows them, so its first rows come at once.
const char* const Version3[] = {
    "CREATE INDEX zev_store_product_order ON zev_store_product (store_no, (COALESCE(product_group_no, 0)), "
    "product_no)",
};

template <size_t N> QStringList Statements(const char* const (&statements)[N]) {
    QStringList list;
    for (const char* statement : statements)
        list << QString::fromUtf8(statement);
    return list;
}

QStringList Step(int version) {
    switch (version) {
    case 1:
        return Statements(Version1);
    case 2:
        return Statements(Version2);
    case 3:
        return Statements(Version3);
    default:
        return {};
    }
}

} // namespace

namespace Schema {

int Version(SqlSession& session) {
    const bool hasTable =
        session.backend() == Backend::SQLite
            ? session
                  .scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = "
                                         "'zev_schema_version'"))
                  .isValid()
            : session
                  .scalar(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = "
                                         "current_schema() AND table_name = 'zev_schema_version'"))
                  .isValid();
    if (!hasTable)
        return 0;
    return session.scalar(QStringLiteral("SELECT MAX(version) FROM zev_schema_version")).toInt();
}

void UpgradeTo(SqlSession& session, int version) {
    const int found = Version(session);
    if (found > CurrentVersion)
        throw RuntimeError(
            ErrorNumbers::ProviderError,
            QStringLiteral("The database has version %1 of the store tables; this program knows "
                           "version %2 at most. Please use a newer program.")
                .arg(found)
                .arg(CurrentVersion));
    for (int step = found + 1; step <= version; ++step) {
        Transaction transaction(session);
        if (step == 1)
            session.execute(QStringLiteral("CREATE TABLE zev_schema_version (version INTEGER NOT NULL)"));
        for (const QString& statement : Step(step))
            session.execute(statement);
        session.run(QStringLiteral("DELETE FROM zev_schema_version"));
        session.run(QStringLiteral("INSERT INTO zev_schema_version (version) VALUES (?)"), {step});
        transaction.commit();
    }
}

void Prepare(SqlSession& session) {
    UpgradeTo(session, CurrentVersion);
}

QStringList Tables() {
    return {QStringLiteral("zev_user"),
            QStringLiteral("zev_user_right"),
            QStringLiteral("zev_item"),
            QStringLiteral("zev_package"),
            QStringLiteral("zev_package_item"),
            QStringLiteral("zev_season"),
            QStringLiteral("zev_discount"),
            QStringLiteral("zev_unit"),
            QStringLiteral("zev_sales_order_type"),
            QStringLiteral("zev_document_field"),
            QStringLiteral("zev_pay_method"),
            QStringLiteral("zev_order_status"),
            QStringLiteral("zev_register"),
            QStringLiteral("zev_store"),
            QStringLiteral("zev_price"),
            QStringLiteral("zev_store_product_group"),
            QStringLiteral("zev_store_product"),
            QStringLiteral("zev_store_product_item"),
            QStringLiteral("zev_store_product_item_sell"),
            QStringLiteral("zev_store_list"),
            QStringLiteral("zev_store_list_item"),
            QStringLiteral("zev_store_fee"),
            QStringLiteral("zev_store_pay_method"),
            QStringLiteral("zev_store_screen"),
            QStringLiteral("zev_store_extendable"),
            QStringLiteral("zev_store_extension"),
            QStringLiteral("zev_customer"),
            QStringLiteral("zev_store_customer"),
            QStringLiteral("zev_customer_log"),
            QStringLiteral("zev_shopping_cart"),
            QStringLiteral("zev_shopping_cart_log"),
            QStringLiteral("zev_schema_version")};
}

} // namespace Schema
