#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

#include <fstream>
#include <set>

#include "app/command_icons.h"
#include "app/command_table.h"
#include "app/fendo_view.h"
#include "app/nc_file_dialog.h"
#include "app/qt_text.h"
#include "app/qt_translations.h"
#include "app/toolbar_layout.h"
#include "app_fixture.h"
#include "config/system_settings.h"

namespace fendo {
namespace {

// The menu reached by a popup path, or nullptr.
QMenu* MenuAt(QMenuBar& bar, std::string_view path) {
  QList<QAction*> actions = bar.actions();
  QMenu* menu = nullptr;
  for (const QString& level : Utf8(path).split(Utf8(kMenuLevelSeparator))) {
    menu = nullptr;
    for (QAction* action : actions) {
      if (action->menu() && action->text() == level) menu = action->menu();
    }
    if (!menu) return nullptr;
    actions = menu->actions();
  }
  return menu;
}

// Every command of the table is in its menu with its exact text and shown key.
void ExpectMenusFrom(QMenuBar& bar, std::span<const CommandRow> commands) {
  for (const CommandRow& row : commands) {
    QMenu* menu = MenuAt(bar, row.menu);
    QVERIFY2(menu, row.menu.data());
    QString expected = Utf8(row.text);
    if (!row.shownKey.empty()) expected += QLatin1Char('\t') + Utf8(row.shownKey);
    bool found = false;
    for (QAction* action : menu->actions()) found = found || action->text() == expected;
    QVERIFY2(found, qPrintable(expected));
  }
}

// Closes every message box shown while it lives and keeps what each said.
class MessageCloser {
 public:
  MessageCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown_ << box->windowTitle() + ": " + box->text();
        box->accept();
      }
    });
    timer_.start(kAnswerPollMs);
  }
  const QStringList& shown() const { return shown_; }

 private:
  QTimer timer_;
  QStringList shown_;
};

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<AppFixture>(); }
  void cleanup() { fixture_.reset(); }

  void menusFollowTheCommandTable();
  void commandsOfLaterWorkAreGreyed();
  void checkMarksFollowTheView();
  void toolBarsCarryIconsAndTips();
  void layerComboListsOneHundredLayers();
  void statusBarPanes();
  void openingAFileThatIsNotThereChangesNothing();
  void openAndAddExamples();
  void absoluteArcCentresAreToldWhenOpened();
  void recentFilesRememberWhatWasOpened();
  void viewDirectionKeysAndAccelerators();
  void printPreviewDrawsThePage();
  void aNativeProgram();

 private:
  std::unique_ptr<AppFixture> fixture_;
};

void FrameTest::menusFollowTheCommandTable() {
  CMainFrame& frame = fixture_->frame();
  ExpectMenusFrom(*frame.menuBar(), FrameCommands());
  QVERIFY(frame.OpenDocument(ExampleFile("bracket.nc")));
  ExpectMenusFrom(*frame.menuBar(), NcViewCommands());
  QCOMPARE(frame.menuBar()->actions().first()->text(), QStringLiteral("파일(&F)"));
  frame.OnCloseWindow();
  QTRY_VERIFY(frame.ActiveView() == nullptr);
  QVERIFY(MenuAt(*frame.menuBar(), "최적화") == nullptr);
}

void FrameTest::commandsOfLaterWorkAreGreyed() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(ExampleFile("bracket.nc")));
  frame.UpdateCommandStates();
  for (const CommandRow& row : NcViewCommands()) {
    if (std::holds_alternative<RecentFiles>(row.handler)) continue;
    const bool built = !std::holds_alternative<std::monostate>(row.handler);
    QVERIFY2(frame.Action(row.id)->isEnabled() == built, row.text.data());
  }
  // The view's own commands need a view.
  frame.OnCloseWindow();
  QTRY_VERIFY(frame.ActiveView() == nullptr);
  QVERIFY(!frame.Action(CommandId::ViewTop)->isEnabled());
  QVERIFY(frame.Action(CommandId::OpenFile)->isEnabled());
}

void FrameTest::checkMarksFollowTheView() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(ExampleFile("bracket.nc")));
  const auto checked = [&frame](CommandId command) { return frame.Action(command)->isChecked(); };
  QVERIFY(checked(CommandId::ShowRapids));
  QVERIFY(!checked(CommandId::InvertBackground));
  QVERIFY(checked(CommandId::RotateMode));
  QVERIFY(!checked(CommandId::PanMode) && !checked(CommandId::SelectMode));
  QVERIFY(checked(CommandId::ShowFeedColours));
  QVERIFY(checked(CommandId::ShowLayerText));
  QVERIFY(!checked(CommandId::ShowMasterModel) && !checked(CommandId::ColourByLayer));

  frame.RunCommand(CommandId::PanMode);
  QVERIFY(checked(CommandId::PanMode) && !checked(CommandId::RotateMode) && !checked(CommandId::SelectMode));
  frame.RunCommand(CommandId::PanMode);
  QVERIFY(!checked(CommandId::RotateMode) && !checked(CommandId::PanMode) && !checked(CommandId::SelectMode));
  frame.RunCommand(CommandId::ShowRapids);
  frame.RunCommand(CommandId::InvertBackground);
  QVERIFY(!checked(CommandId::ShowRapids) && checked(CommandId::InvertBackground));
  QVERIFY(!frame.ActiveView()->options().rapidShown && frame.ActiveView()->options().backgroundInverted);
  // There is no master model to show yet.
  frame.RunCommand(CommandId::ShowMasterModel);
  QVERIFY(!checked(CommandId::ShowMasterModel));
}

void FrameTest::toolBarsCarryIconsAndTips() {
  CMainFrame& frame = fixture_->frame();
  const QList<QToolBar*> bars = frame.findChildren<QToolBar*>();
  QCOMPARE(bars.size(), 7);
  int buttons = 0;
  for (QToolBar* bar : bars) {
    for (QAction* action : bar->actions()) {
      if (action->isSeparator() || !action->objectName().startsWith(QStringLiteral("command"))) continue;
      ++buttons;
      QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
      QVERIFY(!action->toolTip().isEmpty());
      QVERIFY(!action->toolTip().contains(QLatin1Char('&')));
    }
  }
  int commands = 0;
  for (const ToolBarLayout& layout : ToolBars()) {
    for (CommandId command : layout.buttons) commands += command != kToolBarSeparator && command != kLayerComboCommand;
  }
  QCOMPARE(buttons, commands);
  QCOMPARE(frame.Action(CommandId::ViewTop)->toolTip(), QStringLiteral("위에서 보기(F1)"));
  // The two reader commands have prompts of their own.
  QCOMPARE(frame.Action(CommandId::OpenNcData)->statusTip(), QStringLiteral("NCDATA를 불러옵니다."));
  QCOMPARE(frame.Action(CommandId::OpenNcData)->toolTip(), QStringLiteral("NCDATA 불러오기"));
  QCOMPARE(frame.Action(CommandId::AddNcData)->statusTip(), QStringLiteral("NCDATA 화일 추가"));
}

void FrameTest::layerComboListsOneHundredLayers() {
  QComboBox& combo = fixture_->frame().layerCombo();
  QCOMPARE(combo.count(), 100);
  QCOMPARE(combo.itemText(0), QStringLiteral("Layer   0"));
  QCOMPARE(combo.itemText(7), QStringLiteral("Layer   7"));
  QCOMPARE(combo.itemText(99), QStringLiteral("Layer  99"));
  QCOMPARE(combo.currentIndex(), 0);
}

void FrameTest::statusBarPanes() {
  StatusPanes& panes = fixture_->frame().statusPanes();
  const QStringList initial = {QString(), "Gxxx", "X:00000000", "Y:00000000", "Z:00000000",
                               "R:0000000", "F:00000.00   ", "선택된 포인트의 좌표를 출력합니다."};
  for (int k = 0; k < StatusPanes::kPaneCount; ++k) QCOMPARE(panes.Text(static_cast<StatusPane>(k)), initial[k]);
}

void FrameTest::openingAFileThatIsNotThereChangesNothing() {
  CMainFrame& frame = fixture_->frame();
  CFendoView* view = frame.OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view);
  const int records = view->database().recordCount;
  const int undoPos = view->database().undoPos();
  const QString title = frame.windowTitle();

  const auto shown = CatchNextMessage();
  QVERIFY(frame.OpenDocument(fixture_->HomeFile("missing.nc")) == nullptr);
  QCOMPARE(shown->caption, QStringLiteral("Error message"));
  QCOMPARE(shown->text, QStringLiteral("화일을 열수 없습니다.\n"));
  QTRY_COMPARE(frame.mdiArea().subWindowList().size(), 1);
  QCOMPARE(view->database().recordCount, records);
  QCOMPARE(frame.windowTitle(), title);

  // An image opened or added by mistake is refused with the reason, and changes nothing either.
  const QString image = fixture_->HomeFile("photo.png");
  QFile file(image);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
  file.close();
  const auto refused = CatchNextMessage();
  QVERIFY(frame.OpenDocument(image) == nullptr);
  QCOMPARE(refused->text, QStringLiteral("NC 프로그램이 아닙니다."));
  QString notAdded;
  AnswerFileDialog(image, [&notAdded](QWidget& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) notAdded = box->text();
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  frame.RunCommand(CommandId::AddNcData);
  QCOMPARE(notAdded, QStringLiteral("NC 프로그램이 아닙니다."));
  QTRY_COMPARE(frame.mdiArea().subWindowList().size(), 1);
  QCOMPARE(view->database().recordCount, records);
  QCOMPARE(view->database().undoPos(), undoPos);
}

void FrameTest::openAndAddExamples() {
  CMainFrame& frame = fixture_->frame();
  CFendoView* view = frame.OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view);
  const int bracket = view->database().recordCount;
  QVERIFY(bracket > 100);
  QVERIFY(frame.windowTitle().startsWith(QStringLiteral("Morvane - [")));
  QVERIFY(frame.windowTitle().contains(QStringLiteral("bracket.nc")));
  QCOMPARE(view->database().layers[view->database().layers.workLayer].fileName,
           ToUtf8(view->document().title));

  // "Ncdata 추가하기" puts the chosen program behind the one there; the copy starts where the
  // first one ended, at the height its first moves took (Z50), and so reads the same.
  AnswerFileDialog(ExampleFile("bracket.nc"));
  frame.RunCommand(CommandId::AddNcData);
  QCOMPARE(view->database().recordCount, 2 * bracket);

  // "Ncdata 불러오기" replaces it (a Heidenhain program with the reader set for it), and the
  // add dialog kept its own folder.
  view->database().options.heidenhainInputChk = true;
  AnswerFileDialog(ExampleFile("flange.h"));
  frame.RunCommand(CommandId::OpenNcData);
  QVERIFY(view->database().recordCount > 10);
  QVERIFY(view->database().recordCount != 2 * bracket - 1);
  QVERIFY(view->document().title.endsWith(QStringLiteral("flange.h")));
  QVERIFY(fixture_->app().LastDialogPath(CommandId::AddNcData).endsWith(QStringLiteral("bracket.nc")));
  QVERIFY(fixture_->app().LastDialogPath(CommandId::OpenNcData).endsWith(QStringLiteral("flange.h")));
}

// Eight quarter circles whose centres are written as coordinates without G90.1: opened as
// offsets, one message says so and names the option; with the option on, nothing is said.
void FrameTest::absoluteArcCentresAreToldWhenOpened() {
  const QString program = fixture_->HomeFile("absolute.nc");
  std::ofstream(ToUtf8(program)) << "G01 X10 Y0 F100\nG03 X0 Y10 I0 J0\nX-10 Y0 I0 J0\nX0 Y-10 I0 J0\n"
                                    "X10 Y0 I0 J0\nX0 Y10 I0 J0\nX-10 Y0 I0 J0\nX0 Y-10 I0 J0\nX10 Y0 I0 J0\n";
  const MessageCloser messages;
  CFendoView* view = fixture_->frame().OpenDocument(program);
  QVERIFY(view);
  QCOMPARE(messages.shown(),
           QStringList{QStringLiteral("Fendo message: 이 프로그램의 원호 중심(I, J, K)은 절대좌표로 보입니다.\n"
                                      "I, J, K가 있는 원호 8개 중 8개는 시작점 기준으로 읽으면 시작점과 끝점의 반경이 "
                                      "맞지 않고, 그 중 8개는 절대좌표로 읽으면 맞습니다.\n"
                                      "설정에서 \"Arc 중심 절대좌표\"를 켜고 다시 불러오십시오.")});

  view->database().options.arcCentreAbsInputChk = true;
  QVERIFY(view->LoadDocument(program));
  QCOMPARE(messages.shown().size(), 1);
  ToolpathDatabase& db = view->database();
  int centre = 0;
  while (centre < db.recordCount && db.RecordAt(centre)->kind != MoveKind::CentreXY) ++centre;
  QVERIFY(centre < db.recordCount);
  QCOMPARE(db.RecordAt(centre)->x, -10.0f);
}

void FrameTest::recentFilesRememberWhatWasOpened() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(ExampleFile("bracket.nc")));
  // The reader is set for ISO: the Heidenhain program opens, and the user is told how to read it.
  const MessageCloser messages;
  QVERIFY(frame.OpenDocument(ExampleFile("flange.h")));
  QCOMPARE(messages.shown().size(), 1);
  QVERIFY(messages.shown()[0].contains(QStringLiteral("Heidenhain 대화형 프로그램으로 보입니다")));
  QVERIFY(messages.shown()[0].contains(QStringLiteral("\"Heidenhain 입력\"을 켜고")));
  const QStringList files = fixture_->app().recentFiles().files();
  QCOMPARE(files.size(), 2);
  QVERIFY(files[0].endsWith(QStringLiteral("flange.h")));
  QSettings store(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Fendo"));
  QVERIFY(store.value(QStringLiteral("Recent File List/File2")).toString().endsWith(QStringLiteral("bracket.nc")));
}

void FrameTest::viewDirectionKeysAndAccelerators() {
  CMainFrame& frame = fixture_->frame();
  CFendoView* view = frame.OpenDocument(ExampleFile("bracket.nc"));
  QVERIFY(view);
  frame.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&frame));
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F1);
  QCOMPARE(view->viewState().angleA, 0);
  QCOMPARE(view->viewState().angleC, 0);
  QTest::keyClick(view, Qt::Key_F5);
  QCOMPARE(view->viewState().angleC, 240);
  QTest::keyClick(view, Qt::Key_F8);
  const double scale = view->viewState().scale;
  QTest::keyClick(view, Qt::Key_F9);
  QCOMPARE(view->viewState().scale, scale * 2);
  QTest::keyClick(view, Qt::Key_F8);
  QCOMPARE(view->viewState().scale, scale);

  // The view's own keys: the arrows pan, the six keys above them turn by 10 degrees.
  QTest::keyClick(view, Qt::Key_F1);
  const ViewState top = view->viewState();
  const std::pair<Qt::Key, Qt::Key> panKeys[] = {{Qt::Key_Left, Qt::Key_Right}, {Qt::Key_Up, Qt::Key_Down}};
  for (const auto& [there, back] : panKeys) {
    QTest::keyClick(view, there);
    QVERIFY(view->viewState().panX > top.panX || view->viewState().panY > top.panY);
    QTest::keyClick(view, back);
    QCOMPARE(view->viewState().panX, top.panX);
    QCOMPARE(view->viewState().panY, top.panY);
  }
  struct Turn {
    Qt::Key up;
    Qt::Key down;
    int ViewState::*angle;
  };
  const Turn turns[] = {{Qt::Key_Insert, Qt::Key_Delete, &ViewState::angleA},
                        {Qt::Key_Home, Qt::Key_End, &ViewState::angleB},
                        {Qt::Key_PageUp, Qt::Key_PageDown, &ViewState::angleC}};
  for (const Turn& turn : turns) {
    QTest::keyClick(view, turn.up);
    QCOMPARE(view->viewState().*turn.angle, 10);
    QTest::keyClick(view, turn.down);
    QTest::keyClick(view, turn.down);
    QCOMPARE(view->viewState().*turn.angle, 350);
  }

  // In select mode Backspace inverts the selection and Space clears it.
  const auto selected = [view] {
    int count = 0;
    view->database().ForEachRecord([&count](int, const ToolpathRecord& r) { count += r.selected != 0; });
    return count;
  };
  frame.RunCommand(CommandId::SelectMode);
  QTest::keyClick(view, Qt::Key_Backspace);
  QVERIFY(selected() > 0);
  QTest::keyClick(view, Qt::Key_Space);
  QCOMPARE(selected(), 0);
}

void FrameTest::printPreviewDrawsThePage() {
  CMainFrame& frame = fixture_->frame();
  QVERIFY(frame.OpenDocument(ExampleFile("bracket.nc")));
  bool shown = false;
  AnswerNextDialog([&shown](QWidget& dialog) {
    shown = qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr;
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  frame.RunCommand(CommandId::PrintPreview);
  QVERIFY(shown);
}

// The program's own icon on its window, Qt's dialogs in Korean, and NC programs of every
// common name in the file dialogs whatever FileExt holds.
void FrameTest::aNativeProgram() {
  const QImage icon = ApplicationIcon().pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(fixture_->frame().windowIcon().pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32), icon);
  std::set<QRgb> colours;
  int painted = 0;
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) {
      if (qAlpha(icon.pixel(x, y)) < 255) continue;
      ++painted;
      colours.insert(icon.pixel(x, y));
    }
  }
  QVERIFY2(painted > icon.width() * icon.height() / 4, "the icon fills a good part of its square");
  QVERIFY2(colours.size() >= 4, "plate, toolpath, tool and rapid move in their colours");
  QCOMPARE(ApplicationIcon().availableSizes().last(), QSize(256, 256));

  QTranslator qtTexts;
  QVERIFY2(LoadQtTranslations(qtTexts), "qt6-translations-l10n is installed (scripts/setup)");
  QCOMPARE(qtTexts.translate("QPlatformTheme", "Cancel"), QStringLiteral("취소"));

  SystemSettings settings = DefaultSystemSettings();
  settings.fileExt = "*.nc";
  QFileDialog files;
  files.setNameFilter(NcFileFilter(settings));
  QCOMPARE(files.nameFilters(), (QStringList{QStringLiteral("NCDATA FILE (*.nc)"),
                                             QStringLiteral("NC 프로그램 (*.nc *.ngc *.tap *.h *.hnc *.ppp *.cnc *.iso "
                                                            "*.mpf *.eia *.gcode *.ncc)"),
                                             QStringLiteral("All Files (*)")}));
}

}  // namespace fendo

QTEST_MAIN(fendo::FrameTest)
#include "frame_test.moc"
