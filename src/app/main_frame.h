#pragma once

#include <QMainWindow>

#include <map>
#include <memory>
#include <span>

#include "app/command_table.h"
#include "app/status_panes.h"

class QAction;
class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace fendo {

class CFendoApp;
class CFendoView;
class LayerTable;

// The main window: the document windows in its MDI area, the menus, toolbars and
// accelerators built from the command table, the layer combo box and the status bar. Commands
// go to the active view when the table says so, else they are the frame's own.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CFendoApp& app);
  ~CMainFrame() override;

  CFendoApp& app() { return app_; }
  StatusPanes& statusPanes() { return *statusPanes_; }
  QComboBox& layerCombo() { return *layerCombo_; }
  // The layer box on `layer` (a view's work layer), and its entries named by the layers' names.
  void ShowWorkLayer(int layer);
  void ShowLayerNames(const LayerTable& layers);
  QMdiArea& mdiArea() { return *mdi_; }
  CFendoView* ActiveView() const;
  // The action of a command (shared by its menu item, toolbar button and accelerator).
  QAction* Action(CommandId command) const;

  // Opens a document window; its view loads `path` when one is given. Nothing when the file
  // cannot be opened (the view has said why).
  CFendoView* OpenDocument(const QString& path);
  // Runs a command as its menu item would.
  void RunCommand(CommandId command);
  // Enables, checks and unchecks the actions as the active view's state says.
  void UpdateCommandStates();

  // The frame's commands.
  void OnNewWindow();
  void OnFileOpen();
  void OnCloseWindow();
  void OnPrintSetup();
  void OnExit();
  void OnToggleToolBars();
  void OnToggleStatusBar();
  void OnWorkEnvironment();
  void OnWindowNew();
  void OnCascade();
  void OnTileHorizontal();
  void OnTileVertical();
  void OnArrangeIcons();
  void OnAbout();
  void OnHelp();

 protected:
  void showEvent(QShowEvent* event) override;
  // The program does not end under an interactive command: it waits for the command's end.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildActions();
  void BuildToolBars();
  void BuildMenus();
  void FillMenuBar(std::span<const CommandRow> commands);
  void FillRecentFiles(QMenu& menu);
  void OnActiveWindowChanged(QMdiSubWindow* window);
  const CommandRow* RowFor(CommandId command) const;

  CFendoApp& app_;
  QMdiArea* mdi_ = nullptr;
  std::unique_ptr<StatusPanes> statusPanes_;
  QComboBox* layerCombo_ = nullptr;
  std::map<CommandId, QAction*> actions_;
  std::vector<QToolBar*> toolBars_;
  bool documentMenu_ = false;
  bool shownOnce_ = false;
};

}  // namespace fendo
