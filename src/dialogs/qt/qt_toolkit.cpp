#include "dialogs/qt/qt_toolkit.h"

#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QTranslator>
#include <QtGlobal>

#include "core/cp1251.h"
#include "dialogs/dialog_ids.h"
#include "driver/shell_texts.h"

namespace mapbasis {

namespace {

// Room for what a window manager puts in a title bar besides the title: the icon and the
// buttons, with some margin.
constexpr int kTitleBarRoom = 160;

QMessageBox::Icon QtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Exclamation: break;
  }
  return QMessageBox::Warning;
}

// A message holds its lines separated by kMessageLineBreak.
QString MessageText(std::string_view cp1251) {
  QString text = ToQt(cp1251);
  const QChar lineBreak = QLatin1Char(kMessageLineBreak);
  text.replace(QString(lineBreak) + QLatin1Char('\n'), QStringLiteral("\n"));
  text.replace(lineBreak, QLatin1Char('\n'));
  return text;
}

}  // namespace

QString ToQt(std::string_view cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

std::string FromQt(const QString& text) { return Utf8ToCp1251Lossy(text.toStdString()); }

QString ControlName(int controlId) { return QStringLiteral("id%1").arg(controlId); }

QtDialog::QtDialog(std::unique_ptr<QDialog> dialog, std::map<int, QWidget*> controls)
    : dialog_(std::move(dialog)), controls_(std::move(controls)) {
  for (const auto& [id, widget] : controls_) {
    widget->setObjectName(ControlName(id));
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
      // Changes made through this layer block the signal: only the user's reach the callback.
      QObject::connect(list, &QComboBox::currentIndexChanged, dialog_.get(),
                       [this, id = id] { Dispatch(id, DialogReason::SelectionChanged); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (id == ids::kOk || id == ids::kCancel) {
        QObject::connect(button, &QAbstractButton::clicked, dialog_.get(),
                         [this, id = id] { dialog_->done(id); });
      } else {
        QObject::connect(button, &QAbstractButton::clicked, dialog_.get(),
                         [this, id = id] { Dispatch(id, DialogReason::Clicked); });
      }
    }
  }
}

QWidget* QtDialog::Control(int controlId) const {
  const auto found = controls_.find(controlId);
  if (found != controls_.end()) return found->second;
  qWarning("mapbasis: dialog %s has no control %d", qUtf8Printable(dialog_->objectName()),
           controlId);
  return nullptr;
}

template <class W>
W* QtDialog::ControlAs(int controlId) const {
  QWidget* control = Control(controlId);
  W* typed = qobject_cast<W*>(control);
  if (control != nullptr && typed == nullptr) {
    qWarning("mapbasis: control %d of dialog %s is a %s", controlId,
             qUtf8Printable(dialog_->objectName()), control->metaObject()->className());
  }
  return typed;
}

void QtDialog::SetText(int controlId, std::string_view text) {
  QWidget* control = Control(controlId);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(ToQt(text));
    edit->setCursorPosition(0);  // a long path shows its beginning
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(ToQt(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(ToQt(text));
  }
}

std::string QtDialog::GetText(int controlId) const {
  QWidget* control = Control(controlId);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return FromQt(edit->text());
  if (auto* label = qobject_cast<QLabel*>(control)) return FromQt(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return FromQt(button->text());
  return {};
}

std::string QtDialog::GetTextUtf8(int controlId) const {
  if (auto* edit = qobject_cast<QLineEdit*>(Control(controlId))) return edit->text().toStdString();
  return Cp1251ToUtf8(GetText(controlId));
}

void QtDialog::SetItemCount(int controlId, int count) {
  auto* list = ControlAs<QComboBox>(controlId);
  if (list == nullptr) return;
  const QSignalBlocker quiet(list);
  while (list->count() > count && list->count() > 0) list->removeItem(list->count() - 1);
  while (list->count() < count) list->addItem(QString());
}

void QtDialog::SetItemText(int controlId, int item, std::string_view text) {
  auto* list = ControlAs<QComboBox>(controlId);
  if (list == nullptr || item < 1 || item > list->count()) return;
  const QSignalBlocker quiet(list);
  list->setItemText(item - 1, ToQt(text));
}

void QtDialog::SetSelection(int controlId, int item) {
  auto* list = ControlAs<QComboBox>(controlId);
  if (list == nullptr) return;
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(item >= 1 && item <= list->count() ? item - 1 : -1);
}

int QtDialog::GetSelection(int controlId) const {
  const auto* list = ControlAs<QComboBox>(controlId);
  return list == nullptr ? 0 : list->currentIndex() + 1;
}

void QtDialog::SetEnabled(int controlId, bool enabled) {
  if (QWidget* control = Control(controlId)) control->setEnabled(enabled);
}

void QtDialog::SetFocus(int controlId) {
  QWidget* control = Control(controlId);
  if (control == nullptr) return;
  control->setFocus(Qt::OtherFocusReason);
  // As the keyboard's Tab does: what is typed replaces the field's text.
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void QtDialog::DlgSetSub(int controlId, Callback callback) {
  if (Control(controlId) != nullptr) callbacks_[controlId] = std::move(callback);
}

int QtDialog::DlgModal() {
  // Shown again (after a message box, say), the dialog stands where the user left it.
  if (!placement_.isEmpty()) dialog_->restoreGeometry(placement_);
  // Closing the window (or Escape) rejects the dialog with 0: that is Cancel.
  const int closedBy = dialog_->exec();
  placement_ = dialog_->saveGeometry();
  return closedBy == QDialog::Rejected ? ids::kCancel : closedBy;
}

void QtDialog::DlgEnd(int buttonId) {
  if (dialog_->isVisible()) dialog_->done(buttonId);
}

void QtDialog::Dispatch(int controlId, DialogReason reason) {
  const auto found = callbacks_.find(controlId);
  if (found == callbacks_.end()) return;
  const Callback callback = found->second;  // the callback may register another
  callback(*this, controlId, reason);
}

QString InstallQtTranslations(const QLocale& locale) {
  // One set at a time, owned by the application.
  static QTranslator* installed = nullptr;
  if (installed != nullptr) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
      !translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                        QStringLiteral("_"), folder)) {
    return {};
  }
  QCoreApplication::installTranslator(translator.get());
  installed = translator.release();
  return installed->language().section(QLatin1Char('_'), 0, 0);
}

int TitleWidth(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarRoom;
}

QtToolkit::QtToolkit() {
  InstallQtTranslations(QLocale::system());
  // The dialogs and boxes are the program's only windows, as on Windows: each has the program's
  // icon for its taskbar entry, and none needs a main window behind it.
  QApplication::setWindowIcon(QIcon(SheetPicture(QSize(64, 64))));
}

std::unique_ptr<Dialog> QtToolkit::DlgInit(int resourceId) { return BuildDialog(resourceId); }

void QtToolkit::ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) {
  QMessageBox box(QtIcon(icon), ToQt(caption), MessageText(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  // A box as wide as its caption needs: a short text would leave the caption cut.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(
        new QSpacerItem(TitleWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

std::optional<std::filesystem::path> QtToolkit::ChooseFolder(const std::filesystem::path& initial,
                                                             std::string_view title) {
  QFileDialog picker(nullptr, ToQt(title), QString::fromStdU16String(initial.u16string()));
  // Qt's own picker, in the language of the translations loaded at start, with its button that
  // makes a new folder; the desktop's would follow the desktop's language.
  picker.setOption(QFileDialog::DontUseNativeDialog, true);
  picker.setFileMode(QFileDialog::Directory);
  picker.setOption(QFileDialog::ShowDirsOnly, true);
  picker.setAcceptMode(QFileDialog::AcceptOpen);
  if (picker.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = picker.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  // Qt writes paths with slashes everywhere; the record holds the platform's separator.
  return std::filesystem::path(QDir::toNativeSeparators(chosen.front()).toStdU16String());
}

}  // namespace mapbasis
