#include "app/dialogs/ncdata_info_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <string_view>

#include "app/dialogs/dialog_layout.h"
#include "output/number_text.h"

namespace fendo {
namespace {

// Lengths and coordinates to the micrometre, the time to a thousandth of a minute.
constexpr int kDecimals = 3;
constexpr int kFieldCharacters = 12;

QLineEdit* ValueField(const QString& text, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setReadOnly(true);
  field->setAlignment(Qt::AlignRight);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kFieldCharacters);
  return field;
}

QString Fixed(double v) {
  std::string text;
  AppendFixed<kDecimals>(text, v);
  return QString::fromStdString(text);
}

// One labelled value in a form; `unit` (when not empty) follows the label in parentheses.
void AddValueRow(QFormLayout* form, const char* label, const QString& value, QWidget* parent,
                 std::string_view unit = {}) {
  QString text = QString::fromUtf8(label);
  if (!unit.empty()) text += QStringLiteral(" (%1)").arg(QString::fromUtf8(unit.data(), static_cast<int>(unit.size())));
  form->addRow(text, ValueField(value, parent));
}

// "단위": the unit the program states, or that it states none; a program that switches units
// part way says so under it.
void AddUnitRows(QFormLayout* form, const ProgramUnit& unit, QWidget* parent) {
  const QString name = unit.stated ? QString::fromUtf8(LengthUnitName(*unit.stated).data())
                                   : QStringLiteral("지정 없음");
  AddValueRow(form, "단위", name, parent);
  if (unit.changes) form->addRow(new QLabel(QStringLiteral("프로그램 중간에 단위(G20/G21)가 바뀝니다."), parent));
}

// "최소 X:" … "최대 Z:" of a box, the minima in one row and the maxima in the next.
QGridLayout* ExtentsGrid(const Extents& extents, QWidget* parent) {
  auto* grid = new QGridLayout;
  const char* const labels[2][3] = {{"최소 X:", "최소 Y:", "최소 Z:"}, {"최대 X:", "최대 Y:", "최대 Z:"}};
  const Point3 corners[2] = {extents.min, extents.max};
  for (int row = 0; row < 2; ++row) {
    const double values[3] = {corners[row].x, corners[row].y, corners[row].z};
    for (int axis = 0; axis < 3; ++axis) {
      QLineEdit* field = ValueField(Fixed(values[axis]), parent);
      auto* label = new QLabel(QString::fromUtf8(labels[row][axis]), parent);
      label->setBuddy(field);
      grid->addWidget(label, row, 2 * axis);
      grid->addWidget(field, row, 2 * axis + 1);
    }
  }
  return grid;
}

}  // namespace

CNcdataInfoDlg::CNcdataInfoDlg(const ToolpathStatistics& statistics, const ProgramUnit& unit, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Ncdata 정보"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* unitForm = new QFormLayout;
  AddUnitRows(unitForm, unit, this);
  layout->addLayout(unitForm);
  // Only a stated unit labels the values: a program that states none shows them as it always has.
  const std::string_view length = unit.stated ? LengthUnitName(*unit.stated) : std::string_view();
  const std::string_view feedRate = unit.stated ? FeedUnitName(*unit.stated) : std::string_view();

  auto* rapid = new QGroupBox(QStringLiteral("<< 급속이송 >>"), this);
  auto* rapidLayout = new QVBoxLayout(rapid);
  auto* rapidForm = new QFormLayout;
  AddValueRow(rapidForm, "급속 이송거리", Fixed(statistics.rapidLength), rapid, length);
  rapidLayout->addLayout(rapidForm);
  rapidLayout->addLayout(ExtentsGrid(statistics.rapidExtents, rapid));
  layout->addWidget(rapid);

  auto* feed = new QGroupBox(QStringLiteral("<< 절삭이송 >>"), this);
  auto* feedLayout = new QVBoxLayout(feed);
  auto* feedForm = new QFormLayout;
  AddValueRow(feedForm, "절삭 이송거리", Fixed(statistics.feedLength), feed, length);
  AddValueRow(feedForm, "가공 예상시간(min)", Fixed(statistics.cuttingTime), feed);
  feedLayout->addLayout(feedForm);
  feedLayout->addLayout(ExtentsGrid(statistics.feedExtents, feed));
  auto* speedForm = new QFormLayout;
  AddValueRow(speedForm, "최대 절삭속도", QString::number(statistics.highestFeed), feed, feedRate);
  feedLayout->addLayout(speedForm);
  layout->addWidget(feed);

  AddAcceptReject(*this, *layout).accept->setFocus();
}

}  // namespace fendo
