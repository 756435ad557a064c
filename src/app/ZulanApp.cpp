#include "ZulanApp.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <charconv>
#include <iostream>

#include "SignalCloser.h"
#include "ZulanDlg.h"
#include "comm/CommLibrary.h"

namespace qv {

std::optional<std::optional<ZulanApp::Target>> ZulanApp::ParseArguments(
    const std::vector<std::string>& args, std::string* error) {
  if (args.empty()) return std::optional<Target>();
  if (args.size() != 2 || args[0] != "--connect") {
    *error = "usage: qvconsole [--connect HOST[:PORT]]";
    return std::nullopt;
  }
  Target target;
  const std::string& text = args[1];
  const auto colon = text.rfind(':');
  target.host = text.substr(0, colon);
  if (colon != std::string::npos) {
    const std::string port = text.substr(colon + 1);
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), target.port);
    if (port.empty() || ec != std::errc() || end != port.data() + port.size() || target.port < 1 ||
        target.port > 65535) {
      *error = "--connect: the port must be 1..65535";
      return std::nullopt;
    }
  }
  if (target.host.empty()) {
    *error = "--connect needs a host";
    return std::nullopt;
  }
  return std::optional<Target>(target);
}

int ZulanApp::Run(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string error;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto parsed = ParseArguments(args, &error);
  if (!parsed) {
    std::cerr << error << "\n";
    return 2;
  }
  // Made before the window, so that it outlives the window's shutdown and a
  // signal during start-up waits for the event loop.
  SignalCloser closer;
  if (!closer.catching()) {
    std::cerr << "qvconsole: SIGTERM and SIGINT will end the console without saving\n";
  }
  SettingsLocation location = SettingsLocation::FromProcess();
  if (!location.error().empty()) std::cerr << "qvconsole: " << location.error() << "\n";
  const std::filesystem::path shipped =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "lang";

  ZulanDlg window(std::make_unique<comm::CommLibrary>(), std::move(location));
  window.Start(QLocale::system().name().toStdString(), shipped);
  window.show();
  // A signal closes the console as its window's close button does: the link
  // shuts down and the project is saved. Quitting as well ends the run even
  // when another top-level window is still open.
  // Nobody may be there to answer a message box (a logout, a shutdown): what
  // the console would ask or tell goes to the terminal instead.
  QObject::connect(&closer, &SignalCloser::closeRequested, &window, [&window] {
    window.SetPrompts(
        {[](const QString& text) { std::cerr << "qvconsole: " << text.toStdString() << "\n"; },
         [](const QString&) { return false; }});
    window.close();
  });
  QObject::connect(&closer, &SignalCloser::closeRequested, &app, &QCoreApplication::quit);
  if (*parsed) {
    const Target target = **parsed;
    QTimer::singleShot(0, &window,
                       [&window, target] { window.ConnectTo(target.host, target.port); });
  }
  return app.exec();
}

}  // namespace qv
