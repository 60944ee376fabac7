#pragma once

#include "store/host/ServiceTest.h"
#include "support/ModalScript.h"

#include <QPushButton>

// What the product editor tests share: the scripted connection and the service over it with a scripted item
// picker.
class ProductEditorTest : public ServiceTest {
protected:
    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
};
