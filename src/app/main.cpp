#include "app/ConsoleMessageService.h"
#include "app/HostAppServer.h"
#include "app/HostLauncher.h"
#include "app/MainWindow.h"
#include "app/ScreenshotRenderer.h"
#include "database/SqlConnection.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"

#include <QApplication>
#include <QDialog>
#include <cstdio>

namespace {

int Fail(const QString& message, bool interactive) {
    if (interactive)
        MsgBox(message, MsgBoxStyle::Critical);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

// Without anyone to answer: messages go to standard error and dialogs close at once.
void RunUnattended() {
    SetMessageService(std::make_shared<ConsoleMessageService>());
    SetModalHook([](QDialog* dialog) { dialog->hide(); });
}

int RenderScreenshots(HostLauncher& launcher, const QString& folder) {
    MainWindow& window = *launcher.Window();
    const ScreenshotRenderer::Showcase showcase =
        ScreenshotRenderer::FullestData(*launcher.Server()->Connection()->session());
    QString error;
    const QStringList files = ScreenshotRenderer(window, showcase).Render(folder, error);
    window.close();
    if (files.isEmpty())
        return Fail(error, false);
    for (const QString& file : files)
        std::printf("%s\n", qPrintable(file));
    return 0;
}

// --help and --version are answered before the window system is asked for, so they need no display.
bool AnsweredWithoutWindows(int argc, char** argv) {
    const QCoreApplication console(argc, argv);
    HostOptions options;
    QString message;
    if (HostOptions::Parse(QCoreApplication::arguments(), options, message) || !options.answered)
        return false;
    std::printf("%s\n", qPrintable(message));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("ZevStore"));
    QApplication::setApplicationVersion(QStringLiteral(ZEV_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zevstore"));
    if (AnsweredWithoutWindows(argc, argv))
        return 0;
    QApplication app(argc, argv);

    HostOptions options;
    QString message;
    if (!HostOptions::Parse(QApplication::arguments(), options, message)) {
        std::fprintf(options.answered ? stdout : stderr, "%s\n", qPrintable(message));
        return options.answered ? 0 : 2;
    }
    const bool interactive = options.screenshotDir.isEmpty();
    if (!interactive)
        RunUnattended();

    HostLauncher launcher(options, HostLauncher::DefaultPlaces());
    if (!launcher.Start())
        return Fail(launcher.Error(), interactive);
    MainWindow& window = *launcher.Window();
    if (!interactive) {
        if (!window.ModuleError().isEmpty())
            return Fail(window.ModuleError(), false);
        return RenderScreenshots(launcher, options.screenshotDir);
    }
    window.RememberPlacements();
    window.show();
    if (!window.ModuleError().isEmpty())
        MsgBox(window.ModuleError(), MsgBoxStyle::Exclamation);
    return QApplication::exec();
}
