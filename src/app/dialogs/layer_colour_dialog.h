#pragma once

#include <QDialog>

#include <array>
#include <filesystem>

#include "config/layer_colours.h"

class QComboBox;

namespace fendo {

class UserPrompts;

// "Layer color setting dialog": the colour of layers 0 to 9, each chosen from the palette by
// name. "저장" writes them to color.par at once; OK gives them to the view, Cancel drops them
// (a file saved stays saved).
class CLayerColorDlg : public QDialog {
 public:
  CLayerColorDlg(const LayerColours& colours, std::filesystem::path file, UserPrompts& prompts, QWidget* parent);
  LayerColours values() const;

 private:
  void Save();

  std::array<QComboBox*, kLayerColourEntries> combos_{};
  std::filesystem::path file_;
  UserPrompts& prompts_;
};

}  // namespace fendo
