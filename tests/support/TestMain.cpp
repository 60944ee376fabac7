#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

namespace {

// Outside a test's own script, a message box or a modal dialog would wait for a user forever: fail instead.
class UnexpectedMessages : public MessageService {
public:
    int32_t Show(const QString& prompt, int32_t, const QString& title) override {
        ADD_FAILURE() << "unexpected message: \"" << prompt.toStdString() << "\" (" << title.toStdString()
                      << ")";
        return MsgBoxResult::Cancel;
    }
};

} // namespace

// Every test binary runs with a QApplication on the offscreen platform, so widgets work without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZevStore"));
    SetMessageService(std::make_shared<UnexpectedMessages>());
    SetModalHook([](QDialog* dialog) {
        ADD_FAILURE() << "unexpected dialog " << dialog->metaObject()->className();
        dialog->hide();
    });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
