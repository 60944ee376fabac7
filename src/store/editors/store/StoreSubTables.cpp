#include "store/editors/store/StoreSubTables.h"

std::vector<SubTableDescription> StoreSubTables() {
    return {GroupsTable(), ListsTable(), FeesTable(), PayMethodsTable(), ScreensTable(), ExtensionsTable()};
}
