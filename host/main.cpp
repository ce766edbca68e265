// A small host program: loads libQuorlan.so from its own folder (or, once
// installed, from the library folder) and opens the network configuration
// dialog for a player.
#include "catalogue/message_catalogue.h"
#include "host/ansi_text.h"
#include "host/host_texts.h"
#include "host/host_window.h"
#include "host/screenshot.h"
#include "platform/version_resource.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <memory>
#include <span>
#include <string_view>

namespace {

bool AsksForHelp(std::span<char* const> args) {
    for (const std::string_view arg : args) {
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all") {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (platform::PrintVersionIfAsked({argv + 1, argv + argc}, "quorlan-host", std::cout)) {
        return 0;
    }
    // Help needs no display either: a core application is enough to print it.
    const std::unique_ptr<QCoreApplication> application =
        AsksForHelp({argv + 1, argv + argc}) ? std::make_unique<QCoreApplication>(argc, argv)
                                             : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorlan-host"));
    // Desktops match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kordavin.quorlan"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the KORDAVIN network configuration dialog for a player."));
    parser.addHelpOption();
    const QCommandLineOption devicePath(QStringLiteral("device-path"),
                                        QStringLiteral("The player's SD card folder."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption deviceName(QStringLiteral("device-name"),
                                        QStringLiteral("The player's display name."),
                                        QStringLiteral("NAME"));
    const QCommandLineOption open(QStringLiteral("open"),
                                  QStringLiteral("Open the dialog at once."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Open the dialog, save it as a PNG file, close it with Exit, and end."),
        QStringLiteral("FILE"));
    // Handled before the application exists; listed here for --help.
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the version and end."));
    parser.addOptions({devicePath, deviceName, open, screenshot, version});
    parser.process(*application);

    // The window speaks the language the dialog will.
    SelectLanguageFromLocale();

    const QString libraryPath = QString::fromStdString(
        FindQuorlanLibrary(QApplication::applicationDirPath().toStdString()));
    const CQuorlanLibrary library(libraryPath.toStdString());
    if (!library.IsLoaded()) {
        const QString error = HostText(EHostText::kCannotLoad)
                                  .arg(libraryPath, QString::fromStdString(library.Error()));
        std::fprintf(stderr, "quorlan-host: %s\n", qPrintable(error));
        if (!parser.isSet(screenshot)) {
            QMessageBox::critical(nullptr, QString::fromLatin1(kHostWindowTitle), error);
        }
        return 1;
    }

    CHostWindow window(library, parser.value(devicePath), parser.value(deviceName));
    if (const QString reason = window.NotPassableReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "quorlan-host: %s\n", qPrintable(reason));
        return 2;
    }
    if (parser.isSet(screenshot)) {
        const CDialogScreenshot capture(FromAnsi(library.WindowName()), parser.value(screenshot));
        window.OpenDialog();
        if (!capture.Saved()) {
            std::fprintf(stderr, "quorlan-host: could not save %s\n",
                         qPrintable(parser.value(screenshot)));
            return 1;
        }
        return 0;
    }
    window.show();
    if (parser.isSet(open)) {
        QTimer::singleShot(0, &window, [&window] { window.OpenDialog(); });
    }
    return QApplication::exec();
}
