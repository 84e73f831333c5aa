// The dialog layer on Qt 6 Widgets: the three dialogs built in code, message boxes and the folder
// picker.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QByteArray>
#include <QDialog>
#include <QLocale>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "dialogs/dialog_layer.h"

namespace mapbasis {

// Texts cross into Qt here: cp1251 inside, UTF-16 in the widgets.
QString ToQt(std::string_view cp1251);
std::string FromQt(const QString& text);  // characters cp1251 lacks become question marks

// The object name of a control, by which tests find it: "id1015".
QString ControlName(int controlId);

// A dialog whose controls are found by their ids. Lists run their callback only when the user
// changes them; closing buttons (ids 1 and 2) end the modal run with their id.
class QtDialog final : public Dialog {
 public:
  QtDialog(std::unique_ptr<QDialog> dialog, std::map<int, QWidget*> controls);

  void SetText(int controlId, std::string_view text) override;
  std::string GetText(int controlId) const override;
  std::string GetTextUtf8(int controlId) const override;
  void SetItemCount(int controlId, int count) override;
  void SetItemText(int controlId, int item, std::string_view text) override;
  void SetSelection(int controlId, int item) override;
  int GetSelection(int controlId) const override;
  void SetEnabled(int controlId, bool enabled) override;
  void SetFocus(int controlId) override;
  void DlgSetSub(int controlId, Callback callback) override;
  int DlgModal() override;
  void DlgEnd(int buttonId) override;

  QDialog& widget() { return *dialog_; }

 private:
  QWidget* Control(int controlId) const;
  template <class W>
  W* ControlAs(int controlId) const;
  void Dispatch(int controlId, DialogReason reason);

  std::unique_ptr<QDialog> dialog_;
  std::map<int, QWidget*> controls_;
  std::map<int, Callback> callbacks_;
  QByteArray placement_;  // where the dialog stood when it last closed; empty before that
};

// The dialogs 101, 106 and 113 as widgets (qt_resources.cpp); null for any other number.
std::unique_ptr<QtDialog> BuildDialog(int resourceId);

// Loads Qt's own translations (the folder picker, the buttons of message boxes) for `locale`, or
// Russian, the language of the dialogs, when Qt has none for it; replaces those loaded before.
// Returns the language loaded ("ru", "de"), empty when none could be.
QString InstallQtTranslations(const QLocale& locale);

// The information dialog's picture: a map sheet with its graticule and frame.
QPixmap SheetPicture(QSize size);

// The width a window needs for its title to show whole in a window manager's title bar.
int TitleWidth(const QString& title);

// The dialogs and boxes are the program's only windows, as on Windows: there is no main window.
class QtToolkit final : public DialogToolkit {
 public:
  // Needs the QApplication. Loads Qt's translations for the user's locale and gives the
  // application the program's icon.
  QtToolkit();

  std::unique_ptr<Dialog> DlgInit(int resourceId) override;
  void ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) override;
  std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& initial,
                                                    std::string_view title) override;
};

}  // namespace mapbasis
