#pragma once

#include <functional>
#include <optional>

class QGridLayout;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace fendo {

struct LayerSlot;
class NumberField;

// The header fields of one layer that the layer output dialog and "Layer 정보" both edit: the
// four NC header numbers and the comment, below the name fields each dialog puts first, and
// "Layer update", which stores them into the selected layer.
class LayerHeaderFields {
 public:
  struct Numbers {
    int program = 0;
    int tool = 0;
    int offset = 0;
    int spindle = 0;
  };
  // How the dialog takes a whole number from a field: false after it refused the text.
  using TakeWhole = std::function<bool(NumberField* field, int& v, int lowest, int highest)>;

  explicit LayerHeaderFields(QWidget* owner);

  // Adds the number rows, the comment and the "Layer update" button to `grid` from `row` on;
  // the button.
  QPushButton* AddTo(QGridLayout& grid, int row);
  void Show(const LayerSlot& slot);
  // The four numbers, each a whole number 0 … 100000; nothing after one was refused.
  std::optional<Numbers> Take(const TakeWhole& take) const;
  // Stores the numbers and the comment into `slot`.
  void Store(const Numbers& numbers, LayerSlot& slot) const;

  NumberField* programNumber;
  NumberField* toolNumber;
  NumberField* lengthOffset;
  NumberField* spindle;
  QPlainTextEdit* comment;

 private:
  QWidget* owner_;
};

}  // namespace fendo
