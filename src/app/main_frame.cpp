#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <set>

#include "app/child_frame.h"
#include "app/command_icons.h"
#include "app/commands/layer_commands.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/nc_file_dialog.h"
#include "app/qt_text.h"
#include "app/toolbar_layout.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/work_environment_dialog.h"

namespace fendo {
namespace {

constexpr char kTitle[] = "Morvane";
constexpr int kLayerComboEntries = 100;
constexpr int kLayerComboWidth = 90;         // pixels
constexpr int kLayerComboDropDownItems = 12;  // about 202 pixels of list

// Frame commands that act on a document window.
const std::set<CommandId> kDocumentWindowCommands = {CommandId::CloseWindow, CommandId::DuplicateWindow,
                                                     CommandId::ArrangeIcons, CommandId::Cascade,
                                                     CommandId::TileHorizontal, CommandId::TileVertical};

// The menu text without its mnemonic and key, for tool tips and prompts.
QString PlainText(std::string_view text) {
  QString plain = Utf8(text);
  plain.remove(QLatin1Char('&'));
  return plain;
}

}  // namespace

CMainFrame::CMainFrame(CFendoApp& app) : app_(app) {
  setWindowTitle(kTitle);
  setWindowIcon(ApplicationIcon());
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  statusPanes_ = std::make_unique<StatusPanes>(*statusBar());
  BuildActions();
  BuildToolBars();
  BuildMenus();
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveWindowChanged);
  UpdateCommandStates();
}

// The document windows go with the MDI area, after this frame's part of the object is gone:
// their leaving must not reach it.
CMainFrame::~CMainFrame() { mdi_->disconnect(this); }

CFendoView* CMainFrame::ActiveView() const {
  auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
  return child ? &child->view() : nullptr;
}

QAction* CMainFrame::Action(CommandId command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::BuildActions() {
  const auto add = [this](const CommandRow& row) {
    if (actions_.count(row.id)) return;
    QString text = Utf8(row.text);
    if (!row.shownKey.empty()) text += QLatin1Char('\t') + Utf8(row.shownKey);
    QAction* action = new QAction(CommandIcon(row.id), text, this);
    const QStringList prompt = Utf8(row.prompt).split(QLatin1Char('\n'));
    action->setStatusTip(row.prompt.empty() ? PlainText(row.text) : prompt.front());
    action->setToolTip(prompt.size() > 1 ? prompt.back() : PlainText(row.text));
    action->setCheckable(row.checked != nullptr || row.id == CommandId::ShowToolBars ||
                         row.id == CommandId::ShowStatusBar);
    action->setObjectName(QStringLiteral("command%1").arg(CommandNumber(row.id)));
    connect(action, &QAction::triggered, this, [this, id = row.id] { RunCommand(id); });
    actions_[row.id] = action;
  };
  for (const CommandRow& row : NcViewCommands()) add(row);
  for (const CommandRow& row : FrameCommands()) add(row);
  for (const CommandRow& row : ToolBarOnlyCommands()) add(row);
  for (const Accelerator& accelerator : Accelerators()) {
    QAction* action = Action(accelerator.command);
    QList<QKeySequence> keys = action->shortcuts();
    keys << QKeySequence(Utf8(accelerator.key));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
}

void CMainFrame::BuildToolBars() {
  bool firstAtLeft = true;
  for (const ToolBarLayout& layout : ToolBars()) {
    QToolBar* bar = new QToolBar(QStringLiteral("Toolbar %1").arg(layout.resource), this);
    bar->setObjectName(QStringLiteral("toolBar%1").arg(layout.resource));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (CommandId command : layout.buttons) {
      if (command == kToolBarSeparator) {
        bar->addSeparator();
      } else if (layout.resource == kLayerToolBar && command == kLayerComboCommand) {
        bar->addSeparator();
        layerCombo_ = new QComboBox(bar);
        layerCombo_->setObjectName(QStringLiteral("layerCombo"));
        for (int layer = 0; layer < kLayerComboEntries; ++layer) {
          layerCombo_->addItem(QString::asprintf("Layer %3d", layer));
        }
        layerCombo_->setCurrentIndex(0);
        layerCombo_->setMinimumWidth(kLayerComboWidth);
        layerCombo_->setMaxVisibleItems(kLayerComboDropDownItems);
        layerCombo_->setToolTip(PlainText(FindCommand(kLayerComboCommand)->text));
        connect(layerCombo_, &QComboBox::currentIndexChanged, this, [this](int layer) {
          CFendoView* view = ActiveView();
          if (view && !view->InteractiveCommandRunning()) ChooseWorkLayer(*view, layer);
          // The box goes back to the work layer when the layer could not be chosen.
          if (view) ShowWorkLayer(view->database().layers.workLayer);
        });
        bar->addWidget(layerCombo_);
      } else {
        bar->addAction(Action(command));
      }
    }
    if (layout.dock == ToolBarDock::Top) {
      addToolBar(Qt::TopToolBarArea, bar);
    } else {
      if (!firstAtLeft) addToolBarBreak(Qt::LeftToolBarArea);
      addToolBar(Qt::LeftToolBarArea, bar);
      firstAtLeft = false;
    }
    toolBars_.push_back(bar);
  }
}

void CMainFrame::BuildMenus() {
  documentMenu_ = ActiveView() != nullptr;
  FillMenuBar(documentMenu_ ? NcViewCommands() : FrameCommands());
}

void CMainFrame::FillMenuBar(std::span<const CommandRow> commands) {
  menuBar()->clear();
  std::map<QString, QMenu*> menus;  // by the whole popup path
  for (const CommandRow& row : commands) {
    QString path;
    QMenu* menu = nullptr;
    for (const QString& level : Utf8(row.menu).split(Utf8(kMenuLevelSeparator))) {
      path += (path.isEmpty() ? QString() : Utf8(kMenuLevelSeparator)) + level;
      QMenu*& entry = menus[path];
      if (!entry) {
        entry = menu ? menu->addMenu(level) : menuBar()->addMenu(level);
        connect(entry, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
      }
      menu = entry;
    }
    if (std::holds_alternative<RecentFiles>(row.handler)) {
      QMenu* recent = menu->addMenu(Utf8(row.text));
      recent->setObjectName(QStringLiteral("recentFiles"));
      connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentFiles(*recent); });
      FillRecentFiles(*recent);
      continue;
    }
    menu->addAction(Action(row.id));
  }
}

void CMainFrame::FillRecentFiles(QMenu& menu) {
  menu.clear();
  const QStringList& files = app_.recentFiles().files();
  for (int k = 0; k < files.size(); ++k) {
    QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(files[k])));
    connect(entry, &QAction::triggered, this, [this, path = files[k]] { OpenDocument(path); });
  }
  menu.setEnabled(!files.isEmpty());
}

const CommandRow* CMainFrame::RowFor(CommandId command) const {
  const auto find = [command](std::span<const CommandRow> table) -> const CommandRow* {
    for (const CommandRow& row : table) {
      if (row.id == command) return &row;
    }
    return nullptr;
  };
  const std::span<const CommandRow> first = ActiveView() ? NcViewCommands() : FrameCommands();
  const std::span<const CommandRow> second = ActiveView() ? FrameCommands() : NcViewCommands();
  if (const CommandRow* row = find(first)) return row;
  if (const CommandRow* row = find(second)) return row;
  return find(ToolBarOnlyCommands());
}

void CMainFrame::RunCommand(CommandId command) {
  const CommandRow* row = RowFor(command);
  if (!row) return;
  CFendoView* view = ActiveView();
  // An interactive command holds the view until it ends; the menus wait for it.
  if (view && view->InteractiveCommandRunning()) return;
  if (const auto* target = std::get_if<ViewCommand>(&row->handler)) {
    if (view) (view->*target->handler)();
  } else if (const auto* target = std::get_if<ViewFunction>(&row->handler)) {
    if (view) target->run(*view);
  } else if (const auto* target = std::get_if<FrameCommand>(&row->handler)) {
    (this->*target->handler)();
  }
  UpdateCommandStates();
}

void CMainFrame::ShowWorkLayer(int layer) {
  const QSignalBlocker quiet(layerCombo_);
  layerCombo_->setCurrentIndex(layer);
}

void CMainFrame::ShowLayerNames(const LayerTable& layers) {
  const QSignalBlocker quiet(layerCombo_);
  for (int layer = 0; layer < kLayerComboEntries; ++layer) layerCombo_->setItemText(layer, Utf8(layers[layer].layerName));
  layerCombo_->setCurrentIndex(layers.workLayer);
}

void CMainFrame::UpdateCommandStates() {
  CFendoView* view = ActiveView();
  for (const auto& [command, action] : actions_) {
    const CommandRow* row = RowFor(command);
    bool enabled = false;
    if (row && (std::holds_alternative<ViewCommand>(row->handler) || std::holds_alternative<ViewFunction>(row->handler))) {
      enabled = view != nullptr;
    }
    if (row && std::holds_alternative<FrameCommand>(row->handler)) {
      enabled = view != nullptr || !kDocumentWindowCommands.count(command);
    }
    action->setEnabled(enabled);
    if (row && row->checked) action->setChecked(view && (view->*row->checked)());
  }
  Action(CommandId::ShowToolBars)->setChecked(!toolBars_.empty() && toolBars_.front()->isVisible());
  Action(CommandId::ShowStatusBar)->setChecked(statusBar()->isVisible());
}

CFendoView* CMainFrame::OpenDocument(const QString& path) {
  auto* child = new CChildFrame(app_, *this);
  mdi_->addSubWindow(child);
  // A save renames the document; the frame's title follows while its window is the active one.
  connect(&child->view(), &CFendoView::documentTitleChanged, this, [this, child] {
    if (mdi_->activeSubWindow() == child) OnActiveWindowChanged(child);
  });
  child->showMaximized();
  if (!path.isEmpty() && !child->view().LoadDocument(path)) {
    child->close();
    return nullptr;
  }
  if (!path.isEmpty()) app_.recentFiles().Add(QFileInfo(path).absoluteFilePath());
  OnActiveWindowChanged(child);
  return &child->view();
}

void CMainFrame::OnActiveWindowChanged(QMdiSubWindow* window) {
  const bool document = ActiveView() != nullptr;
  if (document != documentMenu_) {
    documentMenu_ = document;
    FillMenuBar(document ? NcViewCommands() : FrameCommands());
  }
  auto* child = qobject_cast<CChildFrame*>(window);
  // Each window has layers of its own: the box shows the names of the window now active.
  if (child) ShowLayerNames(child->view().database().layers);
  setWindowTitle(child ? QStringLiteral("%1 - [%2]").arg(kTitle, child->view().document().title) : QString(kTitle));
  UpdateCommandStates();
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // Without a window manager nothing maximises a window; it then takes the screen itself.
  if (screen()) setGeometry(screen()->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child && child->view().InteractiveCommandRunning()) {
      event->ignore();
      return;
    }
  }
  QMainWindow::closeEvent(event);
}

void CMainFrame::OnNewWindow() { OpenDocument(QString()); }

void CMainFrame::OnFileOpen() {
  const QString path = ChooseNcFile(this, app_, CommandId::OpenFile);
  if (!path.isEmpty()) OpenDocument(path);
}

void CMainFrame::OnCloseWindow() { mdi_->closeActiveSubWindow(); }

void CMainFrame::OnPrintSetup() {
  QPageSetupDialog dialog(&app_.printer(), this);
  dialog.exec();
}

void CMainFrame::OnExit() { close(); }

void CMainFrame::OnToggleToolBars() {
  const bool shown = toolBars_.empty() || !toolBars_.front()->isVisible();
  for (QToolBar* bar : toolBars_) bar->setVisible(shown);
}

void CMainFrame::OnToggleStatusBar() { statusBar()->setVisible(!statusBar()->isVisible()); }

void CMainFrame::OnWorkEnvironment() {
  WorkEnvironmentDialog dialog(app_.settings(), this);
  if (dialog.exec() == QDialog::Accepted) app_.settings() = dialog.settings();
}

void CMainFrame::OnWindowNew() {
  if (CFendoView* view = ActiveView()) OpenDocument(view->document().path);
}

void CMainFrame::OnCascade() { mdi_->cascadeSubWindows(); }

// The document windows one above the other, each as wide as the area.
void CMainFrame::OnTileHorizontal() {
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  const int height = mdi_->viewport()->height() / static_cast<int>(windows.size());
  for (int k = 0; k < windows.size(); ++k) {
    windows[k]->showNormal();
    windows[k]->setGeometry(0, k * height, mdi_->viewport()->width(), height);
  }
}

// The document windows side by side, each as high as the area.
void CMainFrame::OnTileVertical() {
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  const int width = mdi_->viewport()->width() / static_cast<int>(windows.size());
  for (int k = 0; k < windows.size(); ++k) {
    windows[k]->showNormal();
    windows[k]->setGeometry(k * width, 0, width, mdi_->viewport()->height());
  }
}

// The minimised document windows in a row along the bottom of the area.
void CMainFrame::OnArrangeIcons() {
  int x = 0;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->isMinimized()) continue;
    window->move(x, mdi_->viewport()->height() - window->height());
    x += window->width();
  }
}

void CMainFrame::OnAbout() {
  AboutDialog dialog(this);
  dialog.exec();
}

void CMainFrame::OnHelp() { OpenHelpFile(this, app_.settings(), "fendo.hlp"); }

}  // namespace fendo
