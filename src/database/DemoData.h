#pragma once

#include "database/SqlConnection.h"
#include "database/SqlSession.h"

// A believable leisure business for the host's first run and for tests: three web stores (lift tickets,
// rentals and lessons, a gift shop) with their groups, products, items, links, lists, fees, pay methods,
// screens and extension items; the catalogue with prices by season; registers in every state; orders with
// cart XML; customers with change logs; and users with and without the store rights.
namespace DemoData {

// Users the demo knows: "admin" holds every right, "clerk" may use the store, "guest" none, "auditor" may
// see orders with card numbers.
void Seed(SqlSession& session);
// Creates (or opens) the SQLite file, creates the schema, seeds it when it is empty, makes loginName an
// administrator, and returns the connection signed in as loginName.
std::shared_ptr<SqlConnection> CreateDemoDatabase(const QString& path, const QString& loginName);

} // namespace DemoData
