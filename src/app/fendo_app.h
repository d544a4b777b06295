#pragma once

#include <QString>
#include <QStringList>

#include <any>
#include <map>
#include <memory>
#include <typeindex>

#include <QPrinter>

#include "app/command_ids.h"
#include "app/recent_files.h"
#include "config/system_settings.h"

namespace fendo {

class CMainFrame;

// The program: the process-wide settings (fendo.cfg), the recent files, the folders the file
// dialogs remember during the run, and the main frame.
class CFendoApp {
 public:
  CFendoApp();
  ~CFendoApp();
  CFendoApp(const CFendoApp&) = delete;
  CFendoApp& operator=(const CFendoApp&) = delete;

  // Start-up: fendo.cfg read (created empty when missing; its WorkDir becomes the current
  // directory), the main frame made, the files named on the command line opened, and the
  // frame shown. A file that cannot be opened is reported and the program goes on.
  void InitInstance(const QStringList& files);

  SystemSettings& settings() { return settings_; }
  RecentFileList& recentFiles() { return recentFiles_; }
  CMainFrame* mainFrame() { return mainFrame_.get(); }
  // The path a command's file dialog showed last during this run (each command its own).
  QString& LastDialogPath(CommandId command) { return lastDialogPaths_[command]; }
  // The printer the views print on, with the page set up by "인쇄 설정".
  QPrinter& printer() { return printer_; }
  // What a command's dialog remembers from one use to the next while the program runs: one
  // value of each type, default-made at its first use.
  template <typename T>
  T& Remembered() {
    std::any& slot = remembered_[std::type_index(typeid(T))];
    if (!slot.has_value()) slot = T{};
    return std::any_cast<T&>(slot);
  }

 private:
  SystemSettings settings_ = DefaultSystemSettings();
  RecentFileList recentFiles_;
  std::map<CommandId, QString> lastDialogPaths_;
  QPrinter printer_;
  std::map<std::type_index, std::any> remembered_;
  std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace fendo
