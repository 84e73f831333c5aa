// The interactive run with a stand-in for the dialogs: the outcome of each path, its message box
// and its exit status.
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/messages.h"
#include "driver/program.h"
#include "geometry/sheet_trapezoid.h"
#include "platform/files.h"
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
  // An interactive run speaks Russian from then on; the tests after this one speak as before it.
  ~FakeShell() override { SetMessageLanguage(languageBefore_); }

  void ShowInfoDialog() override { calls.push_back("start"); }

  DialogVerdict RunParameterDialog(SheetParameters& p) override {
    calls.push_back("dialog");
    if (cancel) return DialogVerdict::kCancelled;
    // The dialog's defaults: U-33-I, СК-42, 1:200 000.
    p.CS = 1;
    p.Belt = 1;
    p.Zone = 33;
    p.SheetNo = 1;
    StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
    UseBaseTrapezoid(p);
    p.MeridianStep = meridianStep;
    p.MapScale = mapScale;
    p.Path = folder_;
    return DialogVerdict::kConfirmed;
  }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.push_back({Cp1251ToUtf8(text), Cp1251ToUtf8(caption), icon});
  }

  bool cancel = false;
  double meridianStep = 0.25;
  std::int32_t mapScale = 0;
  std::vector<std::string> calls;
  std::vector<Message> messages;

 private:
  std::string folder_;
  Language languageBefore_ = MessageLanguage();
};

std::string Folder(const std::filesystem::path& p) {
  return *Cp1251FromPath(p) + platform::kPathSeparator;
}

std::string Utf8Folder(const std::filesystem::path& p) { return Cp1251ToUtf8(*Cp1251FromPath(p)); }

TEST(InteractiveRun, SuccessSaysWhatWasMadeAndWhere) {
  TempDir dir;
  FakeShell shell(Folder(dir.path()));
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 0);
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"start", "dialog"}));
  ASSERT_EQ(shell.messages.size(), 1u);
  // The usual words first, then the facts, a line each.
  EXPECT_EQ(shell.messages[0].text,
            "Задание выполнено\r\rЛист: U-33-I\rСистема координат: СК-42\r"
            "Масштаб карты: 1 : 200 000\rHYPS: " +
                Utf8Folder(dir.path() / "HYPS") + "\rFRAME: " + Utf8Folder(dir.path() / "FRAME"));
  EXPECT_EQ(shell.messages[0].caption, "Состояние обработки");
  EXPECT_EQ(shell.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "HYPS" / "HypsL.shp"));
  EXPECT_TRUE(err.str().empty());

  // Run again into the same folder, the box says the earlier layers were replaced.
  const std::string first = shell.messages[0].text;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 0);
  ASSERT_EQ(shell.messages.size(), 2u);
  EXPECT_EQ(shell.messages[1].text, first + "\r\rСлои прежнего запуска в этих папках заменены.");

  // At 1:1 000 000 the sheet has no frame layers: earlier layers in HYPS alone are said too.
  shell.mapScale = 2;
  for (int run = 0; run < 2; ++run) EXPECT_EQ(RunProgram({}, &shell, err, err), 0);
  ASSERT_EQ(shell.messages.size(), 4u);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "FRAME"));
  EXPECT_TRUE(shell.messages[3].text.ends_with("Слои прежнего запуска в этих папках заменены."))
      << shell.messages[3].text;
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

// A missing result folder is made, as in a batch run.
TEST(InteractiveRun, MissingResultFolderIsMade) {
  TempDir dir;
  FakeShell shell(Folder(dir.path() / "new" / "sheet"));
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, &shell, err, err), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "new" / "sheet" / "FRAME" / "Frame.shp"));
}

// Each kind of failure: the box keeps its usual text and caption first and adds the reason.
TEST(InteractiveRun, FailureBoxesSayWhy) {
  const struct Case {
    const char* what;
    const char* blocker;  // a file standing where a folder goes
    std::string sub;      // the result folder below the temporary one
    double meridianStep;
    std::string text, caption, reason;
  } cases[] = {
      {"result folder", "out", "out/x", 0.25, "Не существует заданная папка результата",
       "Задание НЕ ВЫПОЛНЕНО", "не удалось создать папку результата"},
      {"HYPS", "HYPS", "", 0.25, "Не удалось создать папку HYPS", "Задание НЕ ВЫПОЛНЕНО", "HYPS"},
      {"FRAME", "FRAME", "", 0.25, "Не удалось создать папку FRAME", "Задание НЕ ВЫПОЛНЕНО",
       "FRAME"},
      // Far more meridians than a sheet can carry: refused before anything is made.
      {"generation", nullptr, "", 1.0 / 600.0, "Задание НЕ ВЫПОЛНЕНО", "АВАРИЙНОЕ ЗАВЕРШЕНИЕ",
       "меридианов; задайте большее MeridianStep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    std::ostringstream err;
    const bool subFolder = c.blocker && c.sub.empty();
    if (subFolder) {
      // A first run fills both folders; the refusal must leave the other one as it was.
      FakeShell first(Folder(dir.path()));
      ASSERT_EQ(RunProgram({}, &first, err, err), 0);
      std::filesystem::remove_all(dir.path() / c.blocker);
    }
    if (c.blocker) std::ofstream(dir.path() / c.blocker) << "a file, not a folder";
    FakeShell shell(Folder(c.sub.empty() ? dir.path() : dir.path() / c.sub));
    shell.meridianStep = c.meridianStep;
    EXPECT_EQ(RunProgram({}, &shell, err, err), 8);
    ASSERT_EQ(shell.messages.size(), 1u);
    const Message& m = shell.messages[0];
    EXPECT_EQ(m.text.substr(0, c.text.size() + 2), c.text + "\r\r");
    EXPECT_NE(m.text.find(c.reason, c.text.size()), std::string::npos) << m.text;
    EXPECT_EQ(m.text.find('\r', c.text.size() + 2), std::string::npos) << "one line of reason";
    EXPECT_EQ(m.caption, c.caption);
    EXPECT_EQ(m.icon, MessageIcon::Error);
    if (!c.blocker) {
      EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
    for (const char* layer : {"HYPS/HypsA.shp", "HYPS/HypsL.shp", "FRAME/Frame.shp"}) {
      if (subFolder && !std::string(layer).starts_with(c.blocker)) {
        EXPECT_TRUE(std::filesystem::exists(dir.path() / layer)) << layer;
      }
    }
  }
}

// What the generation throws reaches the box, which a user started from the desktop sees, and not
// only the console, which he does not.
TEST(InteractiveRun, WhatTheRunThrowsIsShownInTheBox) {
  const struct {
    std::function<void()> fail;
    std::string reason;
  } cases[] = {
      {[] { throw std::runtime_error("a failure the run did not foresee"); },
       "a failure the run did not foresee"},
      {[] { throw std::bad_alloc(); }, "не хватило памяти"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    TempDir dir;
    FakeShell shell(Folder(dir.path()));
    GenerationStages stages = StandardStages();
    stages.frame = [&](const SheetParameters&, const ResultFolders&, GenerationWork&) -> Outcome {
      c.fail();
      return Success();
    };
    EXPECT_EQ(RunInteractive(shell, stages), 8);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "Задание НЕ ВЫПОЛНЕНО\r\r" + c.reason);
    EXPECT_EQ(shell.messages[0].caption, "АВАРИЙНОЕ ЗАВЕРШЕНИЕ");
    EXPECT_EQ(shell.messages[0].icon, MessageIcon::Error);
  }
}

TEST(InteractiveRun, WithoutDialogsTheProgramSaysSo) {
  std::ostringstream err;
  EXPECT_EQ(RunProgram({}, nullptr, err, err), 8);
  EXPECT_NE(err.str().find("interactive mode is not available"), std::string::npos);
}

}  // namespace
}  // namespace mapbasis
