// The interactive run with a stand-in for the dialogs: the outcome of each path, its message box
// and its exit status.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/path_separator.h"
#include "driver/program.h"
#include "geometry/sheet_trapezoid.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::TempDir;

struct Message {
  std::string text, caption;  // UTF-8
  MessageIcon icon;
};

class FakeShell : public InteractiveShell {
 public:
  explicit FakeShell(std::string folder) : folder_(std::move(folder)) {}

  void STARTDIALOG() override { calls.push_back("start"); }

  std::int32_t RUNDIALOG1(SheetParameters& p) override {
    calls.push_back("dialog");
    if (cancel) return 1;
    // The dialog's defaults: U-33-I, СК-42, 1:200 000.
    p.CS = 1;
    p.Belt = 1;
    p.Zone = 33;
    p.SheetNo = 1;
    StoreBaseParameters(COMPUTEBASEPARAMETERS(0, 1, 33, 1, 0), p);
    UseBaseTrapezoid(p);
    p.MeridianStep = meridianStep;
    p.Path = folder_;
    return 0;
  }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.push_back({Cp1251ToUtf8(text), Cp1251ToUtf8(caption), icon});
  }

  bool cancel = false;
  double meridianStep = 0.25;
  std::vector<std::string> calls;
  std::vector<Message> messages;

 private:
  std::string folder_;
};

std::string Folder(const std::filesystem::path& p) { return *Cp1251FromPath(p) + kPathSeparator; }

TEST(InteractiveRun, SuccessSaysTaskDone) {
  TempDir dir;
  FakeShell shell(Folder(dir.path()));
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 0);
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"start", "dialog"}));
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text, "Задание выполнено");
  EXPECT_EQ(shell.messages[0].caption, "Состояние обработки");
  EXPECT_EQ(shell.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "HYPS" / "HypsL.shp"));
  EXPECT_TRUE(err.str().empty());
}

TEST(InteractiveRun, CancelEndsWithoutMessage) {
  TempDir dir;
  FakeShell shell(Folder(dir.path()));
  shell.cancel = true;
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 8);
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(InteractiveRun, MissingResultFolderIsReported) {
  TempDir dir;
  FakeShell shell(Folder(dir.path() / "missing"));
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 8);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text, "Не существует заданная папка результата");
  EXPECT_EQ(shell.messages[0].caption, "Задание НЕ ВЫПОЛНЕНО");
  EXPECT_EQ(shell.messages[0].icon, MessageIcon::Error);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

TEST(InteractiveRun, UncreatableSubFoldersAreReported) {
  const struct {
    const char* blocker;
    const char* text;
  } cases[] = {{"HYPS", "Не удалось создать папку HYPS"},
               {"FRAME", "Не удалось создать папку FRAME"}};
  for (const auto& c : cases) {
    TempDir dir;
    std::ostringstream err;
    FakeShell first(Folder(dir.path()));
    ASSERT_EQ(RunProgram({}, &first, err, err), 0);
    std::filesystem::remove_all(dir.path() / c.blocker);
    std::ofstream(dir.path() / c.blocker) << "a file, not a folder";
    FakeShell shell(Folder(dir.path()));
    EXPECT_EQ(RunProgram({}, &shell, err, err), 8);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, c.text);
    // The refusal leaves the other folder's layers of the first run as they were.
    for (const char* layer : {"HYPS/HypsA.shp", "HYPS/HypsL.shp", "FRAME/Frame.shp"}) {
      if (!std::string(layer).starts_with(c.blocker)) {
        EXPECT_TRUE(std::filesystem::exists(dir.path() / layer)) << layer;
      }
    }
  }
}

TEST(InteractiveRun, FailedGenerationEndsWithEightNotSixteen) {
  TempDir dir;
  FakeShell shell(Folder(dir.path()));
  shell.meridianStep = 1.0 / 600.0;  // far more meridians than a sheet can carry
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 8);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text, "Задание НЕ ВЫПОЛНЕНО");
  EXPECT_EQ(shell.messages[0].caption, "АВАРИЙНОЕ ЗАВЕРШЕНИЕ");
  EXPECT_EQ(shell.messages[0].icon, MessageIcon::Error);
}

TEST(InteractiveRun, WithoutDialogsTheProgramSaysSo) {
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, nullptr, err, err), 8);
  EXPECT_NE(err.str().find("interactive mode is not available"), std::string::npos);
}

}  // namespace
}  // namespace mapbasis
