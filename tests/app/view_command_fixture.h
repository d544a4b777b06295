#pragma once

#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/command_ids.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "core/view_state.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "interact/scripted_input.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "record_twin.h"
#include "support/file_bytes.h"

namespace fendo {

// What the Qt tests of the view's commands share: the frame with one program open in a view
// (the test's init() opens it), commands run through their dialogs or scripted input, and what
// they leave checked against undo and against what the program writes.
class ViewCommandFixture {
 protected:
  // Opens `text`, written to the file `name` in the home folder, in a frame of 1000 × 800 pixels
  // showing the top view; false when it could not be opened.
  bool OpenProgram(const std::string& name, const std::string& text) {
    fixture_ = std::make_unique<AppFixture>();
    std::ofstream(Home(name)) << text;
    view_ = frame().OpenDocument(fixture_->HomeFile(name));
    if (!view_) return false;
    frame().resize(1000, 800);
    QTest::qWait(0);
    frame().RunCommand(CommandId::ViewTop);
    return true;
  }
  void CloseProgram() {
    view_ = nullptr;
    fixture_.reset();
  }

  CFendoView& view() { return *view_; }
  ToolpathDatabase& db() { return view_->database(); }
  CMainFrame& frame() { return fixture_->frame(); }
  std::string Home(const std::string& name) const { return ToUtf8(fixture_->HomeFile(name)); }

  // Runs `command`, `answer` answering the first dialog it opens.
  void RunWithDialog(CommandId command, std::function<void(QWidget&)> answer) {
    AnswerNextDialog(std::move(answer));
    frame().RunCommand(command);
  }
  // Runs `command` with the view reading `script`.
  void RunScripted(CommandId command, test::ScriptedInput& script) {
    view().SetInputSource(&script);
    frame().RunCommand(command);
    view().SetInputSource(nullptr);
  }
  // Where model point (x, y, z) lies in the view as it stands.
  ClientPoint OnScreen(double x, double y, double z = 0) {
    return Projection(view().viewState()).ToClient({x, y, z});
  }
  // Undo gives back `before`, record for record.
  void ExpectUndoGivesBack(ToolpathDatabase& before, const char* what) {
    frame().RunCommand(CommandId::Undo);
    QVERIFY2(test::Difference(db(), before).isEmpty(),
             qPrintable(QStringLiteral("%1 undone: %2").arg(what, test::Difference(db(), before))));
  }
  // The view's program as "Ncdata로 저장" writes it.
  std::string Written() {
    NcOutputOptions options;
    PresetFromWorkLayer(db(), options);
    options.outputPath = Home("desktop.nc");
    options.diagonalRapidCheck = false;
    options.openEditor = false;
    test::ScriptedPrompts prompts;
    if (!WriteNcProgram(db(), options, prompts).ok()) return "<not written>";
    return test::ReadFile(options.outputPath);
  }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
};

}  // namespace fendo
