// The three dialogs as Qt widgets: the information dialog, the main parameter dialog and the
// refinement dialog. Layouts size themselves to their texts, so nothing is clipped whatever the
// font; the logic fills the lists and fields through the control ids.
#include <map>
#include <memory>

#include <QComboBox>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "dialogs/dialog_ids.h"
#include "dialogs/qt/qt_toolkit.h"

namespace mapbasis {

namespace {

using namespace ids;

// The widgets of one dialog and the ids they answer to.
class Resource {
 public:
  Resource(const char* name, const char* title) : dialog_(std::make_unique<QDialog>()) {
    dialog_->setObjectName(QString::fromUtf8(name));
    dialog_->setWindowTitle(QString::fromUtf8(title));
    // Read-only fields look like the base values they hold, not like entries.
    dialog_->setStyleSheet(
        QStringLiteral("QLineEdit[readOnly=\"true\"] { background: palette(window); }"));
  }

  QDialog* dialog() { return dialog_.get(); }

  template <class W>
  W* Add(int id, W* widget) {
    controls_[id] = widget;
    return widget;
  }

  QComboBox* List(int id) {
    auto* list = Add(id, new QComboBox);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
  }

  QLineEdit* Field(int id, bool readOnly, int characters) {
    auto* field = Add(id, new QLineEdit);
    field->setReadOnly(readOnly);
    // The keyboard walks through what can be changed.
    if (readOnly) field->setFocusPolicy(Qt::ClickFocus);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * characters);
    return field;
  }

  QPushButton* Button(int id, const char* text) {
    return Add(id, new QPushButton(QString::fromUtf8(text)));
  }

  // OK (the default button) and Cancel at the right.
  QHBoxLayout* ClosingButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    Button(kOk, "OK")->setDefault(true);
    row->addWidget(controls_[kOk]);
    row->addWidget(Button(kCancel, "Cancel"));
    return row;
  }

  std::unique_ptr<QtDialog> Finish(QLayout* layout) {
    // At least as wide as the title needs, so that a window manager does not cut it.
    auto* whole = new QVBoxLayout;
    whole->addLayout(layout);
    whole->addSpacerItem(new QSpacerItem(TitleWidth(dialog_->windowTitle()), 0, QSizePolicy::Fixed,
                                         QSizePolicy::Fixed));
    dialog_->setLayout(whole);
    whole->setSizeConstraint(QLayout::SetFixedSize);
    return std::make_unique<QtDialog>(std::move(dialog_), std::move(controls_));
  }

 private:
  std::unique_ptr<QDialog> dialog_;
  std::map<int, QWidget*> controls_;
};

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }

// Width of a field showing an angle such as «186° 00'», in average characters.
constexpr int kAngleField = 10;
// Width of the kind of trapezoid, «Стандартный  лист».
constexpr int kKindField = 19;
// Width of the result folder, in average characters.
constexpr int kFolderField = 44;

std::unique_ptr<QtDialog> InfoDialog() {
  // The dialog's own texts name no program: its title does, for its taskbar entry.
  Resource r("info", "mapbasis — математическая основа листа");
  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("picture"));
  picture->setPixmap(SheetPicture(QSize(120, 156)));
  picture->setAlignment(Qt::AlignTop);

  auto* titles = new QGroupBox;
  auto* titleLines = new QVBoxLayout(titles);
  for (const char* line : {"ПРОГРАММА ГЕНЕРАЦИИ МАТЕМАТИЧЕСКОЙ ОСНОВЫ", "ЦИФРОВЫХ МОДЕЛЕЙ КАРТ",
                           "1 : 1 000 000  ", "1 : 200 000", "Версия 3.0"}) {
    QLabel* title = Label(line);
    title->setAlignment(Qt::AlignHCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    titleLines->addWidget(title);
  }
  QLabel* purpose = Label(
      "Формирование Shape-файлов, содержащих математическую основу листа по правилам "
      "нормативного документа:");
  purpose->setWordWrap(true);

  auto* text = new QVBoxLayout;
  text->addWidget(titles);
  text->addWidget(purpose);
  text->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  QPushButton* proceed = r.Button(kOk, "Продолжить");
  proceed->setDefault(true);
  buttons->addWidget(proceed);
  text->addLayout(buttons);

  auto* whole = new QHBoxLayout;
  whole->addWidget(picture);
  whole->addLayout(text, 1);
  return r.Finish(whole);
}

std::unique_ptr<QtDialog> ParameterDialog() {
  Resource r("parameters", "Задать параметры генерации математической основы карты");

  auto* scales = new QGridLayout;
  scales->addWidget(Label("Система координат:"), 0, 0);
  scales->addWidget(r.List(kCoordinateSystem), 0, 1, Qt::AlignLeft);
  scales->addWidget(Label("Масштаб комплекта :"), 1, 0);
  scales->addWidget(r.List(kSeriesScale), 1, 1, Qt::AlignLeft);
  scales->addWidget(Label("Масштаб карты (схемы) :"), 2, 0);
  scales->addWidget(r.List(kMapScale), 2, 1, Qt::AlignLeft);
  scales->setColumnStretch(1, 1);

  auto* sheet = new QHBoxLayout;
  sheet->addWidget(Label("Пояс"));
  sheet->addWidget(r.List(kBelt));
  sheet->addSpacing(12);
  sheet->addWidget(Label("Зона"));
  sheet->addWidget(r.List(kZone));
  sheet->addSpacing(12);
  sheet->addWidget(r.Add(kSheetNumberLabel, Label(" Номер листа")));
  sheet->addWidget(r.List(kSheetNumber));
  sheet->addStretch(1);

  auto* base = new QGroupBox(QString::fromUtf8("Базовая трапеция --->"));
  auto* baseRows = new QVBoxLayout(base);
  auto* baseRow = new QHBoxLayout;
  baseRow->addWidget(r.List(kSheetKind));
  baseRow->addStretch(1);
  baseRow->addWidget(r.Button(kRefineButton, "Уточнить параметры разграфки"));
  baseRows->addLayout(baseRow);
  // The sheet the lists add up to, which the user may select and copy but not change.
  QLabel* sheetView = r.Add(kSheetView, new QLabel);
  sheetView->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sheetView->setTextFormat(Qt::PlainText);
  baseRows->addWidget(sheetView);

  // The folder is picked with «Найти», or typed or pasted.
  auto* folderRow = new QHBoxLayout;
  QLineEdit* folder = r.Field(kResultFolder, false, kFolderField);
  folderRow->addWidget(folder, 1);
  QPushButton* find = r.Button(kFindFolderButton, "Найти");
  folderRow->addWidget(find);

  auto* whole = new QVBoxLayout;
  whole->addLayout(scales);
  whole->addSpacing(6);
  whole->addLayout(sheet);
  whole->addWidget(base);
  whole->addSpacing(6);
  whole->addWidget(Label("Папка для рез. файлов"));
  whole->addLayout(folderRow);
  whole->addSpacing(6);
  whole->addLayout(r.ClosingButtons());
  std::unique_ptr<QtDialog> dialog = r.Finish(whole);
  // The keyboard walks the dialog from top to bottom, the folder field before its button.
  QWidget* previous = nullptr;
  for (const int id : {kCoordinateSystem, kSeriesScale, kMapScale, kBelt, kZone, kSheetNumber,
                       kSheetKind, kRefineButton, kResultFolder, kFindFolderButton, kOk, kCancel}) {
    QWidget* control = dialog->widget().findChild<QWidget*>(ControlName(id));
    if (previous != nullptr && control != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
  return dialog;
}

// One group of the refinement dialog: labels with their fields.
struct Row {
  const char* label;
  int id;
};

QGroupBox* Group(Resource& r, const char* caption, std::initializer_list<Row> rows, bool readOnly) {
  auto* group = new QGroupBox(QString::fromUtf8(caption));
  auto* form = new QFormLayout(group);
  for (const Row& row : rows) {
    if (row.label == nullptr) {
      // Keeps the rows of the two columns level where only the base column has a field.
      auto* gap = new QLineEdit;
      QSizePolicy keep = gap->sizePolicy();
      keep.setRetainSizeWhenHidden(true);
      gap->setSizePolicy(keep);
      gap->hide();
      form->addRow(new QLabel, gap);
      continue;
    }
    const bool fieldReadOnly = readOnly || row.id == kResultWidth || row.id == kResultHeight;
    const int width = row.id == kBaseKind ? kKindField : kAngleField;
    form->addRow(Label(row.label), r.Field(row.id, fieldReadOnly, width));
  }
  return group;
}

std::unique_ptr<QtDialog> RefinementDialog() {
  Resource r("refinement", "Изменение параметров трапеции и ее разграфки");
  constexpr const char* kWidth = "Размер трапеции по долготе:";
  constexpr const char* kHeight = "Размер трапеции по широте:";
  constexpr const char* kWest = "Начальная долгота:";
  constexpr const char* kEast = "Конечная   долгота:";
  constexpr const char* kSouth = "Начальная широта:";
  constexpr const char* kNorth = "Конечная широта:";
  constexpr const char* kMeridians = "Расстояние между меридианами:";
  constexpr const char* kParallels = "Расстояние между параллелями:";
  constexpr const char* kDivision = "Цена деления минутной шкалы:";

  auto* grid = new QGridLayout;
  grid->addWidget(Group(r, "Характеристики  базовой трапеции",
                        {{"Вид трапеции:", kBaseKind},
                         {kWidth, kBaseWidth},
                         {kHeight, kBaseHeight},
                         {kWest, kBaseWest},
                         {kEast, kBaseEast},
                         {kSouth, kBaseSouth},
                         {kNorth, kBaseNorth}},
                        true),
                  0, 0);
  grid->addWidget(Group(r, "Характеристики  результирующей трапеции",
                        {{nullptr, 0},
                         {kWidth, kResultWidth},
                         {kHeight, kResultHeight},
                         {kWest, kResultWest},
                         {kEast, kResultEast},
                         {kSouth, kResultSouth},
                         {kNorth, kResultNorth}},
                        false),
                  0, 1);
  grid->addWidget(Group(r, "Разграфка базовой трапеции по долготе",
                        {{kMeridians, kBaseMeridianStep}, {kDivision, kBasexMinute}}, true),
                  1, 0);
  grid->addWidget(Group(r, "Разграфка результирующей трапеции по долготе",
                        {{kMeridians, kResultMeridianStep}, {kDivision, kResultxMinute}}, false),
                  1, 1);
  grid->addWidget(Group(r, "Разграфка базовой трапеции по широте",
                        {{kParallels, kBaseParallelStep}, {kDivision, kBaseyMinute}}, true),
                  2, 0);
  grid->addWidget(Group(r, "Разграфка результирующей трапеции по широте",
                        {{kParallels, kResultParallelStep}, {kDivision, kResultyMinute}}, false),
                  2, 1);

  auto* bottom = new QHBoxLayout;
  QPushButton* test = r.Button(kTestButton, "Test");
  test->setAutoDefault(false);
  bottom->addWidget(test);
  bottom->addWidget(r.Field(kTestStatus, true, 28), 1);
  bottom->addSpacing(12);
  bottom->addLayout(r.ClosingButtons());

  auto* whole = new QVBoxLayout;
  whole->addLayout(grid);
  whole->addLayout(bottom);
  return r.Finish(whole);
}

}  // namespace

std::unique_ptr<QtDialog> BuildDialog(int resourceId) {
  switch (resourceId) {
    case kInfoDialog: return InfoDialog();
    case kParameterDialog: return ParameterDialog();
    case kRefinementDialog: return RefinementDialog();
    default: return nullptr;
  }
}

}  // namespace mapbasis
