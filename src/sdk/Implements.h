#pragma once

#include "sdk/AppServer.h"

#include <QString>
#include <QtPlugin>
#include <memory>

class QWidget;

// The host's plug-in interface, implemented by every module control the host embeds.
// The host calls SetAppServer, Setup, Enable and finally ShutDown.
class Implements {
public:
    virtual ~Implements() = default;

    virtual void Enable() = 0;
    virtual QString ProgID() = 0;
    virtual void SetAppServer(const std::shared_ptr<AppServer>& appServer) = 0;
    virtual void ShowAbout() = 0;
    virtual void Setup() = 0;
    virtual QString GetApplicationName() = 0;
    virtual void ShutDown() = 0;
};

// A module's control as the host holds it: the widget to embed and its plug-in contract (the same object).
struct ModuleControl {
    QWidget* widget = nullptr;
    Implements* contract = nullptr;
};

// What a module's Qt plug-in offers the host: its control, created as a child of the host's window.
class ModulePlugin {
public:
    virtual ~ModulePlugin() = default;
    virtual ModuleControl CreateControl(QWidget* parent) = 0;
};

#define ZevModulePlugin_iid "com.zev.ModulePlugin/1.0"
Q_DECLARE_INTERFACE(ModulePlugin, ZevModulePlugin_iid)
