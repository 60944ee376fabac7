#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs with a QApplication on the offscreen platform, so widgets work without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZevStore"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
