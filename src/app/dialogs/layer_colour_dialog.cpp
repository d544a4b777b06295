#include "app/dialogs/layer_colour_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"
#include "config/palette.h"
#include "core/user_prompts.h"

namespace fendo {

CLayerColorDlg::CLayerColorDlg(const LayerColours& colours, std::filesystem::path file, UserPrompts& prompts,
                               QWidget* parent)
    : QDialog(parent), file_(std::move(file)), prompts_(prompts) {
  setWindowTitle(QStringLiteral("Layer color setting dialog"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (int layer = 0; layer < kLayerColourEntries; ++layer) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("colour%1").arg(layer));
    for (int index = 0; index < kPaletteSize; ++index) combo->addItem(Utf8(PaletteName(index)));
    combo->setCurrentIndex(colours[layer] >= 0 && colours[layer] < kPaletteSize ? colours[layer] : 0);
    form->addRow(QStringLiteral("%1번 Layer").arg(layer), combo);
    combos_[layer] = combo;
  }
  layout->addLayout(form);
  auto* save = new QPushButton(QStringLiteral("저장"), this);
  save->setObjectName(QStringLiteral("save"));
  save->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  layout->addLayout(ButtonRow({save}));
  AddAcceptReject(*this, *layout);
}

LayerColours CLayerColorDlg::values() const {
  LayerColours colours{};
  for (int layer = 0; layer < kLayerColourEntries; ++layer) colours[layer] = combos_[layer]->currentIndex();
  return colours;
}

void CLayerColorDlg::Save() {
  if (!WriteLayerColoursFile(file_, values())) {
    prompts_.Message(kCannotOpenFileText, kErrorCaption, PromptIcon::Error);
  }
}

}  // namespace fendo
