#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <type_traits>

#include "app/dialogs/line_breaks.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/path_button.h"
#include "app/fendo_view.h"
#include "app/qt_text.h"
#include "app_fixture.h"
#include "cli/batch_run.h"
#include "core/scripted_prompts.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"

namespace fendo {
namespace {

// The child of `dialog` of type T whose text (or, for a number field, label) is `text`.
template <typename T>
T* Child(QWidget& dialog, const QString& text) {
  for (T* child : dialog.findChildren<T*>()) {
    if constexpr (std::is_same_v<T, NumberField>) {
      if (child->Label() == text) return child;
    } else {
      if (child->text() == text) return child;
    }
  }
  return nullptr;
}

QString ReadText(const QString& path) { return QString::fromStdString(test::ReadFile(PathBytes(path))); }

}  // namespace

class OutputTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void saveNcDataWritesWhatTheBatchConvertWrites();
  void saveButtonAndCtrlSSaveTheNcData();
  void outputDialogRefusesBothFormsAndBrokenNumbers();
  void commentEditorKeepsTheCommentsEncoding();
  void layerOutputParsesTheListAndWritesTheLayers();
  void postProcessorWritesAnEditedSectionAndAsksItsValue();
  void postProcessorRefusesABrokenTemplateWithItsLine();

 private:
  QString Temp(const char* name) const { return fixture_->HomeFile(name); }

  std::unique_ptr<AppFixture> fixture_;
  CFendoView* view_ = nullptr;
};

void OutputTest::init() {
  fixture_ = std::make_unique<AppFixture>();
  view_ = fixture_->frame().OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view_);
}

void OutputTest::cleanup() {
  view_ = nullptr;
  fixture_.reset();
}

void OutputTest::saveNcDataWritesWhatTheBatchConvertWrites() {
  // An editor that notes the file it was given.
  const QString editor = Temp("editor.sh");
  const QString opened = Temp("opened.txt");
  {
    QFile script(editor);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\n").arg(opened).toUtf8());
  }
  QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  fixture_->app().settings().editor = ToUtf8(editor);

  const QString out = Temp("saved.nc");
  AnswerFileDialog(out, [](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Ncdata로 저장"));
    Child<QCheckBox>(dialog, QStringLiteral("N번호 출력"))->click();
    Child<QCheckBox>(dialog, QStringLiteral("가공 정보"))->click();
    Child<QCheckBox>(dialog, QStringLiteral("IJK -> R"))->click();
    Child<QCheckBox>(dialog, QStringLiteral("사선 급속이송"))->click();
    Child<QCheckBox>(dialog, QStringLiteral("프로그램 번호"))->setChecked(true);
    Child<NumberField>(dialog, QStringLiteral("프로그램 번호"))->setText(QStringLiteral("77"));
    Child<NumberField>(dialog, QStringLiteral("Spindle"))->setText(QStringLiteral("2500"));
    dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("  HELLO \nWORLD\n"));
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  fixture_->frame().RunCommand(CommandId::SaveNcData);

  const QString batchOut = Temp("batch.nc");
  const test::BatchRun batch =
      test::Batch({"convert", PathBytes(ExampleFile("bracket.nc")), "-o", PathBytes(batchOut), "--seq",
                   "--machining-info", "--ijk", "--no-diagonal-check", "--program", "77", "--spindle", "2500",
                   "--comment", "HELLO\nWORLD"});
  QCOMPARE(batch.status, 0);
  const QString written = ReadText(out);
  QVERIFY(written.startsWith(QStringLiteral("%\nO77\nN1G21\n(HELLO)\r\n(WORLD)\nN2G90G00G17")));
  QVERIFY(written.contains(QStringLiteral("S2500M03")));
  QVERIFY(written.contains(QStringLiteral("(CUTTING TIME = ")));
  QCOMPARE(written, ReadText(batchOut));

  // The work layer is named after the program written; the editor shows it.
  ToolpathDatabase& db = view_->database();
  QCOMPARE(db.layers[db.layers.workLayer].layerName, PathBytes(out));
  QTRY_COMPARE(ReadText(opened).trimmed(), out);

  // The dialog keeps its choices; the file dialog now proposes the file the layer came from.
  bool sequenceKept = false;
  AnswerNextDialog([&sequenceKept](QWidget& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    QVERIFY(files);
    QVERIFY(files->selectedFiles().value(0).endsWith(QStringLiteral("bracket.nc")));
    AnswerNextDialog([&sequenceKept](QWidget& output) {
      sequenceKept = Child<QCheckBox>(output, QStringLiteral("N번호 출력"))->isChecked() &&
                     !Child<QCheckBox>(output, QStringLiteral("IJK -> R"))->isChecked();
      qobject_cast<QDialog*>(&output)->reject();
    });
    AcceptFile(files, QStringLiteral("unused.nc"));
  });
  fixture_->frame().RunCommand(CommandId::SaveNcData);
  QVERIFY(sequenceKept);
}

// The toolbar's save button and Ctrl+S write the program as the menu's "Ncdata로 저장" does.
void OutputTest::saveButtonAndCtrlSSaveTheNcData() {
  CMainFrame& frame = fixture_->frame();
  // The bracket's helical entry turns full circles, which R cannot name: the message after the
  // program says so.
  std::shared_ptr<ShownMessage> shown;
  const auto saveTo = [&shown](const QString& path) {
    AnswerFileDialog(path, [&shown](QWidget& dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Ncdata로 저장"));
      Child<QCheckBox>(dialog, QStringLiteral("사선 급속이송"))->setChecked(false);
      Child<QCheckBox>(dialog, QStringLiteral("파일 생성후 편집기"))->setChecked(false);
      shown = CatchNextMessage();
      qobject_cast<QDialog*>(&dialog)->accept();
    });
  };
  saveTo(Temp("menu.nc"));
  frame.RunCommand(CommandId::SaveNcData);
  const QString written = ReadText(Temp("menu.nc"));
  QVERIFY(written.contains(QStringLiteral("G01")));
  QVERIFY(shown);
  QVERIFY2(shown->text.contains(QStringLiteral("I J K로: 4개")), qPrintable(shown->text));

  QToolButton* button = nullptr;
  for (QToolBar* bar : frame.findChildren<QToolBar*>()) {
    if (QWidget* shown = bar->widgetForAction(frame.Action(CommandId::Save))) button = qobject_cast<QToolButton*>(shown);
  }
  QVERIFY(button);
  QVERIFY(button->isEnabled());
  saveTo(Temp("button.nc"));
  button->click();
  QCOMPARE(ReadText(Temp("button.nc")), written);

  frame.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&frame));
  view_->setFocus();
  saveTo(Temp("key.nc"));
  QTest::keyClick(view_, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(ReadText(Temp("key.nc")), written);
}

// A CP949 comment is edited as text and stored back in CP949; bytes that were not edited stay
// as they were, even where they mean no character.
void OutputTest::commentEditorKeepsTheCommentsEncoding() {
  const std::string cp949 = "\xC8\xB2\xBB\xE8 D10\r\n";
  QCOMPARE(ShownComment(cp949), QStringLiteral("황삭 D10\n"));
  QCOMPARE(StoredComment(QStringLiteral("황삭 D10\n"), cp949), cp949);
  QCOMPARE(StoredComment(QStringLiteral("황삭 D12\n"), cp949), std::string("\xC8\xB2\xBB\xE8 D12\r\n"));
  QCOMPARE(StoredComment(QStringLiteral("황삭 \u00B1\n"), cp949), std::string("\xC8\xB2\xBB\xE8 \xA1\xBE\r\n"));
  // A character CP949 lacks: the comment goes in UTF-8.
  QCOMPARE(StoredComment(QStringLiteral("황삭 \u0101\n"), cp949), ToUtf8(QStringLiteral("황삭 \u0101\r\n")));
  QCOMPARE(StoredComment(QStringLiteral("NEW\n"), std::string()), std::string("NEW\r\n"));
  const std::string unmapped = "\xFE\xA1 T1\r\n";
  QCOMPARE(StoredComment(ShownComment(unmapped), unmapped), unmapped);
}

void OutputTest::outputDialogRefusesBothFormsAndBrokenNumbers() {
  QStringList messages;
  bool stayedOpen = false;
  AnswerFileDialog(Temp("never.nc"), [&](QWidget& dialog) {
    auto* incremental = Child<QCheckBox>(dialog, QStringLiteral("Incremental (G91)"));
    auto* heidenhain = Child<QCheckBox>(dialog, QStringLiteral("하이덴하인"));
    const auto clickAndCatch = [&messages](QCheckBox* box) {
      const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
      box->click();
      messages << shown->caption + QLatin1Char('|') + shown->text;
    };
    heidenhain->click();
    clickAndCatch(incremental);
    QVERIFY(heidenhain->isChecked());
    QVERIFY(!incremental->isChecked());
    heidenhain->click();
    incremental->click();
    clickAndCatch(heidenhain);
    QVERIFY(incremental->isChecked());
    QVERIFY(!heidenhain->isChecked());

    // A spindle speed that is no whole number, then one out of range, keep the dialog open.
    auto* spindle = Child<NumberField>(dialog, QStringLiteral("Spindle"));
    for (const char* text : {"1.5", "100001"}) {
      spindle->setText(QString::fromLatin1(text));
      const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
      qobject_cast<QDialog*>(&dialog)->accept();
      messages << shown->text;
    }
    stayedOpen = dialog.isVisible();
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  fixture_->frame().RunCommand(CommandId::SaveNcData);
  const QString refused = QStringLiteral(" Message| Incremental ncdata를 하이덴하인으로 출력할 수 없습니다.!!!");
  QCOMPARE(messages.value(0), refused);
  QCOMPARE(messages.value(1), refused);
  QVERIFY(messages.value(2).contains(QStringLiteral("정수")));
  QVERIFY(messages.value(3).contains(QStringLiteral("100000")));
  QVERIFY(stayedOpen);
  QVERIFY(!QFile::exists(Temp("never.nc")));
}

void OutputTest::layerOutputParsesTheListAndWritesTheLayers() {
  ToolpathDatabase& db = view_->database();
  QVERIFY(db.layers.CopyLayer(0, 2));
  const QString out = Temp("layers.nc");
  QStringList refusals;
  std::shared_ptr<ShownMessage> arcsWritten;
  // The work layer was never named from a file: the file is asked for before the dialog.
  AnswerFileDialog(out, [&](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    auto* list = dialog.findChild<QListWidget*>();
    QCOMPARE(list->count(), 100);
    QCOMPARE(list->currentRow(), 0);
    list->setCurrentRow(2);
    QCOMPARE(Child<NumberField>(dialog, QStringLiteral("Layer ToolNum"))->text(),
             QString::number(db.layers[2].toolNumber));
    Child<QLineEdit>(dialog, QStringLiteral("Layer 2"))->setText(QStringLiteral("ROUGH"));
    Child<NumberField>(dialog, QStringLiteral("Layer ToolNum"))->setText(QStringLiteral("5"));
    Child<NumberField>(dialog, QStringLiteral("Layer spindle"))->setText(QStringLiteral("3000"));
    dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("SECOND"));
    Child<QPushButton>(dialog, QStringLiteral("Layer update"))->click();
    QCOMPARE(list->item(2)->text(), QStringLiteral("  2  ROUGH"));

    // The output list: a word or a layer beyond the user's is refused, the dialog stays.
    QLineEdit* layers = nullptr;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
      if (!dynamic_cast<NumberField*>(edit) && edit->text().isEmpty()) layers = edit;
    }
    QVERIFY(layers);
    for (const char* text : {"2 x", "0-100"}) {
      layers->setText(QString::fromLatin1(text));
      const std::shared_ptr<ShownMessage> shown = CatchNextMessage();
      qobject_cast<QDialog*>(&dialog)->accept();
      refusals << shown->text;
    }
    // The layers start and end at the height the program states, so going from one to the next
    // is a move across in X and Y only: no diagonal rapid is asked about.
    layers->setText(QStringLiteral(" 2  0-0\t2 "));
    arcsWritten = CatchNextMessage();
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  fixture_->frame().RunCommand(CommandId::SaveLayerNcData);
  QCOMPARE(refusals.size(), 2);
  QVERIFY(refusals[0].startsWith(QStringLiteral("출력 layer")));
  // Layer 2 twice and layer 0: the bracket's four helical full circles three times, by I J K.
  QVERIFY2(arcsWritten->text.contains(QStringLiteral("I J K로: 12개")), qPrintable(arcsWritten->text));

  const LayerSlot& second = db.layers[2];
  QCOMPARE(second.layerName, std::string("ROUGH"));
  QCOMPARE(second.toolNumber, 5);
  QCOMPARE(second.spindle, 3000);
  QCOMPARE(second.comment, std::string("SECOND\r\n"));

  // The same layers in the same order, written by the engine.
  NcOutputOptions options = LayerOutputOptions(db);
  options.outputPath = PathBytes(Temp("expected.nc"));
  test::ScriptedPrompts prompts;
  QVERIFY(WriteLayerNcProgram(db, {2, 0, 2}, options, prompts).ok());
  const QString written = ReadText(out);
  QVERIFY(written.startsWith(QStringLiteral("%\nO%1\nG21\n(SECOND)\nG90G00G17").arg(db.layers[0].programNumber)));
  QVERIFY(written.contains(QStringLiteral("T5M06")));
  QCOMPARE(written, ReadText(Temp("expected.nc")));

  // A range that names no layer writes nothing; the dialog kept the last list.
  QString shownList;
  AnswerFileDialog(out, [&shownList](QWidget& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
      if (!dynamic_cast<NumberField*>(edit) && edit->text().contains(QLatin1Char('-'))) {
        shownList = edit->text();
        edit->setText(QStringLiteral("3-1"));
      }
    }
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  QFile::remove(out);
  fixture_->frame().RunCommand(CommandId::SaveLayerNcData);
  QCOMPARE(shownList, QStringLiteral(" 2  0-0\t2 "));
  QVERIFY(!QFile::exists(out));
}

void OutputTest::postProcessorWritesAnEditedSectionAndAsksItsValue() {
  fixture_->app().settings().postDir = fixture_->home().path().string();
  const QString out = Temp("post.nc");
  const QString savedTemplate = Temp("mine.ppr");
  QString askedLabel;
  AnswerFileDialog(out, [&](QWidget& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("NC DATA 출력"));
    // "시작" edits [Start]; a last piece without its line break is not kept.
    AnswerNextDialog([](QWidget& section) {
      auto* edit = section.findChild<QPlainTextEdit*>();
      QVERIFY(edit->toPlainText().startsWith(QStringLiteral("%\nO$O\n")));
      edit->setPlainText(QStringLiteral("%\nT?T\nN$NG90[$X][$Y][$Z]\nLAST"));
      qobject_cast<QDialog*>(&section)->accept();
    });
    Child<QPushButton>(dialog, QStringLiteral("시작"))->click();

    // "PP저장" writes the edited template to the file picked.
    AnswerFileDialog(savedTemplate);
    Child<QPushButton>(dialog, QStringLiteral("PP저장"))->click();

    Child<NumberField>(dialog, QStringLiteral("Spindle"))->setText(QStringLiteral("1234"));
    Child<QCheckBox>(dialog, QStringLiteral("공구번호"))->setChecked(false);
    // The prompt variable asks while the program is written.
    AnswerNextDialog([&askedLabel](QWidget& ask) {
      for (QLabel* label : ask.findChildren<QLabel*>()) askedLabel += label->text();
      for (QLineEdit* edit : ask.findChildren<QLineEdit*>()) edit->setText(QStringLiteral("7"));
      qobject_cast<QDialog*>(&ask)->accept();
    });
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  fixture_->frame().RunCommand(CommandId::PostProcess);

  QVERIFY2(askedLabel.contains(QStringLiteral("T Code값을   입력하시요 !!")), qPrintable(askedLabel));
  const QString written = ReadText(out);
  QVERIFY2(written.startsWith(QStringLiteral("%\nT7\nN1G90X")), qPrintable(written.left(80)));
  QVERIFY(!written.contains(QStringLiteral("LAST")));
  QVERIFY(written.contains(QStringLiteral("S1234M03")));
  QVERIFY(written.endsWith(QStringLiteral("M30\n%\n")));
  const QString saved = ReadText(savedTemplate);
  QVERIFY(saved.contains(QStringLiteral("\r\n[Start]\r\n%\r\nT?T\r\nN$NG90[$X][$Y][$Z]\r\n[End]\r\n")));

  // The work layer and the window's title now name the program written.
  ToolpathDatabase& db = view_->database();
  QCOMPARE(db.layers[db.layers.workLayer].fileName, PathBytes(out));
  QCOMPARE(view_->document().title, QDir::toNativeSeparators(out));
}

// default.ppr without the [End] of its section is not used: the message names the line, and
// the dialog opens with the built-in template.
void OutputTest::postProcessorRefusesABrokenTemplateWithItsLine() {
  fixture_->app().settings().postDir = fixture_->home().path().string();
  {
    QFile broken(Temp("default.ppr"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("[Cut]\r\nN$NX$X\r\n");
  }
  QString refusal;
  bool dialogShown = false;
  AnswerFileDialog(Temp("post.nc"), [&](QWidget& message) {
    refusal = qobject_cast<QMessageBox*>(&message)->text();
    AnswerNextDialog([&dialogShown](QWidget& dialog) {
      dialogShown = dialog.windowTitle() == QStringLiteral("NC DATA 출력");
      qobject_cast<QDialog*>(&dialog)->reject();
    });
    qobject_cast<QDialog*>(&message)->accept();
  });
  fixture_->frame().RunCommand(CommandId::PostProcess);
  QVERIFY2(refusal.contains(QStringLiteral("line 1: [Cut] has no [End] before the end of the file")),
           qPrintable(refusal));
  QVERIFY(dialogShown);
  QVERIFY(!QFile::exists(Temp("post.nc")));
}

}  // namespace fendo

QTEST_MAIN(fendo::OutputTest)
#include "output_test.moc"
