#include "store/viewers/StoreCheck.h"

#include "store/data/DocumentFields.h"
#include "store/data/StoredProcedureCall.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"

namespace {

StoreCheck::Record RecordOf(const QString& finding) {
    using enum StoreCheck::Record;
    static const std::pair<const char*, StoreCheck::Record> kinds[] = {
        {"SELL", SellLink},   {"LISTITEM", ListItem}, {"PRODUCTITEM", ProductItem},
        {"PRODUCT", Product}, {"GROUP", Group},       {"FEE", Fee}};
    for (const auto& [name, record] : kinds)
        if (finding == QLatin1String(name))
            return record;
    return Document;
}

// The columns of "ZEV_SP_STORE_CheckStore" and where a finding keeps them.
using Finding = StoreCheck::Finding;
const std::pair<const char*, int32_t Finding::*> NumberColumns[] = {
    {"product_no", &Finding::productNo},  {"seq_no", &Finding::seqNo},
    {"price_no", &Finding::priceNo},      {"new_product_no", &Finding::newProductNo},
    {"new_seq_no", &Finding::newSeqNo},   {"new_price_no", &Finding::newPriceNo},
    {"list_seq_no", &Finding::listSeqNo}, {"product_group_no", &Finding::groupNo}};
const std::pair<const char*, QString Finding::*> TextColumns[] = {{"list_id", &Finding::listId},
                                                                  {"fee_id", &Finding::feeId},
                                                                  {"sell_code", &Finding::sellCode},
                                                                  {"description", &Finding::description}};

struct StoreDocument {
    const char* tab;
    const char* name;
    QString (CStore::*text)() const;
};
const StoreDocument Documents[] = {{"CONFIRM", "Confirmation document", &CStore::ConfirmationDocument},
                                   {"SHIP", "Ship document", &CStore::ShipDocument},
                                   {"MANUAL", "Manual document", &CStore::ManualDocument}};

} // namespace

QString StoreCheck::Finding::What() const {
    switch (record) {
    case Record::SellLink:
        return sellCode == QLatin1String("UPSELL")      ? QStringLiteral("Up-sell")
               : sellCode == QLatin1String("CROSSSELL") ? QStringLiteral("Cross-sell")
                                                        : QStringLiteral("Link");
    case Record::ListItem:
        return QStringLiteral("List item");
    case Record::ProductItem:
        return QStringLiteral("Product item");
    case Record::Product:
        return QStringLiteral("Product");
    case Record::Group:
        return QStringLiteral("Group");
    case Record::Fee:
        return QStringLiteral("Fee");
    case Record::Document:
        break;
    }
    return QStringLiteral("Document");
}

QString StoreCheck::Finding::Where() const {
    const auto item = [](int32_t product, int32_t seq) {
        return QStringLiteral("%1/%2").arg(product).arg(seq);
    };
    switch (record) {
    case Record::SellLink:
        return item(productNo, seqNo) + QStringLiteral(" to ") + item(newProductNo, newSeqNo);
    case Record::ListItem:
        return QStringLiteral("List %1, entry %2").arg(listId).arg(listSeqNo);
    case Record::ProductItem:
        return QStringLiteral("Item ") + item(productNo, seqNo);
    case Record::Product:
        return QStringLiteral("Product %1").arg(productNo);
    case Record::Group:
        return QStringLiteral("Group %1").arg(groupNo);
    case Record::Fee:
        return QStringLiteral("Fee ") + feeId;
    case Record::Document:
        break;
    }
    for (const StoreDocument& known : Documents)
        if (document == QLatin1String(known.tab))
            return QLatin1String(known.name);
    return document;
}

QString StoreCheck::Finding::StoreTab() const {
    switch (record) {
    case Record::Group:
        return QStringLiteral("GROUP");
    case Record::Fee:
        return QStringLiteral("FEE");
    case Record::Document:
        return document;
    default:
        return {};
    }
}

bool StoreCheck::Run(int32_t storeNo, QList<Finding>& findings) {
    findings.clear();
    return ReadFindings(storeNo, findings) && CheckDocuments(storeNo, findings);
}

bool StoreCheck::ReadFindings(int32_t storeNo, QList<Finding>& findings) {
    return m_errors.Guard(m_service.ErrorObject(), QStringLiteral("Run"), [&] {
        StoredProcedureCall call(m_service.DBConnection(), QStringLiteral("ZEV_SP_STORE_CheckStore"));
        call.set(QStringLiteral("@store_no"), storeNo);
        if (!call.openRows())
            return false;
        for (; !call.atEnd(); call.next()) {
            Finding found;
            found.record = RecordOf(call.readText(QStringLiteral("finding")));
            for (const auto& [column, number] : NumberColumns)
                found.*number = call.readLong(QLatin1String(column));
            for (const auto& [column, text] : TextColumns)
                found.*text = call.readText(QLatin1String(column));
            findings.append(found);
        }
        return true;
    });
}

QStringList StoreCheck::KnownFields() {
    QStringList known;
    StoredProcedureCall call(m_service.DBConnection(),
                             QStringLiteral("ZEV_SP_ESTORE_GetStoreDocumentFields"));
    if (call.openRows())
        for (; !call.atEnd(); call.next())
            known << call.readText(QStringLiteral("field_id"));
    return known;
}

// One finding per document and field it uses that the field list does not know.
bool StoreCheck::CheckDocuments(int32_t storeNo, QList<Finding>& findings) {
    return m_errors.Guard(m_service.ErrorObject(), QStringLiteral("CheckDocuments"), [&] {
        CStore store;
        if (!store.OpenStore(m_service.DBConnection(), m_service.ErrorObject(), storeNo))
            return false;
        const DocumentFields fields(KnownFields());
        for (const StoreDocument& document : Documents)
            for (const QString& unknown : fields.UnknownIn((store.*document.text)())) {
                Finding found;
                found.record = Record::Document;
                found.document = QLatin1String(document.tab);
                found.description =
                    QStringLiteral("Uses the field %1, which the list of document fields does not know.")
                        .arg(unknown);
                findings.append(found);
            }
        return true;
    });
}
