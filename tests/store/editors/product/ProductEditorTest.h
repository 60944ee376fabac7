#pragma once

#include "store/host/CStoreMaint.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"

#include <QPushButton>

// What the product editor tests share: the scripted connection and the service over it with a scripted item
// picker.
class ProductEditorTest : public RecordTest {
protected:
    ProductEditorTest() {
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
    }

    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};
