#include "database/Schema.h"

#include "database/DriverError.h"
#include "database/HostRights.h"
#include "database/Transaction.h"

#include <QCryptographicHash>
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

// Version 4: the change history, kept by triggers.
struct Kept {
    const char* table;
    const char* key;
};
const Kept KeptTables[] = {
    {"zev_user", "user_id"},
    {"zev_user_right", "user_id right_id"},
    {"zev_store", "store_no"},
    {"zev_store_product_group", "store_no product_group_no"},
    {"zev_store_product", "store_no product_no"},
    {"zev_store_product_item", "store_no product_no seq_no"},
    {"zev_store_product_item_sell",
     "store_no product_no seq_no price_no new_product_no new_seq_no new_price_no"},
    {"zev_store_list", "store_no list_id"},
    {"zev_store_list_item", "store_no list_id seq_no"},
    {"zev_store_fee", "store_no fee_id"},
    {"zev_store_pay_method", "store_no pay_method_id"},
    {"zev_store_screen", "store_no screen_id"},
    {"zev_store_extendable", "store_no item_no"},
    {"zev_store_extension", "store_no item_no extension_item_no"},
};

const char* const HistoryTable = R"(CREATE TABLE zev_change_history (
        history_no %1 PRIMARY KEY,
        changed_at VARCHAR(19) NOT NULL,
        changed_by VARCHAR(63),
        table_name VARCHAR(50) NOT NULL,
        record_key VARCHAR(400) NOT NULL,
        store_no INTEGER,
        action VARCHAR(6) NOT NULL,
        old_values TEXT,
        new_values TEXT))";

// A record's changes and a store's, newest first. Every index is written on every change, so there is none
// for the person or the day: pruning, a monthly job, reads the whole table.
const char* const HistoryIndexes[] = {
    "CREATE INDEX zev_change_history_record ON zev_change_history (table_name, record_key, history_no)",
    "CREATE INDEX zev_change_history_store ON zev_change_history (store_no, history_no)",
};

// PostgreSQL: one trigger function for every kept table, its key columns as the trigger's arguments. It runs
// as its owner, so that a login that may change a store writes its history without writing the history.
const char* const RecordChangeFunction = R"sql(CREATE FUNCTION zev_record_change() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = SCHEMA, pg_temp AS $body$
DECLARE
    old_row JSONB;
    new_row JSONB;
    changed_old JSONB;
    changed_new JSONB;
BEGIN
    IF TG_OP <> 'INSERT' THEN
        old_row := to_jsonb(OLD);
    END IF;
    IF TG_OP <> 'DELETE' THEN
        new_row := to_jsonb(NEW);
    END IF;
    IF TG_OP = 'UPDATE' THEN
        SELECT jsonb_object_agg(o.key, o.value), jsonb_object_agg(o.key, new_row -> o.key)
            INTO changed_old, changed_new
            FROM jsonb_each(old_row) o WHERE o.value IS DISTINCT FROM new_row -> o.key;
        IF changed_old IS NULL THEN
            RETURN NULL;
        END IF;
    ELSE
        changed_old := old_row;
        changed_new := new_row;
    END IF;
    INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, store_no, action,
        old_values, new_values)
    SELECT to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS'), session_user, TG_TABLE_NAME,
        string_agg(COALESCE(new_row, old_row) ->> k.name, '/' ORDER BY k.n),
        (COALESCE(new_row, old_row) ->> 'store_no')::INTEGER, TG_OP, changed_old::TEXT, changed_new::TEXT
    FROM unnest(TG_ARGV) WITH ORDINALITY AS k(name, n);
    RETURN NULL;
END
$body$)sql";

QString SqlText(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// SQLite: three triggers per kept table, written out for its columns as they are now; the user comes from
// the function each connection registers.
QStringList SqliteHistoryTriggers(SqlSession& session, const QString& table, const QStringList& key) {
    QStringList columns;
    for (QSqlQuery query =
             session.run(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
         query.next();)
        columns << query.value(0).toString();
    const auto of = [&](const QString& row, const QStringList& names, const QString& separator,
                        const QString& pattern) {
        QStringList parts;
        for (const QString& name : names)
            parts << QString(pattern).replace(QStringLiteral("$c"), name).replace(QStringLiteral("$r"), row);
        return parts.join(separator);
    };
    const auto values = [&](const QString& row) {
        return QStringLiteral("json_object(%1)").arg(of(row, columns, QStringLiteral(", "), "'$c', $r.$c"));
    };
    const auto keyOf = [&](const QString& row) {
        return of(row, key, QStringLiteral(" || '/' || "), "$r.$c");
    };
    const auto storeOf = [&](const QString& row) {
        return columns.contains(QLatin1String("store_no")) ? row + QStringLiteral(".store_no")
                                                           : QStringLiteral("NULL");
    };
    const QString insert =
        QStringLiteral("INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, "
                       "store_no, action, old_values, new_values) ");
    const QString now = QStringLiteral("datetime('now', 'localtime'), zev_current_user(), ") + SqlText(table);
    return {
        QStringLiteral("CREATE TRIGGER zev_history_insert_%1 AFTER INSERT ON %1 BEGIN %2 VALUES (%3, %4, %5, "
                       "'INSERT', NULL, %6); END")
            .arg(table, insert, now, keyOf("NEW"), storeOf("NEW"), values("NEW")),
        QStringLiteral("CREATE TRIGGER zev_history_delete_%1 AFTER DELETE ON %1 BEGIN %2 VALUES (%3, %4, %5, "
                       "'DELETE', %6, NULL); END")
            .arg(table, insert, now, keyOf("OLD"), storeOf("OLD"), values("OLD")),
        QStringLiteral("CREATE TRIGGER zev_history_update_%1 AFTER UPDATE ON %1 WHEN %2 BEGIN %3 SELECT %4, "
                       "%5, %6, 'UPDATE', json_group_object(c, o), json_group_object(c, n) FROM (%7) WHERE o "
                       "IS NOT n; END")
            .arg(
                table, of("", columns, QStringLiteral(" OR "), "OLD.$c IS NOT NEW.$c"), insert, now,
                keyOf("NEW"), storeOf("NEW"),
                of("", columns, QStringLiteral(" UNION ALL "), "SELECT '$c' AS c, OLD.$c AS o, NEW.$c AS n")),
    };
}

QStringList HistoryStep(SqlSession& session) {
    const bool sqlite = session.backend() == Backend::SQLite;
    QStringList statements{QString::fromUtf8(HistoryTable)
                               .arg(sqlite ? QStringLiteral("INTEGER")
                                           : QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY"))};
    for (const char* index : HistoryIndexes)
        statements << QString::fromUtf8(index);
    // The history of this schema, whoever's search path the change runs under.
    if (!sqlite)
        statements << QString::fromUtf8(RecordChangeFunction)
                          .replace(QStringLiteral("SCHEMA, pg_temp"),
                                   Schema::Quoted(
                                       session.scalar(QStringLiteral("SELECT current_schema()")).toString()) +
                                       QStringLiteral(", pg_temp"));
    for (const Kept& kept : KeptTables) {
        const QString table = QString::fromLatin1(kept.table);
        const QStringList key = QString::fromLatin1(kept.key).split(QLatin1Char(' '));
        if (sqlite) {
            statements << SqliteHistoryTriggers(session, table, key);
        } else {
            QStringList arguments;
            for (const QString& column : key)
                arguments << SqlText(column);
            statements << QStringLiteral(
                              "CREATE TRIGGER zev_history AFTER INSERT OR UPDATE OR DELETE ON %1 FOR "
                              "EACH ROW EXECUTE FUNCTION zev_record_change(%2)")
                              .arg(table, arguments.join(QStringLiteral(", ")));
        }
    }
    return statements;
}

// Version 5: on PostgreSQL each change carries its transaction, so that a save can tell the changes committed
// after its editor read the record from those it saw, whatever order their numbers were handed out in. A
// SQLite file has one writer at a time, and the numbers alone tell.
// The store's index goes: every index is one more page written by every save, and a store's changes are
// found well enough newest first through the history's own order.
QStringList TransactionStep(SqlSession& session) {
    QStringList statements{QStringLiteral("DROP INDEX zev_change_history_store")};
    if (session.backend() == Backend::PostgreSQL)
        statements << QStringLiteral("ALTER TABLE zev_change_history ADD COLUMN tx_id xid8 NOT NULL DEFAULT "
                                     "pg_current_xact_id()");
    return statements;
}

// PostgreSQL, version 6: a kept table's trigger function written out for its columns. It tells the unchanged
// columns in one expression and writes one row; the generic function of version 4 turned both whole rows
// into JSON and paired them up by a query of its own on every change.
const char* const TableChangeFunction = R"sql(CREATE FUNCTION zev_history_TABLE() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = SCHEMA, pg_temp AS $body$
DECLARE
    same TEXT[];
BEGIN
    IF TG_OP = 'UPDATE' THEN
        same := array_remove(ARRAY[UNCHANGED], NULL);
        IF cardinality(same) = COLUMNS THEN
            RETURN NULL;
        END IF;
        INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, store_no, action,
            old_values, new_values)
        VALUES (to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS'), session_user, TG_TABLE_NAME, NEW_KEY,
            NEW_STORE, TG_OP, (to_jsonb(OLD) - same)::TEXT, (to_jsonb(NEW) - same)::TEXT);
    ELSIF TG_OP = 'INSERT' THEN
        INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, store_no, action,
            old_values, new_values)
        VALUES (to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS'), session_user, TG_TABLE_NAME, NEW_KEY,
            NEW_STORE, TG_OP, NULL, to_jsonb(NEW)::TEXT);
    ELSE
        INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, store_no, action,
            old_values, new_values)
        VALUES (to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS'), session_user, TG_TABLE_NAME, OLD_KEY,
            OLD_STORE, TG_OP, to_jsonb(OLD)::TEXT, NULL);
    END IF;
    RETURN NULL;
END
$body$)sql";

QStringList PostgresColumns(SqlSession& session, const QString& table) {
    QStringList columns;
    for (QSqlQuery query =
             session.run(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE "
                                        "table_schema = current_schema() AND table_name = ? "
                                        "ORDER BY ordinal_position"),
                         {table});
         query.next();)
        columns << query.value(0).toString();
    return columns;
}

QStringList PostgresTableTrigger(SqlSession& session, const QString& table, const QStringList& key) {
    const QStringList columns = PostgresColumns(session, table);
    QStringList unchanged;
    for (const QString& column : columns)
        unchanged << QStringLiteral("CASE WHEN OLD.%1 IS NOT DISTINCT FROM NEW.%1 THEN '%1' END").arg(column);
    const auto keyOf = [&](const QString& row) {
        QStringList parts;
        for (const QString& column : key)
            parts << QStringLiteral("%1.%2::TEXT").arg(row, column);
        return parts.join(QStringLiteral(" || '/' || "));
    };
    const auto storeOf = [&](const QString& row) {
        return columns.contains(QLatin1String("store_no")) ? row + QStringLiteral(".store_no")
                                                           : QStringLiteral("NULL::INTEGER");
    };
    const QString schema =
        Schema::Quoted(session.scalar(QStringLiteral("SELECT current_schema()")).toString());
    const QString function =
        QString::fromUtf8(TableChangeFunction)
            .replace(QStringLiteral("TABLE()"), table + QStringLiteral("()"))
            .replace(QStringLiteral("SCHEMA, pg_temp"), schema + QStringLiteral(", pg_temp"))
            .replace(QStringLiteral("UNCHANGED"), unchanged.join(QStringLiteral(", ")))
            .replace(QStringLiteral("= COLUMNS"), QStringLiteral("= ") + QString::number(columns.size()))
            .replace(QStringLiteral("NEW_KEY"), keyOf(QStringLiteral("NEW")))
            .replace(QStringLiteral("OLD_KEY"), keyOf(QStringLiteral("OLD")))
            .replace(QStringLiteral("NEW_STORE"), storeOf(QStringLiteral("NEW")))
            .replace(QStringLiteral("OLD_STORE"), storeOf(QStringLiteral("OLD")));
    return {QStringLiteral("DROP TRIGGER zev_history ON ") + table, function,
            QStringLiteral("CREATE TRIGGER zev_history AFTER INSERT OR UPDATE OR DELETE ON %1 FOR EACH ROW "
                           "EXECUTE FUNCTION zev_history_%1()")
                .arg(table)};
}

// SQLite, version 6: every index of the history is one more page written by every save. The record index
// becomes a table of its own, brought up to date every 64 changes in one go; whoever looks a record
// up reads the changes after the last batch as well (ChangeHistory::RecordCondition).
const char* const SqliteRecordIndex[] = {
    "DROP INDEX zev_change_history_record",
    "CREATE TABLE zev_change_history_record (table_name VARCHAR(50) NOT NULL, record_key VARCHAR(400) NOT "
    "NULL, history_no INTEGER NOT NULL, PRIMARY KEY (table_name, record_key, history_no)) WITHOUT ROWID",
    "CREATE TABLE zev_change_history_indexed (upto INTEGER NOT NULL)",
    "INSERT INTO zev_change_history_record SELECT table_name, record_key, history_no FROM zev_change_history",
    "INSERT INTO zev_change_history_indexed SELECT COALESCE(MAX(history_no), 0) FROM zev_change_history",
    "CREATE TRIGGER zev_history_index AFTER INSERT ON zev_change_history WHEN NEW.history_no >= (SELECT upto "
    "FROM zev_change_history_indexed) + 64 BEGIN INSERT OR IGNORE INTO zev_change_history_record SELECT "
    "table_name, record_key, history_no FROM zev_change_history WHERE history_no > (SELECT upto FROM "
    "zev_change_history_indexed); UPDATE zev_change_history_indexed SET upto = NEW.history_no; END",
    // A change numbered below the last batch (written with its number by hand) is indexed at once.
    "CREATE TRIGGER zev_history_index_late AFTER INSERT ON zev_change_history WHEN NEW.history_no <= (SELECT "
    "upto FROM zev_change_history_indexed) BEGIN INSERT OR IGNORE INTO zev_change_history_record VALUES "
    "(NEW.table_name, NEW.record_key, NEW.history_no); END",
};

QStringList LeanHistoryStep(SqlSession& session) {
    if (session.backend() == Backend::SQLite) {
        QStringList statements;
        for (const char* statement : SqliteRecordIndex)
            statements << QString::fromUtf8(statement);
        return statements;
    }
    QStringList statements;
    for (const Kept& kept : KeptTables)
        statements << PostgresTableTrigger(session, QString::fromLatin1(kept.table),
                                           QString::fromLatin1(kept.key).split(QLatin1Char(' ')));
    statements << QStringLiteral("DROP FUNCTION zev_record_change()");
    return statements;
}

// SQLite, version 7: the record index is brought up to date by the writing connection every so many saves
// (ChangeHistory::IndexRecent) instead of by two more triggers on every history row.
QStringList IndexByConnectionStep(SqlSession& session) {
    if (session.backend() != Backend::SQLite)
        return {};
    return {QStringLiteral("DROP TRIGGER zev_history_index"),
            QStringLiteral("DROP TRIGGER zev_history_index_late")};
}

template <size_t N> QStringList Statements(const char* const (&statements)[N]) {
    QStringList list;
    for (const char* statement : statements)
        list << QString::fromUtf8(statement);
    return list;
}

QStringList Step(SqlSession& session, int version) {
    switch (version) {
    case 1:
        return Statements(Version1);
    case 2:
        return Statements(Version2);
    case 3:
        return Statements(Version3);
    case 4:
        return HistoryStep(session);
    case 5:
        return TransactionStep(session);
    case 6:
        return LeanHistoryStep(session);
    case 7:
        return IndexByConnectionStep(session);
    default:
        return {};
    }
}

// Every card number of a cart but its last four digits as X, whether written as an attribute or an element:
// the same as the procedure that hands out carts does on the client side.
const char* const MaskFunction = R"sql(CREATE FUNCTION zev_mask_card_numbers(data TEXT) RETURNS TEXT
LANGUAGE plpgsql IMMUTABLE AS $body$
DECLARE
    masked TEXT := '';
    next_from INTEGER := 1;
    found_at INTEGER;
    card TEXT;
BEGIN
    IF data IS NULL THEN
        RETURN NULL;
    END IF;
    LOOP
        found_at := regexp_instr(data, '\yCARD_NO\s*(=\s*["'']|>)', next_from, 1, 1);
        EXIT WHEN found_at = 0;
        card := substring(substr(data, found_at) FROM '^[^"''<]*');
        masked := masked || substr(data, next_from, found_at - next_from) ||
            CASE WHEN length(card) < 4 THEN card ELSE repeat('X', length(card) - 4) || right(card, 4) END;
        next_from := found_at + length(card);
    END LOOP;
    RETURN masked || substr(data, next_from);
END
$body$)sql";

const char* const CartColumns = "shopping_cart_no, store_no, inserted_datetime, status_id, salesorder_no, "
                                "customer_no, external_customer_no, notify_email_address";

bool RoleExists(SqlSession& session, const QString& role) {
    return session.scalar(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {role}).isValid();
}

bool Exists(SqlSession& session, const QString& sql) {
    return session.scalar(sql).isValid();
}

// The privileges, row security and policies of the schema's tables, to tell whether granting changed any.
QString Privileges(SqlSession& session) {
    return session
        .scalar(QStringLiteral(
            "SELECT COALESCE((SELECT nspacl::text FROM pg_namespace WHERE oid = "
            "current_schema()::regnamespace), "
            "'') || '|' || COALESCE(string_agg(c.relname || ' ' || COALESCE(c.relacl::text, '') || ' ' || "
            "c.relrowsecurity::text || ' ' || COALESCE((SELECT string_agg(a.attname || '=' || "
            "a.attacl::text, "
            "',' ORDER BY a.attnum) FROM pg_attribute a WHERE a.attrelid = c.oid AND a.attacl IS NOT NULL), "
            "'') || ' ' || COALESCE((SELECT string_agg(p.polname, ',' ORDER BY p.polname) FROM pg_policy p "
            "WHERE p.polrelid = c.oid), ''), ';' ORDER BY c.relname), '') FROM pg_class c "
            "WHERE c.relnamespace = current_schema()::regnamespace"))
        .toString();
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
    // On a team's server only the administering login changes the tables.
    if (found > 0 && found < version && session.backend() == Backend::PostgreSQL &&
        !session.scalar(QStringLiteral("SELECT has_schema_privilege(current_schema(), 'CREATE')")).toBool())
        throw RuntimeError(
            ErrorNumbers::ProviderError,
            QStringLiteral("The database has version %1 of the store tables and this program "
                           "needs version %2; an administrator upgrades it with \"zevstore-admin "
                           "init\".")
                .arg(found)
                .arg(version));
    for (int step = found + 1; step <= version; ++step) {
        Transaction transaction(session);
        if (step == 1)
            session.execute(QStringLiteral("CREATE TABLE zev_schema_version (version INTEGER NOT NULL)"));
        for (const QString& statement : Step(session, step))
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
            QStringLiteral("zev_schema_version"),
            History};
}

QStringList HistoryTables() {
    QStringList tables;
    for (const Kept& kept : KeptTables)
        tables << QString::fromLatin1(kept.table);
    return tables;
}

QStringList HistoryKey(const QString& table) {
    for (const Kept& kept : KeptTables)
        if (table == QLatin1String(kept.table))
            return QString::fromLatin1(kept.key).split(QLatin1Char(' '));
    return {};
}

Access AccessOf(const QString& table) {
    if (table == QLatin1String("zev_user") || table == QLatin1String("zev_user_right"))
        return Access::Directory;
    if (table == QLatin1String("zev_schema_version"))
        return Access::Version;
    if (table == QLatin1String("zev_shopping_cart"))
        return Access::Carts;
    if (table == History)
        return Access::History;
    if (table.startsWith(QLatin1String("zev_store")) && table != QLatin1String("zev_store_customer"))
        return Access::StoreData;
    return Access::HostData;
}

QString GroupRoles::ofRight(const QString& right) const {
    if (right.compare(HostRights::Store, Qt::CaseInsensitive) == 0)
        return store;
    if (right.compare(HostRights::StoreAdmin, Qt::CaseInsensitive) == 0)
        return storeAdmin;
    if (right.compare(HostRights::ViewCardNumbers, Qt::CaseInsensitive) == 0)
        return viewCard;
    return {};
}

GroupRoles Groups(SqlSession& session) {
    QSqlQuery names = session.run(QStringLiteral("SELECT current_database(), current_schema()"));
    names.next();
    QString base = names.value(0).toString();
    if (const QString schema = names.value(1).toString(); schema != QLatin1String("public"))
        base += QLatin1Char('_') + schema;
    // A role name holds 63 bytes; the longest ending is 16.
    if (base.toUtf8().size() > 47) {
        const QString hash = QString::fromLatin1(
            QCryptographicHash::hash(base.toUtf8(), QCryptographicHash::Md5).toHex().left(8));
        while (base.toUtf8().size() > 38)
            base.chop(1);
        base += QLatin1Char('_') + hash;
    }
    return {base + QStringLiteral("_users"), base + QStringLiteral("_store"),
            base + QStringLiteral("_storeadmin"), base + QStringLiteral("_store_view_card")};
}

bool HasGroups(SqlSession& session) {
    return session.backend() == Backend::PostgreSQL && RoleExists(session, Groups(session).users);
}

QString Quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QStringList Secure(SqlSession& session) {
    if (session.backend() != Backend::PostgreSQL)
        return {};
    Transaction transaction(session);
    // Role names are the whole server's: two administrators at once wait for each other here.
    session.run(QStringLiteral("SELECT pg_advisory_xact_lock(2326)"));
    const GroupRoles groups = Groups(session);
    QStringList done, created;
    for (const QString& role : groups.all())
        if (!RoleExists(session, role)) {
            session.execute(QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(Quoted(role)));
            created << role;
        }
    if (!created.isEmpty())
        done << QStringLiteral("Group roles created: %1.").arg(created.join(QStringLiteral(", ")));

    const QString before = Privileges(session);
    const QString readers = Quoted(groups.store) + QStringLiteral(", ") + Quoted(groups.storeAdmin);
    const auto grant = [&](const QString& what, const QString& table, const QString& to) {
        session.execute(QStringLiteral("GRANT %1 ON %2 TO %3").arg(what, table, to));
    };
    const auto policy = [&](const QString& table, const QString& name, const QString& rule) {
        session.execute(QStringLiteral("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY").arg(table));
        if (!session
                 .scalar(QStringLiteral("SELECT 1 FROM pg_policy WHERE polname = ? AND polrelid = "
                                        "to_regclass(?)"),
                         {name, table})
                 .isValid())
            session.execute(QStringLiteral("CREATE POLICY %1 ON %2 %3").arg(name, table, rule));
    };
    // Only the administering login creates anything in the schema.
    session.execute(QStringLiteral("REVOKE CREATE ON SCHEMA %1 FROM PUBLIC")
                        .arg(Quoted(session.scalar(QStringLiteral("SELECT current_schema()")).toString())));
    session.execute(QStringLiteral("GRANT USAGE ON SCHEMA %1 TO PUBLIC")
                        .arg(Quoted(session.scalar(QStringLiteral("SELECT current_schema()")).toString())));
    if (!Exists(session, QStringLiteral("SELECT 1 FROM pg_proc WHERE proname = 'zev_mask_card_numbers' AND "
                                        "pronamespace = current_schema()::regnamespace")))
        session.execute(QString::fromUtf8(MaskFunction));
    if (!Exists(session, QStringLiteral("SELECT 1 WHERE to_regclass('%1') IS NOT NULL").arg(MaskedCarts)))
        session.execute(
            QStringLiteral("CREATE VIEW %1 AS SELECT %2, zev_mask_card_numbers(shopping_cart_data) "
                           "AS shopping_cart_data FROM zev_shopping_cart")
                .arg(MaskedCarts, QString::fromLatin1(CartColumns)));
    grant(QStringLiteral("SELECT"), MaskedCarts, readers);
    for (const QString& table : Tables()) {
        switch (AccessOf(table)) {
        case Access::Directory:
            grant(QStringLiteral("SELECT"), table, Quoted(groups.users));
            policy(table, QStringLiteral("zev_own_rows"),
                   QStringLiteral("FOR SELECT USING (user_id = session_user)"));
            break;
        case Access::Version:
            grant(QStringLiteral("SELECT"), table, QStringLiteral("PUBLIC"));
            break;
        case Access::StoreData:
            grant(QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), table, readers);
            break;
        case Access::HostData:
            grant(QStringLiteral("SELECT"), table, readers);
            // Installing a register takes it, uninstalling frees it.
            if (table == QLatin1String("zev_register"))
                grant(QStringLiteral("UPDATE (status_id)"), table, readers);
            break;
        case Access::History:
            grant(QStringLiteral("SELECT"), table, readers);
            break;
        case Access::Carts:
            grant(QStringLiteral("SELECT (%1)").arg(QString::fromLatin1(CartColumns)), table, readers);
            grant(QStringLiteral("SELECT"), table, Quoted(groups.viewCard));
            // The card right alone reads no order.
            policy(table, QStringLiteral("zev_store_readers"),
                   QStringLiteral("FOR SELECT TO %1 USING (true)").arg(readers));
            break;
        }
    }
    if (Privileges(session) != before)
        done << QStringLiteral("Privileges on the tables granted to the group roles %1.")
                    .arg(groups.all().join(QStringLiteral(", ")));
    transaction.commit();
    return done;
}

} // namespace Schema
