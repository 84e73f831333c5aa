// The three dialogs as Qt widgets, made from the dialogs' description (dialog_description.txt):
// each control of a dialog becomes its widget, with its text, id and flags, and the keyboard walks
// them in the description's order. Layouts arrange them as the description places them, and size
// themselves to their texts, so nothing is clipped whatever the font.
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

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

#include "dialogs/dialog_description.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/qt/qt_toolkit.h"

namespace mapbasis {

namespace {

using namespace ids;

// The information dialog's picture, in pixels.
constexpr QSize kPictureSize(120, 156);

// The least width of a field, in average characters: one showing an angle such as «186° 00'», and
// the wider ones.
constexpr int kAngleField = 10;
int FieldCharacters(int id) {
  switch (id) {
    case kBaseKind: return 19;      // «Стандартный  лист»
    case kResultFolder: return 44;  // a folder
    case kTestStatus: return 28;    // «Базовая трапеция изменена!»
    default: return kAngleField;
  }
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The widgets of one dialog, made from its description, and the ids they answer to.
class Resource {
 public:
  explicit Resource(const DialogDescription& description)
      : description_(description), dialog_(std::make_unique<QDialog>()) {
    dialog_->setObjectName(Q(description.name));
    // The title names the dialog in the taskbar even where it has no title bar on Windows.
    dialog_->setWindowTitle(Q(description.title));
    // Read-only fields look like the base values they hold, not like entries.
    dialog_->setStyleSheet(
        QStringLiteral("QLineEdit[readOnly=\"true\"] { background: palette(window); }"));
  }

  const DialogDescription& description() const { return description_; }

  // The widget of a control of the description.
  QWidget* Make(const ControlDescription& c) {
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::Text: {
        auto* text = new QLabel(Q(c.text));
        text->setWordWrap(c.Wraps());
        if (c.centered) text->setAlignment(Qt::AlignHCenter);
        widget = text;
        break;
      }
      case ControlKind::Group: widget = new QGroupBox(Q(c.text)); break;
      case ControlKind::Picture: {
        auto* picture = new QLabel;
        picture->setObjectName(QStringLiteral("picture"));
        picture->setPixmap(SheetPicture(kPictureSize));
        picture->setAlignment(Qt::AlignTop);
        widget = picture;
        break;
      }
      case ControlKind::List: {
        auto* list = new QComboBox;
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        widget = list;
        break;
      }
      case ControlKind::Field: {
        auto* field = new QLineEdit;
        field->setReadOnly(c.readOnly);
        // The keyboard walks through what can be changed.
        if (c.readOnly) field->setFocusPolicy(Qt::ClickFocus);
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * FieldCharacters(c.id));
        widget = field;
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(Q(c.text));
        button->setDefault(c.isDefault);
        widget = button;
        break;
      }
    }
    if (c.id > 0) controls_[c.id] = widget;
    return widget;
  }

  // The control of that id, and the text that labels it.
  template <class W = QWidget>
  W* Make(int id) {
    return static_cast<W*>(Make(Described(id)));
  }
  QWidget* LabelOf(int id) { return Make(*description_.LabelOf(id)); }

  const ControlDescription& Described(int id) const { return *description_.Find(id); }

  // OK (the default button) and Cancel at the right.
  QHBoxLayout* ClosingButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(Make(kOk));
    row->addWidget(Make(kCancel));
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
    // The keyboard walks the controls in the order of the description.
    QWidget* previous = nullptr;
    for (const ControlDescription& c : description_.controls) {
      if (!c.TabStop() || !controls_.count(c.id)) continue;
      if (previous != nullptr) QWidget::setTabOrder(previous, controls_[c.id]);
      previous = controls_[c.id];
    }
    return std::make_unique<QtDialog>(std::move(dialog_), std::move(controls_));
  }

 private:
  const DialogDescription& description_;
  std::unique_ptr<QDialog> dialog_;
  std::map<int, QWidget*> controls_;
};

// The picture at the left; at the right the title lines, bold, in their frame, the text under
// them and the button at the bottom.
std::unique_ptr<QtDialog> InfoDialog(Resource& r) {
  QWidget* picture = nullptr;
  QGroupBox* titles = nullptr;
  QVBoxLayout* titleLines = nullptr;
  std::vector<QWidget*> texts;
  for (const ControlDescription& c : r.description().controls) {
    if (c.kind == ControlKind::Picture) {
      picture = r.Make(c);
    } else if (c.kind == ControlKind::Group) {
      titles = static_cast<QGroupBox*>(r.Make(c));
      titleLines = new QVBoxLayout(titles);
    } else if (c.kind == ControlKind::Text && r.description().GroupOf(c) != nullptr) {
      QWidget* title = r.Make(c);
      QFont bold = title->font();
      bold.setBold(true);
      title->setFont(bold);
      titleLines->addWidget(title);
    } else if (c.kind == ControlKind::Text) {
      texts.push_back(r.Make(c));
    }
  }

  auto* text = new QVBoxLayout;
  text->addWidget(titles);
  for (QWidget* below : texts) text->addWidget(below);
  text->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(r.Make(kOk));
  text->addLayout(buttons);

  auto* whole = new QHBoxLayout;
  whole->addWidget(picture);
  whole->addLayout(text, 1);
  return r.Finish(whole);
}

std::unique_ptr<QtDialog> ParameterDialog(Resource& r) {
  // The scales, each list beside its label, the lists in one column.
  auto* scales = new QGridLayout;
  int row = 0;
  for (const int id : {kCoordinateSystem, kSeriesScale, kMapScale}) {
    scales->addWidget(r.LabelOf(id), row, 0);
    scales->addWidget(r.Make(id), row++, 1, Qt::AlignLeft);
  }
  scales->setColumnStretch(1, 1);

  // The sheet: belt, zone and number in one row.
  auto* sheet = new QHBoxLayout;
  for (const int id : {kBelt, kZone, kSheetNumber}) {
    if (id != kBelt) sheet->addSpacing(12);
    sheet->addWidget(r.LabelOf(id));
    sheet->addWidget(r.Make(id));
  }
  sheet->addStretch(1);

  auto* base = static_cast<QGroupBox*>(r.Make(*r.description().GroupOf(r.Described(kSheetKind))));
  auto* baseRows = new QVBoxLayout(base);
  auto* baseRow = new QHBoxLayout;
  baseRow->addWidget(r.Make(kSheetKind));
  baseRow->addStretch(1);
  baseRow->addWidget(r.Make(kRefineButton));
  baseRows->addLayout(baseRow);
  // The sheet the lists add up to, which the user may select and copy but not change.
  auto* sheetView = r.Make<QLabel>(kSheetView);
  sheetView->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sheetView->setTextFormat(Qt::PlainText);
  baseRows->addWidget(sheetView);

  // The folder is picked with «Найти», or typed or pasted.
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(r.Make(kResultFolder), 1);
  folderRow->addWidget(r.Make(kFindFolderButton));

  auto* whole = new QVBoxLayout;
  whole->addLayout(scales);
  whole->addSpacing(6);
  whole->addLayout(sheet);
  whole->addWidget(base);
  whole->addSpacing(6);
  whole->addWidget(r.LabelOf(kResultFolder));
  whole->addLayout(folderRow);
  whole->addSpacing(6);
  whole->addLayout(r.ClosingButtons());
  return r.Finish(whole);
}

// The groups of labelled fields in a grid, as the description places them: a column for each
// left edge, a row for each top edge. The rows of the groups side by side are kept level: where
// one group has a row that its neighbour lacks, the neighbour keeps the room empty.
std::unique_ptr<QtDialog> RefinementDialog(Resource& r) {
  const DialogDescription& d = r.description();
  std::vector<const ControlDescription*> groups;
  std::set<int> lefts, tops;
  for (const ControlDescription& c : d.controls) {
    if (c.kind != ControlKind::Group) continue;
    groups.push_back(&c);
    lefts.insert(c.place.x);
    tops.insert(c.place.y);
  }
  // The labels of a group, and the row heights of all groups in a row of the grid.
  const auto labelsIn = [&d](const ControlDescription& group) {
    std::vector<const ControlDescription*> labels;
    for (const ControlDescription& c : d.controls) {
      if (c.id > 0 && d.LabelOf(c.id) != nullptr && d.GroupOf(c) == &group) {
        labels.push_back(d.LabelOf(c.id));
      }
    }
    return labels;
  };
  std::map<int, std::set<int>> rowsAt;
  for (const ControlDescription* group : groups) {
    for (const ControlDescription* label : labelsIn(*group)) {
      rowsAt[group->place.y].insert(label->place.y);
    }
  }

  auto* grid = new QGridLayout;
  for (const ControlDescription* group : groups) {
    auto* box = static_cast<QGroupBox*>(r.Make(*group));
    auto* form = new QFormLayout(box);
    const std::vector<const ControlDescription*> labels = labelsIn(*group);
    for (const int y : rowsAt[group->place.y]) {
      const auto label = std::find_if(labels.begin(), labels.end(),
                                      [y](const ControlDescription* l) { return l->place.y == y; });
      if (label == labels.end()) {
        auto* gap = new QLineEdit;
        QSizePolicy keep = gap->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        gap->setSizePolicy(keep);
        gap->hide();
        form->addRow(new QLabel, gap);
        continue;
      }
      // The field is the control after its label.
      const ControlDescription& field = *(*label + 1);
      form->addRow(r.Make(**label), r.Make(field));
    }
    const int row = static_cast<int>(std::distance(tops.begin(), tops.find(group->place.y)));
    const int column = static_cast<int>(std::distance(lefts.begin(), lefts.find(group->place.x)));
    grid->addWidget(box, row, column);
  }

  auto* bottom = new QHBoxLayout;
  auto* test = r.Make<QPushButton>(kTestButton);
  test->setAutoDefault(false);
  bottom->addWidget(test);
  bottom->addWidget(r.Make(kTestStatus), 1);
  bottom->addSpacing(12);
  bottom->addLayout(r.ClosingButtons());

  auto* whole = new QVBoxLayout;
  whole->addLayout(grid);
  whole->addLayout(bottom);
  return r.Finish(whole);
}

}  // namespace

std::unique_ptr<QtDialog> BuildDialog(int resourceId) {
  const DialogDescription* description = FindDialog(resourceId);
  if (description == nullptr) return nullptr;
  Resource r(*description);
  switch (resourceId) {
    case kInfoDialog: return InfoDialog(r);
    case kParameterDialog: return ParameterDialog(r);
    case kRefinementDialog: return RefinementDialog(r);
    default: return nullptr;
  }
}

}  // namespace mapbasis
