#include "store/plugin/StorePlugin.h"

#include "store/control/Store.h"

ModuleControl StorePlugin::CreateControl(QWidget* parent) {
    auto* control = new Store(parent);
    return {control, control};
}
