#pragma once

#include <QString>

class CStoreMaint;

// Renders the product, product item, link and list item editors filled from the demo database into folder.
// Returns the number of pictures written.
int RenderProductEditors(CStoreMaint& maint, const QString& folder);
