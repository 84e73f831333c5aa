// The entry of the dialogs module: makes the Qt application, its main window and the interactive
// shell over the Qt dialogs. The program loads this module only for a run without arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QtGlobal>

#include "core/cp1251.h"
#include "core/messages.h"
#include "dialogs/dialog_shell.h"
#include "dialogs/qt/qt_toolkit.h"
#include "driver/interactive_module.h"
#include "driver/program.h"

namespace mapbasis {

namespace {

// QApplication keeps these for its whole life.
int gArgc = 1;
char gProgramName[] = "mapbasis";
char* gArgv[] = {gProgramName, nullptr};

// What Qt said while the application was starting.
struct StartupMessage {
  QtMsgType type;
  QString text;
};
std::vector<StartupMessage> gStartupMessages;

// Qt reports a display it cannot open as a fatal message and then aborts the process. Such a run
// ends like any run without a display: one line, status 8. Other messages wait until the start
// is over, so that a failed start says nothing else.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type != QtFatalMsg) {
    gStartupMessages.push_back({type, text});
    return;
  }
  const QString why = gStartupMessages.empty() ? text : gStartupMessages.front().text;
  const std::string line =
      Cp1251ToUtf8(Tr("cannot show the dialogs: %1", FromQt(why.section(QLatin1Char('\n'), 0, 0))));
  std::fprintf(stderr, "mapbasis: %s\n", line.c_str());
  std::fflush(stderr);
  std::_Exit(kExitNotDone);
}

bool DisplayNamed() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::unique_ptr<QApplication> StartApplication() {
  const QtMessageHandler previous = qInstallMessageHandler(StartupMessageHandler);
  auto app = std::make_unique<QApplication>(gArgc, gArgv);
  qInstallMessageHandler(previous);
  for (const StartupMessage& m : gStartupMessages) {
    if (m.type == QtDebugMsg || m.type == QtInfoMsg) {
      qInfo("%s", qUtf8Printable(m.text));
    } else {
      qWarning("%s", qUtf8Printable(m.text));
    }
  }
  gStartupMessages.clear();
  return app;
}

class ModuleShell final : public InteractiveShell {
 public:
  explicit ModuleShell(std::unique_ptr<QApplication> app)
      : app_(std::move(app)), shell_(toolkit_, std::cerr) {}

  void ShowInfoDialog() override { shell_.ShowInfoDialog(); }
  DialogVerdict RunParameterDialog(SheetParameters& p) override {
    return shell_.RunParameterDialog(p);
  }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    shell_.ShowMessage(text, caption, icon);
  }

 private:
  std::unique_ptr<QApplication> app_;  // null when the application was there already
  QtToolkit toolkit_;
  DialogShell shell_;
};

}  // namespace

}  // namespace mapbasis

extern "C" __attribute__((visibility("default"))) bool mapbasis_open_dialogs(
    char* reason, std::size_t reasonSize, mapbasis_dialogs_handle* handle) {
  using namespace mapbasis;
  static_assert(std::is_same_v<decltype(&mapbasis_open_dialogs), InteractiveShellFactory>);
  // Nothing thrown leaves the module: the program on the other side has a C++ runtime of its own.
  try {
    std::unique_ptr<QApplication> app;
    if (QCoreApplication::instance() == nullptr) {
      if (!DisplayNamed()) {
        WriteReasonLine(
            reason, reasonSize,
            Cp1251ToUtf8(Tr("cannot show the dialogs: no display (neither DISPLAY nor "
                            "WAYLAND_DISPLAY is set); run it on a desktop, or give the path of a "
                            "parameter file")));
        return false;
      }
      app = StartApplication();
      QCoreApplication::setApplicationName(QStringLiteral("mapbasis"));
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
      WriteReasonLine(reason, reasonSize,
                      Cp1251ToUtf8(Tr("the dialogs need a widget application, and another "
                                      "kind is running")));
      return false;
    }
    *handle = HandOverShell(std::make_unique<ModuleShell>(std::move(app)));
    return true;
  } catch (const std::exception& e) {
    WriteReasonLine(reason, reasonSize, e.what());
  } catch (...) {
    WriteReasonLine(reason, reasonSize, {});
  }
  return false;
}
