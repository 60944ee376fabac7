#pragma once

#include "sdk/Implements.h"

#include <QObject>

// The Qt plug-in through which the host loads the Store Maintenance control.
class StorePlugin : public QObject, public ModulePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZevModulePlugin_iid)
    Q_INTERFACES(ModulePlugin)
public:
    ModuleControl CreateControl(QWidget* parent) override;
};
