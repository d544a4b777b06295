#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>

#include "app/dialogs/echo_layer_dialog.h"
#include "app/dialogs/layer_colour_dialog.h"
#include "app/dialogs/layer_copy_dialog.h"
#include "app/dialogs/number_field.h"
#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "edit/layer_copy.h"
#include "edit/layer_listing.h"
#include "interact/layer_pick.h"
#include "interact/scripted_input.h"
#include "support/file_bytes.h"

namespace fendo {
namespace {

// Layer 0's program: tool 1, one path of three cuts.
constexpr char kFirstProgram[] =
    "%\nO0001\nT1 M6 S1000\nG90 G00 X0 Y0 Z10.\nG01 Z0 F300\nX50.\nY50.\nX0\nG00 Z10.\nM30\n%\n";
// Layer 2's program: tool 5, one cut far from the first program's.
constexpr char kSecondProgram[] = "%\nO0002\nT5 M6 S2000\nG90 G00 X-60. Y-60. Z10.\nG01 Z0 F300\nX-10.\nG00 Z10.\nM30\n%\n";

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The button of a message box or dialog with this text.
void Press(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) {
      button->click();
      return;
    }
  }
  QFAIL(qPrintable(text));
}

}  // namespace

class LayersTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { fixture_.reset(); }

  void everyLayerItemWorks();
  void copyFromLayerTwoIntoTheWorkLayer();
  void copyOfAnotherToolIsAskedAndCancelChangesNothing();
  void copyDialogTakesOnlyTheUsersLayers();
  void switchAndBackKeepsTheEditsAndTheCurrentLayerIsNotReloaded();
  void undoAfterASwitchStaysInTheLayer();
  void comboBoxAfterLayerUpdate();
  void comboBoxShowsTheLayersOfTheActiveWindow();
  void pickingAToolpathOfAnEchoedLayer();
  void echoListsOfAnyLengthAndTheirMistakes();
  void layerColoursAreSavedAndGivenToTheView();
  void displayTogglesShowTheirCheckMarks();
  void layersListingMatchesTheBatchTool();

 private:
  CFendoView& view() { return *fixture_->frame().ActiveView(); }
  ToolpathDatabase& db() { return view().database(); }
  QString WriteProgram(const std::string& name, const char* text) {
    std::ofstream(fixture_->home() / name, std::ios::binary) << text;
    return fixture_->HomeFile(name);
  }
  // The first program in layer 0 (the work layer), the second in layer 2.
  void OpenTwoLayers();

  std::unique_ptr<AppFixture> fixture_;
  QString first_, second_;
  int firstRecords_ = 0, secondRecords_ = 0;
};

void LayersTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  first_ = WriteProgram("first.nc", kFirstProgram);
  second_ = WriteProgram("second.nc", kSecondProgram);
}

void LayersTest::OpenTwoLayers() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(first_));
  firstRecords_ = db().recordCount;
  frame.layerCombo().setCurrentIndex(2);
  QCOMPARE(db().layers.workLayer, 2);
  QVERIFY(view().LoadDocument(second_));
  secondRecords_ = db().recordCount;
  frame.layerCombo().setCurrentIndex(0);
  QCOMPARE(db().layers.workLayer, 0);
  QCOMPARE(db().recordCount, firstRecords_);
  QVERIFY(firstRecords_ > 0 && secondRecords_ > 0);
}

void LayersTest::everyLayerItemWorks() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(first_));
  frame.UpdateCommandStates();
  for (const CommandId command : {CommandId::ChooseWorkLayer, CommandId::PickWorkLayer, CommandId::CopyLayerToolpath,
                                  CommandId::LayerSettings, CommandId::LayerEcho, CommandId::LayerColours,
                                  CommandId::ColourByLayer, CommandId::ShowLayerText, CommandId::SaveLayerNcData}) {
    QVERIFY2(frame.Action(command)->isEnabled(), qPrintable(QString::number(CommandNumber(command))));
  }
  QVERIFY(frame.layerCombo().isEnabled());

  AnswerNextDialog([](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select work layer"));
    QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("layer0"))->isChecked());
    dialog.findChild<QRadioButton*>(QStringLiteral("layer4"))->setChecked(true);
    Press(dialog, QStringLiteral("OK"));
  });
  frame.RunCommand(CommandId::ChooseWorkLayer);
  QCOMPARE(db().layers.workLayer, 4);
  QCOMPARE(frame.layerCombo().currentIndex(), 4);
  QCOMPARE(view().document().title, QStringLiteral("Layer 4"));
}

void LayersTest::copyFromLayerTwoIntoTheWorkLayer() {
  OpenTwoLayers();
  db().layers[2].toolNumber = 1;  // the same tool: nothing is asked
  AnswerNextDialog([](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Layer  복사"));
    auto* source = dialog.findChild<NumberField*>(QStringLiteral("source"));
    QCOMPARE(source->text(), QStringLiteral("0"));
    source->setText(QStringLiteral("2"));
    Press(dialog, QStringLiteral("OK"));
  });
  fixture_->frame().RunCommand(CommandId::CopyLayerToolpath);
  QCOMPARE(db().recordCount, firstRecords_ + secondRecords_);
  QCOMPARE(db().RecordAt(firstRecords_)->x, db().layers[2].points.data()[0].x);
  QCOMPARE(db().layers[2].pointCount(), secondRecords_);
}

void LayersTest::copyOfAnotherToolIsAskedAndCancelChangesNothing() {
  OpenTwoLayers();
  const auto copyAnswering = [this](const QString& answer) {
    auto asked = std::make_shared<QString>();
    AnswerNextDialog([asked, answer](QWidget& dialog) {
      dialog.findChild<NumberField*>(QStringLiteral("source"))->setText(QStringLiteral("2"));
      AnswerNextDialog([asked, answer](QWidget& box) {
        *asked = box.windowTitle() + ": " + qobject_cast<QMessageBox*>(&box)->text();
        Press(box, answer);
      });
      Press(dialog, QStringLiteral("OK"));
    });
    fixture_->frame().RunCommand(CommandId::CopyLayerToolpath);
    return *asked;
  };
  QCOMPARE(copyAnswering(QStringLiteral("Cancel")),
           QStringLiteral("Fendo message: ") + Utf8(kLayerToolsDifferText));
  QCOMPARE(db().recordCount, firstRecords_);
  QCOMPARE(db().layers[0].pointCount(), firstRecords_);
  QVERIFY(!copyAnswering(QStringLiteral("OK")).isEmpty());
  QCOMPARE(db().recordCount, firstRecords_ + secondRecords_);
}

void LayersTest::copyDialogTakesOnlyTheUsersLayers() {
  test::ScriptedPrompts prompts;
  CLayerCopyDlg dialog({3, 3}, nullptr);
  dialog.SetPrompts(prompts);
  auto* source = dialog.findChild<NumberField*>(QStringLiteral("source"));
  auto* target = dialog.findChild<NumberField*>(QStringLiteral("target"));
  struct Case {
    QString source, target, message;
  };
  const QList<Case> cases = {
      {"100", "0", "복사할 Layer: 0 ~ 99 사이의 값을 입력하시요."},
      {"-1", "0", "복사할 Layer: 0 ~ 99 사이의 값을 입력하시요."},
      {"2.5", "0", "복사할 Layer: 정수를 입력하시요."},
      {"2", "x", "복사될 Layer: 숫자를 입력하시요."},
      {"2", "255", "복사될 Layer: 0 ~ 99 사이의 값을 입력하시요."},
  };
  for (const Case& c : cases) {
    prompts.messages.clear();
    source->setText(c.source);
    target->setText(c.target);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(prompts.messages, std::vector<std::string>{"Fendo message: " + ToUtf8(c.message)});
    QCOMPARE(dialog.values().source, 3);
  }
  source->setText(QStringLiteral("99"));
  target->setText(QStringLiteral("0"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.values().source, 99);
  QCOMPARE(dialog.values().target, 0);
}

void LayersTest::switchAndBackKeepsTheEditsAndTheCurrentLayerIsNotReloaded() {
  OpenTwoLayers();
  QComboBox& combo = fixture_->frame().layerCombo();
  QVERIFY(db().SetPosition(3, {11, 22, 33}));
  combo.setCurrentIndex(2);
  QCOMPARE(db().recordCount, secondRecords_);
  QCOMPARE(view().document().title, Utf8(db().layers[2].fileName));
  combo.setCurrentIndex(0);
  QCOMPARE(db().recordCount, firstRecords_);
  QCOMPARE(db().RecordAt(3)->x, 11.0f);
  QCOMPARE(view().document().title, Utf8(db().layers[0].fileName));

  // The slot is behind the work buffer now: a reload would lose the edit.
  QVERIFY(db().SetPosition(3, {44, 55, 66}));
  AnswerNextDialog([](QWidget& dialog) { Press(dialog, QStringLiteral("OK")); });
  fixture_->frame().RunCommand(CommandId::ChooseWorkLayer);
  combo.setCurrentIndex(0);
  QCOMPARE(db().RecordAt(3)->x, 44.0f);
}

void LayersTest::undoAfterASwitchStaysInTheLayer() {
  OpenTwoLayers();
  QVERIFY(db().Snapshot(SnapshotMode::Push));
  QVERIFY(db().SetKind(3, MoveKind::None));
  fixture_->frame().layerCombo().setCurrentIndex(2);
  fixture_->frame().RunCommand(CommandId::Undo);
  QCOMPARE(db().recordCount, secondRecords_);
  QCOMPARE(db().layers[2].pointCount(), secondRecords_);
  fixture_->frame().layerCombo().setCurrentIndex(0);
  fixture_->frame().RunCommand(CommandId::Undo);
  // The edit stays: the ring was emptied by the switch.
  QCOMPARE(db().RecordAt(3)->kind, MoveKind::None);
}

void LayersTest::comboBoxAfterLayerUpdate() {
  OpenTwoLayers();
  fixture_->frame().layerCombo().setCurrentIndex(2);
  AnswerNextDialog([](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Layer 정보"));
    auto* list = dialog.findChild<QListWidget*>();
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(list->item(2)->text().startsWith(QStringLiteral("  2  ")));
    QVERIFY(list->item(2)->text().endsWith(QStringLiteral("second.nc")));
    dialog.findChild<QLineEdit*>(QStringLiteral("layerName"))->setText(QStringLiteral("황삭"));
    dialog.findChild<NumberField*>()->setText(QStringLiteral("77"));  // Layer ProgNum
    Press(dialog, QStringLiteral("Layer update"));
    Press(dialog, QStringLiteral("Cancel"));
  });
  fixture_->frame().RunCommand(CommandId::LayerSettings);
  QComboBox& combo = fixture_->frame().layerCombo();
  QCOMPARE(combo.itemText(2), QStringLiteral("황삭"));
  QCOMPARE(combo.itemText(0), QStringLiteral("Layer 0"));
  QCOMPARE(combo.currentIndex(), 2);
  QCOMPARE(db().layers[2].programNumber, 77);
  QCOMPARE(db().layers.workLayer, 2);
}

void LayersTest::comboBoxShowsTheLayersOfTheActiveWindow() {
  CMainFrame& frame = fixture_->frame();
  CFendoView* firstWindow = frame.OpenDocument(first_);
  CFendoView* secondWindow = frame.OpenDocument(second_);
  QVERIFY(firstWindow && secondWindow && firstWindow != secondWindow);
  secondWindow->database().layers[1].layerName = "정삭";
  QMdiArea& windows = frame.mdiArea();
  const auto windowOf = [&windows](CFendoView* view) {
    for (QMdiSubWindow* window : windows.subWindowList()) {
      if (window->isAncestorOf(view)) return window;
    }
    return static_cast<QMdiSubWindow*>(nullptr);
  };
  windows.setActiveSubWindow(windowOf(firstWindow));
  QCOMPARE(frame.layerCombo().itemText(1), QStringLiteral("Layer 1"));
  windows.setActiveSubWindow(windowOf(secondWindow));
  QCOMPARE(frame.layerCombo().itemText(1), QStringLiteral("정삭"));
}

void LayersTest::pickingAToolpathOfAnEchoedLayer() {
  OpenTwoLayers();
  fixture_->frame().RunCommand(CommandId::ViewTop);
  const Projection projection(view().viewState());
  test::ScriptedInput miss;
  miss.Idle().ClickAt({1, 1});
  view().SetInputSource(&miss);
  fixture_->frame().RunCommand(CommandId::PickWorkLayer);
  QCOMPARE(db().layers.workLayer, 0);
  QCOMPARE(miss.sleeps.front(), kLayerPickDelayMilliseconds);

  test::ScriptedInput hit;
  hit.Idle().ClickAt(projection.ToClient({-35, -60, 0}));
  view().SetInputSource(&hit);
  fixture_->frame().RunCommand(CommandId::PickWorkLayer);
  view().SetInputSource(nullptr);
  QVERIFY(!hit.ranOut);
  QCOMPARE(db().layers.workLayer, 2);
  QCOMPARE(fixture_->frame().layerCombo().currentIndex(), 2);
  QCOMPARE(db().recordCount, secondRecords_);
}

void LayersTest::echoListsOfAnyLengthAndTheirMistakes() {
  EchoFlags flags{};
  flags[40] = true;
  test::ScriptedPrompts prompts;
  CEchoLayerDlg dialog(flags, nullptr);
  dialog.SetPrompts(prompts);
  auto* on = dialog.findChild<QLineEdit*>(QStringLiteral("layersOn"));
  auto* off = dialog.findChild<QLineEdit*>(QStringLiteral("layersOff"));
  QTest::keyClicks(on, QStringLiteral("10-12 15 20 21 22 23 24 25 26 27 28 29 30 99"));
  QTest::keyClicks(off, QStringLiteral("40 abc"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QCOMPARE(prompts.messages.size(), std::size_t{1});
  QVERIFY(prompts.messages[0].find("Layer OFF: \"abc\"") != std::string::npos);
  QCOMPARE(off->text(), QStringLiteral("40 abc"));  // kept to be mended

  off->clear();
  QTest::keyClicks(off, QStringLiteral("40 41-42"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const EchoFlags shown = dialog.values();
  std::vector<int> layers;
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) {
    if (shown[layer]) layers.push_back(layer);
  }
  QCOMPARE(layers, (std::vector<int>{10, 11, 12, 15, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 99}));
}

void LayersTest::layerColoursAreSavedAndGivenToTheView() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(first_));
  // color.par in the test's own folder, never in the user's.
  fixture_->app().settings().configDir = fixture_->home().path().string();
  const std::filesystem::path file = LayerColoursPath(fixture_->app().settings());
  AnswerNextDialog([](QWidget& dialog) {
    QComboBox* layer3 = dialog.findChild<QComboBox*>(QStringLiteral("colour3"));
    QCOMPARE(layer3->currentText(), QStringLiteral("Cyan"));
    layer3->setCurrentIndex(5);
    Press(dialog, QStringLiteral("저장"));
    dialog.findChild<QComboBox*>(QStringLiteral("colour4"))->setCurrentIndex(0);
    Press(dialog, QStringLiteral("Cancel"));
  });
  frame.RunCommand(CommandId::LayerColours);
  QCOMPARE(view().layerColours()[3], 3);  // Cancel leaves the view, and the saved file stays
  QCOMPARE(test::ReadFile(file), std::string("0 \n1 \n2 \n5 \n4 \n5 \n6 \n7 \n8 \n9 \n"));

  AnswerNextDialog([](QWidget& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("colour9"))->setCurrentIndex(15);
    Press(dialog, QStringLiteral("OK"));
  });
  frame.RunCommand(CommandId::LayerColours);
  QCOMPARE(view().layerColours()[9], 15);

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);  // a folder where the file should be: it cannot be written
  const std::shared_ptr<ShownMessage> message = std::make_shared<ShownMessage>();
  AnswerNextDialog([message](QWidget& dialog) {
    AnswerNextDialog([message](QWidget& box) {
      message->caption = box.windowTitle();
      message->text = qobject_cast<QMessageBox*>(&box)->text();
      Press(box, QStringLiteral("OK"));
    });
    Press(dialog, QStringLiteral("저장"));
    Press(dialog, QStringLiteral("Cancel"));
  });
  frame.RunCommand(CommandId::LayerColours);
  QCOMPARE(message->caption, QStringLiteral("Error message"));
  QCOMPARE(message->text, QStringLiteral("화일을 열수 없습니다.\n"));
}

void LayersTest::displayTogglesShowTheirCheckMarks() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(first_));
  frame.RunCommand(CommandId::ColourByLayer);
  frame.RunCommand(CommandId::ShowLayerText);
  QVERIFY(frame.Action(CommandId::ColourByLayer)->isChecked());
  QVERIFY(!frame.Action(CommandId::ShowLayerText)->isChecked());
  QVERIFY(db().layers.colourByLayer && !view().options().layerTextShown);
  frame.RunCommand(CommandId::ColourByLayer);
  QVERIFY(!frame.Action(CommandId::ColourByLayer)->isChecked());
}

// The layers read into the program one after the other, listed as the batch tool lists the same
// files read into layers 0, 1.
void LayersTest::layersListingMatchesTheBatchTool() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(first_));
  frame.layerCombo().setCurrentIndex(1);
  QVERIFY(view().LoadDocument(second_));
  const test::BatchRun batch = test::Batch({"layers", "--json", PathBytes(first_), PathBytes(second_)});
  QCOMPARE(batch.status, 0);
  const QStringList lines = Utf8(batch.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 2);
  for (int layer = 0; layer < 2; ++layer) {
    const LayerListing listed = ListLayer(db(), layer);
    const QJsonObject json = QJsonDocument::fromJson(lines[layer].toUtf8()).object();
    QCOMPARE(json.value("number").toInt(), listed.number);
    QCOMPARE(json.value("name").toString(), Utf8(listed.name));
    QCOMPARE(json.value("file").toString(), Utf8(listed.file));
    QCOMPARE(json.value("program").toInt(), listed.program);
    QCOMPARE(json.value("tool").toInt(), listed.tool);
    QCOMPARE(json.value("offset").toInt(), listed.offset);
    QCOMPARE(json.value("spindle").toInt(), listed.spindle);
    QCOMPARE(json.value("records").toInt(), listed.records);
  }
  QCOMPARE(ListLayer(db(), 1).tool, 5);
}

}  // namespace fendo

QTEST_MAIN(fendo::LayersTest)
#include "layers_test.moc"
