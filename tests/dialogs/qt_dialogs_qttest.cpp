// The Qt face on Qt's offscreen platform, no display needed: the dialogs have every control the
// logic addresses, each of the kind the logic expects, and a whole interactive run is driven
// through the module by a robot that clicks and types.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "core/path_separator.h"
#include "dialogs/qt/qt_toolkit.h"
#include "dialogs/scripted_toolkit.h"
#include "driver/interactive_module.h"
#include "driver/program.h"
#include "support/layer_reader.h"
#include "support/temp_dir.h"

// Fontconfig keeps its caches for the life of the process; the leak checker of the sanitized
// build would report them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace mapbasis {
namespace {

using testing::TempDir;

// The dialogs run on Qt's offscreen platform unless the environment names another.
void UseOffscreenPlatform() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// With MAPBASIS_SCREENSHOTS naming a folder, the dialogs are saved there as the robot sees them,
// for a person to look at.
void Snap(QWidget& widget, const char* name) {
  if (const char* folder = std::getenv("MAPBASIS_SCREENSHOTS")) {
    widget.grab().save(QString::fromUtf8(folder) + QLatin1Char('/') + Q(name) + ".png");
  }
}

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "mapbasis_qt_tests";
  static char* argv[] = {name, nullptr};
  UseOffscreenPlatform();
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

TEST(QtDialogs, EveryControlIsThereAsItsKind) {
  EnsureApplication();
  const std::set<int> lists = {1015, 1011, 1012, 1005, 1007, 1008, 1006};
  const std::set<int> editable = {1055, 1056, 1057, 1058, 1034, 1043, 1044, 1045};
  for (const auto& [resource, ids] : testing::kDialogControls) {
    SCOPED_TRACE(resource);
    const std::unique_ptr<QtDialog> dialog = BuildDialog(resource);
    ASSERT_NE(dialog, nullptr);
    for (const int id : ids) {
      QWidget* control = dialog->widget().findChild<QWidget*>(ControlName(id));
      ASSERT_NE(control, nullptr) << id;
      if (lists.count(id)) {
        EXPECT_TRUE(qobject_cast<QComboBox*>(control)) << id;
      }
      if (auto* field = qobject_cast<QLineEdit*>(control)) {
        EXPECT_EQ(field->isReadOnly(), editable.count(id) == 0) << id;
      }
    }
  }
  EXPECT_EQ(BuildDialog(107), nullptr);

  // The main window: a corner of the screen with its menus.
  QtToolkit toolkit;
  EXPECT_EQ(toolkit.mainWindow().pos(), QPoint(0, 0));
  Snap(toolkit.mainWindow(), "main-window");
  QStringList entries;
  for (QAction* menu : toolkit.mainWindow().menuBar()->actions()) {
    entries << menu->text();
    for (QAction* entry : menu->menu()->actions()) {
      entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
      EXPECT_TRUE(entry->isEnabled());
    }
  }
  EXPECT_EQ(entries,
            (QStringList{"&Games", "&TicTacToe", "-", "E&xit", "&Help", "&QuickWin Help"}));
}

// Acts on the modal dialogs as they come up, one step for each. A step that does not come within
// the time given fails the test, and then everything still open is cancelled so the run ends.
class Robot {
 public:
  struct Step {
    const char* expect;  // the dialog's object name, or a class: QMessageBox, QFileDialog
    std::function<void(QWidget&)> act;
  };

  explicit Robot(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(25);
    deadline_ = Clock::now() + std::chrono::seconds(30);
  }

  bool done() const { return next_ == steps_.size(); }

 private:
  using Clock = std::chrono::steady_clock;

  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (failed_) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      return;
    }
    if (next_ == steps_.size()) return;
    if (Clock::now() > deadline_) {
      ADD_FAILURE() << "step " << next_ << " (" << steps_[next_].expect << ") did not come";
      failed_ = true;
      return;
    }
    if (modal == nullptr || !modal->isVisible()) return;
    const Step& step = steps_[next_];
    if (modal->objectName() != QLatin1String(step.expect) && !modal->inherits(step.expect)) return;
    ++next_;  // before acting: the action may open a dialog whose loop ticks again
    step.act(*modal);
  }

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool failed_ = false;
  Clock::time_point deadline_;
  QTimer timer_;
};

template <class W>
W& Control(QWidget& dialog, int id) {
  W* control = dialog.findChild<W*>(ControlName(id));
  if (control == nullptr) {
    ADD_FAILURE() << "no control " << id;
    std::abort();
  }
  return *control;
}

QString Text(QWidget& dialog, int id) { return Control<QLineEdit>(dialog, id).text(); }

void Type(QWidget& dialog, int id, const char* text) {
  auto& field = Control<QLineEdit>(dialog, id);
  field.selectAll();
  QTest::keyClicks(&field, Q(text));
}

// Clicks once the robot's step is over, as a person's click comes from the event loop.
void Click(QWidget& dialog, int id) {
  QTimer::singleShot(0, &Control<QAbstractButton>(dialog, id), &QAbstractButton::click);
}

void ClickOk(QWidget& box) {
  QAbstractButton* ok = static_cast<QMessageBox&>(box).button(QMessageBox::Ok);
  ASSERT_NE(ok, nullptr);
  QTimer::singleShot(0, ok, &QAbstractButton::click);
}

TEST(QtDialogs, InteractiveRunThroughTheModule) {
  TempDir dir;
  const QString folder =
      QString::fromStdU16String(dir.path().u16string()) + QLatin1Char(kPathSeparator);
  UseOffscreenPlatform();
  const LoadedShell loaded = LoadInteractiveShell(MAPBASIS_DIALOGS_MODULE);
  ASSERT_NE(loaded.shell, nullptr) << loaded.reason;

  // N-37-XIV, its trapezoid widened by half a degree on either side after one refused try.
  Robot robot({
      {"info",
       [](QWidget& d) {
         Snap(d, "106-info");
         Click(d, 1);
       }},
      {"parameters",
       [](QWidget& d) {
         Control<QComboBox>(d, 1015).setCurrentIndex(2);  // ГСК-2011
         Control<QComboBox>(d, 1005).setCurrentIndex(7);  // N
         Control<QComboBox>(d, 1007).setCurrentIndex(4);  // 37
         Control<QComboBox>(d, 1008).setCurrentIndex(13);
         EXPECT_EQ(Control<QComboBox>(d, 1006).count(), 1);
         Click(d, 1013);
       }},
      {"QFileDialog",
       [&](QWidget& d) {
         auto& picker = static_cast<QFileDialog&>(d);
         EXPECT_EQ(picker.windowTitle(), Q("Поиск папки для рез. файлов"));
         picker.setDirectory(QString::fromStdU16String(dir.path().u16string()));
         QDialog& asDialog = picker;  // accepting takes the folder shown
         QTimer::singleShot(0, &picker, [&asDialog] { asDialog.accept(); });
       }},
      {"parameters",
       [&](QWidget& d) {
         EXPECT_EQ(Text(d, 1027), folder);
         Snap(d, "101-parameters");
         Click(d, 1014);
       }},
      {"refinement",
       [](QWidget& d) {
         EXPECT_EQ(Text(d, 1035), Q("Стандартный  лист"));
         EXPECT_EQ(Text(d, 1038), Q("37° 00'"));
         EXPECT_EQ(Text(d, 1044), Q("1"));
         Type(d, 1055, "36 30");
         Click(d, 1049);
       }},
      {"refinement",
       [](QWidget& d) {
         EXPECT_EQ(Text(d, 1055), Q("36° 30'"));
         EXPECT_EQ(Text(d, 1053), Q("1° 30'"));
         EXPECT_EQ(Text(d, 1050), Q("Базовая трапеция изменена!"));
         Snap(d, "113-refinement");
         Type(d, 1057, "39");
         Type(d, 1045, "0");
         Click(d, 1);
       }},
      {"QMessageBox",
       [](QWidget& box) {
         auto& message = static_cast<QMessageBox&>(box);
         EXPECT_EQ(message.windowTitle(), Q("Ошибка в уточнении параметров"));
         EXPECT_EQ(message.text(),
                   Q("Ошибка в задании скорректированного значения конечной долготы\n"
                     "Ошибка в задании цены минутной рамки по широте"));
         EXPECT_EQ(message.icon(), QMessageBox::Warning);
         Snap(box, "box-refinement-error");
         ClickOk(box);
       }},
      {"refinement",
       [](QWidget& d) {
         EXPECT_EQ(Text(d, 1057), Q("39° 00'"));
         Type(d, 1057, "38 30");
         Type(d, 1045, "1");
         Click(d, 1);
       }},
      {"parameters", [](QWidget& d) { Click(d, 1); }},
      {"QMessageBox",
       [](QWidget& box) {
         auto& message = static_cast<QMessageBox&>(box);
         EXPECT_EQ(message.windowTitle(), Q("Состояние обработки"));
         EXPECT_EQ(message.text(), Q("Задание выполнено"));
         EXPECT_EQ(message.icon(), QMessageBox::Information);
         Snap(box, "box-done");
         ClickOk(box);
       }},
  });
  EXPECT_EQ(RunInteractive(*loaded.shell), kExitDone);
  EXPECT_TRUE(robot.done());

  const auto area = testing::ReadLayerFiles(dir.path() / "HYPS" / "HypsA");
  ASSERT_TRUE(area.ok);
  ASSERT_EQ(area.shapes.size(), 1u);
  const auto& x = area.shapes[0].x;
  EXPECT_DOUBLE_EQ(*std::min_element(x.begin(), x.end()), 36.5);
  EXPECT_DOUBLE_EQ(*std::max_element(x.begin(), x.end()), 38.5);
  EXPECT_EQ(area.Value(0, "Name"), "N-37-XIV");
  EXPECT_NE(area.prj.find("2011"), std::string::npos);
}

}  // namespace
}  // namespace mapbasis
