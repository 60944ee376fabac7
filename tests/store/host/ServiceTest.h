#pragma once

#include "store/host/CStoreMaint.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"

// The module's service over the scripted connection, handed over by a host as the real one does.
class ServiceTest : public RecordTest {
protected:
    ServiceTest() {
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};
