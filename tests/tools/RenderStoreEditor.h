#pragma once

#include <QString>
#include <cstdint>

class CStoreMaint;

// Renders the store editor of the store on its groups, fees, payments and confirmation document tabs into
// folder; returns the number of pictures written.
int RenderStoreEditor(CStoreMaint& maint, int32_t storeNo, const QString& folder);
