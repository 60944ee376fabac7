#pragma once

#include "database/CatalogueEntry.h"
#include "database/CustomerRecord.h"
#include "database/PriceEntry.h"
#include "database/SqlSession.h"

#include <optional>
#include <vector>

// What the host application asks its database directly: the signed-in user's rights, and the lists behind
// its customer picker, item and package picker, price list and special offers. Use the session of the
// connection (SqlConnection::session()).
namespace HostQueries {

// Rights come from zev_user_right (user names match without regard to case); STOREADMIN includes STORE.
bool HasPermission(SqlSession& session, const QString& user, const QString& right);

// Customers whose number, name, e-mail or city contains the text (all when it is empty), by last name.
std::vector<CustomerRecord> Customers(SqlSession& session, const QString& search = {});
std::optional<CustomerRecord> Customer(SqlSession& session, int32_t customerNo);

// Active catalogue items of one kind (ttoPhoto ... ttoTicket), every active item (ttoAll), or the active
// packages (ttoPackage); by number.
std::vector<CatalogueEntry> Catalogue(SqlSession& session, int16_t kind);

// The prices of an item or a package (give one of the two), for every store or one store's own as well.
std::vector<PriceEntry> Prices(SqlSession& session, int32_t itemNo, int32_t packageNo, int32_t storeNo = 0);
// Every discounted price: the special offers.
std::vector<PriceEntry> SpecialOffers(SqlSession& session);

} // namespace HostQueries
