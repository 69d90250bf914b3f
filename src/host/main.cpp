// The program entry of the ゆらほし runtime.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/mainwindow.h"
#include "host/qthost.h"
#include "platform/filesystem.h"
#include "platform/paths.h"

namespace {

// In console mode Qt's own diagnostics would mix with the script's output.
void QuietMessageHandler(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  const bool console = yura::ConsoleModeRequested();
  if (console) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessageHandler);
  }

  // Parameter 0 is the runtime itself; the script's parameters arrive in the
  // system's encoding and are kept as script texts.
  std::vector<std::string> parameters;
  parameters.push_back(yura::RuntimeExecutablePath());
  for (int i = 1; i < argc; ++i) parameters.push_back(yura::FromNativePath(argv[i]));

  // Qt never sees the script's arguments.
  static char programName[] = "yurahosi";
  static char* qtArgv[] = {programName, nullptr};
  int qtArgc = 1;
  QApplication application(qtArgc, qtArgv);
  application.setQuitOnLastWindowClosed(false);

  yura::TQtHost host(console);
  {
    yura::TfrmYura window(host, parameters);
    QTimer::singleShot(0, &window, &yura::TfrmYura::EventDoTimer);
    QApplication::exec();
  }
  return host.ExitStatus();
}
