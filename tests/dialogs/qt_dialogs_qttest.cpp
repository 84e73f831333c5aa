// The Qt face on Qt's offscreen platform, no display needed: the dialogs have every control the
// logic addresses, each of the kind the logic expects, and a whole interactive run is driven
// through the module by a robot that clicks and types.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "dialogs/dialog_description.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_shell.h"
#include "dialogs/qt/qt_toolkit.h"
#include "dialogs/scripted_toolkit.h"
#include "driver/interactive_module.h"
#include "driver/program.h"
#include "platform/files.h"
#include "support/layer_reader.h"
#include "support/temp_dir.h"

// Fontconfig keeps its caches for the life of the process, and on a real X display Qt's D-Bus
// connection keeps a buffer of libdbus; the leak checker of the sanitized build would report them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

// Failures show Qt's texts as text.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
void PrintTo(const QPoint& at, std::ostream* os) { *os << '(' << at.x() << ", " << at.y() << ')'; }

namespace mapbasis {
namespace {

using testing::TempDir;

// The dialogs run on Qt's offscreen platform unless the environment names another.
void UseOffscreenPlatform() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The object name of a dialog, for the robot that waits for it: its name in the description.
const char* Named(int resource) { return FindDialog(resource)->name.c_str(); }

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

// Every control of the description is there as its widget: a list as a list, a field read-only
// as the description has it, the default button; every text the description gives (labels, group
// boxes, buttons) shows; each dialog has its title, and the keyboard walks the controls in the
// description's order.
TEST(QtDialogs, EveryControlIsThereAsItsKind) {
  EnsureApplication();
  for (const DialogDescription& description : ProgramDialogs()) {
    SCOPED_TRACE(description.name);
    const std::unique_ptr<QtDialog> dialog = BuildDialog(description.resource);
    ASSERT_NE(dialog, nullptr);
    QDialog& widget = dialog->widget();
    EXPECT_EQ(widget.windowTitle(), Q(description.title));
    QStringList shown;
    for (const QLabel* label : widget.findChildren<QLabel*>()) shown << label->text();
    for (const QGroupBox* group : widget.findChildren<QGroupBox*>()) shown << group->title();
    for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>()) {
      shown << button->text();
    }
    std::vector<int> tabStops;
    for (const ControlDescription& c : description.controls) {
      if (!c.text.empty()) {
        EXPECT_TRUE(shown.removeOne(Q(c.text))) << "no \"" << c.text << "\"";
      }
      if (c.TabStop()) tabStops.push_back(c.id);
      if (c.id < 0) continue;
      QWidget* control = widget.findChild<QWidget*>(ControlName(c.id));
      ASSERT_NE(control, nullptr) << c.id;
      switch (c.kind) {
        case ControlKind::List: EXPECT_TRUE(qobject_cast<QComboBox*>(control)) << c.id; break;
        case ControlKind::Field: {
          const auto* field = qobject_cast<QLineEdit*>(control);
          EXPECT_TRUE(field != nullptr && field->isReadOnly() == c.readOnly) << c.id;
          break;
        }
        case ControlKind::Button: {
          const auto* button = qobject_cast<QPushButton*>(control);
          EXPECT_TRUE(button != nullptr && button->isDefault() == c.isDefault) << c.id;
          break;
        }
        default: EXPECT_TRUE(qobject_cast<QLabel*>(control)) << c.id; break;
      }
    }

    std::vector<int> walked;
    QWidget* first = widget.findChild<QWidget*>(ControlName(tabStops.front()));
    QWidget* at = first;
    do {
      const QString name = at->objectName();
      if (name.startsWith(QLatin1String("id")) && at->focusPolicy() & Qt::TabFocus) {
        walked.push_back(name.mid(2).toInt());
      }
      at = at->nextInFocusChain();
    } while (at != first);
    EXPECT_EQ(walked, tabStops);
  }
  EXPECT_EQ(BuildDialog(107), nullptr);

  // No main window, as on Windows: the toolkit shows nothing of its own, and every window has
  // the program's icon. Each dialog is wide enough for its title.
  QtToolkit toolkit;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
  }
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  for (const int resource : {106, 101, 113}) {
    const std::unique_ptr<QtDialog> dialog = BuildDialog(resource);
    dialog->widget().adjustSize();
    EXPECT_GE(dialog->widget().width(), TitleWidth(dialog->widget().windowTitle())) << resource;
    EXPECT_FALSE(dialog->widget().windowTitle().trimmed().isEmpty()) << resource;
  }
}

// Acts on the modal dialogs as they come up, one step for each. A step whose dialog has not come
// a minute after the step before (a hang, not slowness) fails the test, and then everything still
// open is cancelled so the run ends.
class Robot {
 public:
  struct Step {
    const char* expect;  // the dialog's object name, or a class: QMessageBox, QFileDialog
    std::function<void(QWidget&)> act;
  };

  explicit Robot(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(25);
    deadline_ = Clock::now() + kStepDeadline;
  }

  bool done() const { return next_ == steps_.size(); }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kStepDeadline{60};

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
    // A dialog that has just closed may still be running its loop; the one under it acts only
    // once that loop is over, as the user would see it.
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && widget->isModal()) ++shown;
    }
    if (QThread::currentThread()->loopLevel() > shown) return;
    const Step& step = steps_[next_];
    if (modal->objectName() != QLatin1String(step.expect) && !modal->inherits(step.expect)) return;
    ++next_;  // before acting: the action may open a dialog whose loop ticks again
    deadline_ = Clock::now() + kStepDeadline;
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

// The information dialog's own texts name no program; its title does, for its taskbar entry. On
// an X display the title the window manager shows is read back.
void ExpectNamedForTheTaskbar(QWidget& dialog) {
  const QString title = Q(FindDialog(ids::kInfoDialog)->title);
  EXPECT_EQ(dialog.windowTitle(), title);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(dialog.winId()),
                                        QStringLiteral("_NET_WM_NAME")});
  ASSERT_TRUE(xprop.waitForFinished(60000));
  const QString names = QString::fromUtf8(xprop.readAllStandardOutput());
  EXPECT_TRUE(names.contains(title)) << names.toStdString();
}

TEST(QtDialogs, InteractiveRunThroughTheModule) {
  TempDir dir;
  const QString folder =
      QString::fromStdU16String(dir.path().u16string()) + QLatin1Char(platform::kPathSeparator);
  UseOffscreenPlatform();
  const LoadedShell loaded = LoadInteractiveShell(MAPBASIS_DIALOGS_MODULE);
  ASSERT_NE(loaded.shell, nullptr) << loaded.reason;

  // N-37-XIV, its trapezoid widened by half a degree on either side after one refused try.
  QPoint refinementPlace;
  Robot robot({
      {Named(ids::kInfoDialog),
       [](QWidget& d) {
         Snap(d, "106-info");
         ExpectNamedForTheTaskbar(d);
         Click(d, ids::kOk);
       }},
      {Named(ids::kParameterDialog),
       [](QWidget& d) {
         Control<QComboBox>(d, ids::kCoordinateSystem).setCurrentIndex(2);  // ГСК-2011
         Control<QComboBox>(d, ids::kBelt).setCurrentIndex(7);              // N
         Control<QComboBox>(d, ids::kZone).setCurrentIndex(4);              // 37
         Control<QComboBox>(d, ids::kSheetNumber).setCurrentIndex(13);
         EXPECT_EQ(Control<QComboBox>(d, ids::kSheetKind).count(), 1);
         // A folder typed as a user would, which the picked one then replaces; the picture shows
         // it rather than the test's own temporary folder, so that it comes out the same each time.
         Type(d, ids::kResultFolder, "/home/user/maps/N-37-XIV/");
         EXPECT_EQ(Control<QLabel>(d, ids::kSheetView).text(),
                   Q("N-37-XIV:  54° 00' – 54° 40' с. ш.,  37° 00' – 38° 00' в. д."));
         Snap(d, "101-parameters");
         Click(d, ids::kFindFolderButton);
       }},
      {"QFileDialog",
       [&](QWidget& d) {
         auto& picker = static_cast<QFileDialog&>(d);
         EXPECT_EQ(picker.windowTitle(), Q("Поиск папки для рез. файлов"));
         picker.setDirectory(QString::fromStdU16String(dir.path().u16string()));
         QDialog& asDialog = picker;  // accepting takes the folder shown
         QTimer::singleShot(0, &picker, [&asDialog] { asDialog.accept(); });
       }},
      {Named(ids::kParameterDialog),
       [&](QWidget& d) {
         EXPECT_EQ(Text(d, ids::kResultFolder), folder);
         // Enter now presses OK, not the folder button.
         EXPECT_EQ(d.focusWidget(), &Control<QAbstractButton>(d, ids::kOk));
         Click(d, ids::kRefineButton);
       }},
      {Named(ids::kRefinementDialog),
       [](QWidget& d) {
         EXPECT_EQ(Text(d, ids::kBaseKind), Q("Стандартный  лист"));
         EXPECT_EQ(Text(d, ids::kBaseWest), Q("37° 00'"));
         EXPECT_EQ(Text(d, ids::kResultxMinute), Q("1"));
         Type(d, ids::kResultWest, "36 30");
         Click(d, ids::kTestButton);
       }},
      {Named(ids::kRefinementDialog),
       [&](QWidget& d) {
         EXPECT_EQ(Text(d, ids::kResultWest), Q("36° 30'"));
         EXPECT_EQ(Text(d, ids::kResultWidth), Q("1° 30'"));
         EXPECT_EQ(Text(d, ids::kTestStatus), Q("Базовая трапеция изменена!"));
         Snap(d, "113-refinement");
         refinementPlace = d.geometry().topLeft();
         Type(d, ids::kResultEast, "39");
         Type(d, ids::kResultyMinute, "0");
         Click(d, ids::kOk);
       }},
      {"QMessageBox",
       [](QWidget& box) {
         auto& message = static_cast<QMessageBox&>(box);
         EXPECT_EQ(message.windowTitle(), Q("Ошибка в уточнении параметров"));
         EXPECT_EQ(message.text(),
                   Q("Ошибка в задании скорректированного значения конечной долготы (допустимо: "
                     "западнее 39° 00')\n"
                     "Ошибка в задании цены минутной рамки по широте (целые минуты от 1 до 59)"));
         EXPECT_EQ(message.icon(), QMessageBox::Warning);
         Snap(box, "box-refinement-error");
         ClickOk(box);
       }},
      {Named(ids::kRefinementDialog),
       [&](QWidget& d) {
         // A window manager places a window shown again a moment after it appears (a moment
         // that a busy machine stretches: half a minute turns only a misplaced dialog into a
         // failure). The place is that of the dialog's inside: the frame may not be known at once.
         EXPECT_TRUE(
             QTest::qWaitFor([&] { return d.geometry().topLeft() == refinementPlace; }, 30000))
             << "the dialog moved from " << refinementPlace.x() << ", " << refinementPlace.y()
             << " to " << d.geometry().x() << ", " << d.geometry().y();
         EXPECT_EQ(Text(d, ids::kTestStatus), Q(""));
         EXPECT_EQ(Text(d, ids::kResultEast), Q("39° 00'"));
         Type(d, ids::kResultEast, "38 30");
         Type(d, ids::kResultyMinute, "1");
         Click(d, ids::kOk);
       }},
      {Named(ids::kParameterDialog),
       [](QWidget& d) {
         EXPECT_EQ(Control<QLabel>(d, ids::kSheetView).text(),
                   Q("N-37-XIV:  54° 00' – 54° 40' с. ш.,  36° 30' – 38° 30' в. д.  (уточнено)"));
         Click(d, ids::kOk);
       }},
      {"QMessageBox",
       [&](QWidget& box) {
         auto& message = static_cast<QMessageBox&>(box);
         EXPECT_EQ(message.windowTitle(), Q("Состояние обработки"));
         EXPECT_EQ(message.text(), Q("Задание выполнено\n\nЛист: N-37-XIV\nСистема координат: "
                                     "ГСК-2011\nМасштаб карты: 1 : 200 000\nHYPS: ") +
                                       folder + Q("HYPS\nFRAME: ") + folder + Q("FRAME"));
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

// The folder picker speaks the user's language where Qt has it, else Russian, and offers to make
// a new folder.
TEST(QtDialogs, PickerSpeaksTheUsersLanguageOrRussian) {
  EnsureApplication();
  QtToolkit toolkit;
  const QStringList russian = {"Перейти к:", "Каталог:", "&Выбрать", "Отмена", "Создать папку"};
  const struct Case {
    QLocale locale;
    const char* language;
    QStringList texts;  // look in, folder, choose, cancel, new folder
  } cases[] = {
      {QLocale(QLocale::Russian, QLocale::Russia), "ru", russian},
      {QLocale::c(), "ru", russian},
      {QLocale(QLocale::Kazakh, QLocale::Kazakhstan), "ru", russian},
      {QLocale(QLocale::Ukrainian, QLocale::Ukraine), "uk", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    EXPECT_EQ(InstallQtTranslations(c.locale), Q(c.language));
    QStringList texts;
    Robot robot({{"QFileDialog", [&texts](QWidget& d) {
                    texts << d.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text()
                          << d.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
                    auto* buttons = d.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                    for (QAbstractButton* button : buttons->buttons()) texts << button->text();
                    auto* newFolder =
                        d.findChild<QAbstractButton*>(QStringLiteral("newFolderButton"));
                    EXPECT_TRUE(newFolder->isVisibleTo(&d) && newFolder->isEnabled());
                    texts << newFolder->toolTip();
                    static_cast<QDialog&>(d).reject();
                  }}});
    EXPECT_EQ(toolkit.ChooseFolder(std::filesystem::temp_directory_path(), "x"), std::nullopt);
    EXPECT_TRUE(robot.done());
    if (!c.texts.isEmpty()) {
      EXPECT_EQ(texts, c.texts);
    }
    EXPECT_FALSE(texts.contains(QStringLiteral("Look in:")));
  }
  InstallQtTranslations(QLocale(QLocale::Russian, QLocale::Russia));
}

// A folder typed into the field, with a blank and Cyrillic letters and not there yet, is made by
// the run, and the final box names it.
TEST(QtDialogs, TypedFolderIsMadeAndNamed) {
  EnsureApplication();
  TempDir dir;
  const std::filesystem::path typed = dir.path() / std::filesystem::path(u8"новая папка") / "N-37";
  const QString folder =
      QString::fromStdU16String(typed.u16string()) + QLatin1Char(platform::kPathSeparator);
  QtToolkit toolkit;
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  Robot robot({
      {Named(ids::kInfoDialog), [](QWidget& d) { Click(d, ids::kOk); }},
      {Named(ids::kParameterDialog),
       [&](QWidget& d) {
         Control<QComboBox>(d, ids::kSeriesScale).setCurrentIndex(1);  // U-33 of the million series
         auto& field = Control<QLineEdit>(d, ids::kResultFolder);
         // Pasted, as QTest types only ASCII.
         field.setFocus();
         field.insert(QString::fromStdU16String(typed.u16string()));
         Click(d, ids::kOk);
       }},
      {"QMessageBox",
       [&](QWidget& box) {
         EXPECT_EQ(static_cast<QMessageBox&>(box).text(),
                   Q("Задание выполнено\n\nЛист: U-33\nСистема координат: СК-42\nМасштаб карты: "
                     "1 : 1 000 000\nHYPS: ") +
                       folder + Q("HYPS\nFRAME: ") + folder + Q("FRAME"));
         ClickOk(box);
       }},
  });
  EXPECT_EQ(RunInteractive(shell), kExitDone);
  EXPECT_TRUE(robot.done());
  EXPECT_TRUE(std::filesystem::exists(typed / "HYPS" / "HypsA.shp"));
}

}  // namespace
}  // namespace mapbasis
