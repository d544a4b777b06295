#include "app/command_table.h"

#include "app/commands/check_commands.h"
#include "app/commands/contour_commands.h"
#include "app/commands/conversion_commands.h"
#include "app/commands/delete_commands.h"
#include "app/commands/direction_commands.h"
#include "app/commands/feed_change_commands.h"
#include "app/commands/generate_commands.h"
#include "app/commands/layer_commands.h"
#include "app/commands/master_model_commands.h"
#include "app/commands/offset_commands.h"
#include "app/commands/optimizer_commands.h"
#include "app/commands/output_commands.h"
#include "app/commands/pencil_commands.h"
#include "app/commands/point_edit_commands.h"
#include "app/commands/ring_commands.h"
#include "app/commands/transform_commands.h"
#include "app/commands/trim_commands.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"

namespace fendo {
namespace {

const CommandRow kNcViewCommands[] = {
    {CommandId::NewWindow, "파일(&F)", "새창 열기(&N)", "Ctrl+N", FrameCommand{&CMainFrame::OnNewWindow}},
    {CommandId::OpenNcData, "파일(&F)", "Ncdata 불러오기(&N)...", "Ctrl+N", ViewCommand{&CFendoView::OnOpenNcData}, nullptr,
     "NCDATA를 불러옵니다.\nNCDATA 불러오기"},
    {CommandId::AddNcData, "파일(&F)", "Ncdata 추가하기(&D)...", "Ctrl+D", ViewCommand{&CFendoView::OnAddNcData}, nullptr,
     "NCDATA 화일 추가"},
    {CommandId::CloseWindow, "파일(&F)", "창 닫기(&C)", "", FrameCommand{&CMainFrame::OnCloseWindow}},
    {CommandId::SaveNcData, "파일(&F)", "Ncdata로 저장(&C)", "Ctrl+C", ViewFunction{&SaveNcData}},
    {CommandId::SaveLayerNcData, "파일(&F)", "Layer ncdata 저장(&L)", "Ctrl+C", ViewFunction{&SaveLayerNcData}, nullptr,
     "각 Layer에 있는 여러개의 ncdata를 1개의 파일로 저장합니다."},
    {CommandId::PostProcess, "파일(&F)", "Post Processor", "", ViewFunction{&RunPostProcessor}, nullptr,
     "사용자 정의에 의한 ncdata 출력"},
    {CommandId::Print, "파일(&F)", "인쇄(&P)...", "Ctrl+P", ViewCommand{&CFendoView::OnFilePrint}},
    {CommandId::PrintPreview, "파일(&F)", "인쇄 미리 보기(&V)", "", ViewCommand{&CFendoView::OnFilePrintPreview}},
    {CommandId::PrintSetup, "파일(&F)", "인쇄 설정(&R)...", "", FrameCommand{&CMainFrame::OnPrintSetup}},
    {CommandId::RecentFiles, "파일(&F)", "최근 파일", "", RecentFiles{}},
    {CommandId::Exit, "파일(&F)", "종료(&X)", "", FrameCommand{&CMainFrame::OnExit}},
    {CommandId::SelectCorners, "최적화 › 코너 분리", "코너 부위 선택", "", ViewFunction{&SelectCornerRegionsCommand}},
    {CommandId::TrimToCorners, "최적화 › 코너 분리", "코너부위를 트림한다.", "", ViewFunction{&TrimToCornerRegionsCommand}},
    {CommandId::Pencil, "최적화", "펜슬", "", ViewFunction{&PencilCommand}, nullptr, "공구경로에 의한 펜슬 경로 생성"},
    {CommandId::GenerateContours, "최적화", "등고선 공구경로 생성", "", ViewFunction{&GenerateContoursCommand}},
    {CommandId::AdjustRadialSpacing, "최적화", "방사선 간격조절", "", ViewFunction{&AdjustRadialSpacingCommand}},
    {CommandId::SuppressZMoves, "최적화", "Z 상향", "", ViewFunction{&SuppressZMovesCommand}},
    {CommandId::GeneratePocket, "최적화 › 2D 공구경로 생성", "Pocket", "", ViewFunction{&GeneratePocketCommand}},
    {CommandId::GenerateProfile, "최적화 › 2D 공구경로 생성", "Profile", "", ViewFunction{&GenerateProfileCommand}},
    {CommandId::GenerateFace, "최적화 › 2D 공구경로 생성", "Face", "", ViewFunction{&GenerateFaceCommand}},
    {CommandId::GenerateRadial, "최적화 › 2D 공구경로 생성", "방사선", "", ViewFunction{&GenerateRadialCommand}},
    {CommandId::GenerateSpiral, "최적화 › 2D 공구경로 생성", "나선형", "", ViewFunction{&GenerateSpiralCommand}},
    {CommandId::ConvertLinesAndArcs, "최적화", "Linear <--> ARC", "", ViewFunction{&ArcConvertCommand}, nullptr,
     "직선가공(G01) < -- > 원호가공(G02,G03) 상호 변환한다."},
    {CommandId::OptimizeFeed, "최적화 › Feed 제어", "Feed Optimizer", "", ViewFunction{&FeedOptimizerCommand}},
    {CommandId::MaxFeedInWindow, "최적화 › Feed 제어", "Window로 최대 feed 변경", "", ViewFunction{&WindowMaxFeedCommand}},
    {CommandId::MaxFeedInPolygon, "최적화 › Feed 제어", "Poly Window로 최대 feed 변경", "", ViewFunction{&PolygonMaxFeedCommand}},
    {CommandId::MinFeedInWindow, "최적화 › Feed 제어", "Window로 최소 feed 변경", "", ViewFunction{&WindowMinFeedCommand}},
    {CommandId::MinFeedInPolygon, "최적화 › Feed 제어", "Poly Window로 최소 feed 변경", "", ViewFunction{&PolygonMinFeedCommand}},
    {CommandId::FeedByArcRadius, "최적화 › Feed 제어", "Arc(G02,G03)에 의한 feed 변경", "", ViewFunction{&ArcRadiusFeedCommand}},
    {CommandId::FeedByMoveLength, "최적화 › Feed 제어", "이송량에 의한 feed 변경", "", ViewFunction{&MoveLengthFeedCommand}},
    {CommandId::FeedByMachine, "최적화 › Feed 제어", "기계조건에 의한 feed 변경", "", ViewFunction{&MachineFeedCommand}},
    {CommandId::FfCut, "최적화", "FF CUT", "", ViewFunction{&FfCutCommand}},
    {CommandId::TrimInsideWindow, "편집(&E) › 트림", "윈도우 안쪽 트림(Ctrl+W)", "", ViewFunction{&TrimInsideWindowCommand}},
    {CommandId::TrimOutsideWindow, "편집(&E) › 트림", "윈도우 바같쪽 트림", "", ViewFunction{&TrimOutsideWindowCommand}},
    {CommandId::TrimInsideRectangle, "편집(&E) › 트림", "좌표 안쪽 트림", "", ViewFunction{&TrimInsideRectangleCommand}},
    {CommandId::TrimOutsideRectangle, "편집(&E) › 트림", "좌표 바같쪽 트림", "", ViewFunction{&TrimOutsideRectangleCommand}},
    {CommandId::TrimOutsideZRange, "편집(&E) › 트림", "Z 좌표 바같쪽 트림", "", ViewFunction{&TrimOutsideZRangeCommand}},
    {CommandId::TrimInsideCircle, "편집(&E) › 트림", "원 안쪽 트림", "", ViewFunction{&TrimInsideCircleCommand}},
    {CommandId::TrimOutsideCircle, "편집(&E) › 트림", "원 바같쪽 트림", "", ViewFunction{&TrimOutsideCircleCommand}},
    {CommandId::TrimInsidePolygon, "편집(&E) › 트림", "다각형 안쪽 트림", "", ViewFunction{&TrimInsidePolygonCommand}},
    {CommandId::TrimOutsidePolygon, "편집(&E) › 트림", "다각형 바같쪽 트림", "", ViewFunction{&TrimOutsidePolygonCommand}},
    {CommandId::TrimInsideFilePolygons, "편집(&E) › 트림", "화일에 의한 안쪽 트림", "", ViewFunction{&TrimInsideFilePolygonsCommand}},
    {CommandId::TrimOutsideFilePolygons, "편집(&E) › 트림", "화일에 의한 바같쪽 트림", "", ViewFunction{&TrimOutsideFilePolygonsCommand}},
    {CommandId::DeletePoint, "편집(&E) › 공구경로 삭제", "포인트 (TAB)", "", ViewFunction{&DeletePointCommand}, nullptr,
     "공구경로의 point (vertex) 삭제"},
    {CommandId::DeleteOnePath, "편집(&E) › 공구경로 삭제", "경로 1개 (SHIFT+D)", "", ViewFunction{&DeleteOnePathCommand}, nullptr,
     "공구경로 1개 선택하여 삭제"},
    {CommandId::DeleteMiddlePaths, "편집(&E) › 공구경로 삭제", "중간 경로", "", ViewFunction{&DeleteMiddlePathsCommand}},
    {CommandId::DeleteInsideWindow, "편집(&E) › 공구경로 삭제", "윈도우 안쪽", "", ViewFunction{&DeleteInWindowCommand}},
    {CommandId::DeleteInsidePolygon, "편집(&E) › 공구경로 삭제", "다각형 안쪽", "", ViewFunction{&DeleteInPolygonCommand}},
    {CommandId::DeleteByXyAngle, "편집(&E) › 공구경로 삭제", "XY 각도", "", ViewFunction{&DeleteByXyAngleCommand}},
    {CommandId::DeleteBySlope, "편집(&E) › 공구경로 삭제", "Z 각도", "", ViewFunction{&DeleteBySlopeCommand}},
    {CommandId::DeletePointsByLength, "편집(&E) › 공구경로 삭제", "길이에 의한 포인트", "", ViewFunction{&DeletePointsByLengthCommand}},
    {CommandId::DeletePathsByLength, "편집(&E) › 공구경로 삭제", "길이에 의한 경로", "", ViewFunction{&DeletePathsByLengthCommand}},
    {CommandId::DeleteAllPaths, "편집(&E) › 공구경로 삭제", "모든경로", "", ViewFunction{&DeleteAllCommand}},
    {CommandId::ClearSelection, "편집(&E) › 공구경로 선택", "선택 취소 (SPACE)", "", ViewCommand{&CFendoView::OnClearSelection}, nullptr,
     "공구경로 선택을 취소한다."},
    {CommandId::InvertSelection, "편집(&E) › 공구경로 선택", "선택 반전 (BACK SPACE)", "",
     ViewCommand{&CFendoView::OnInvertSelection}, nullptr, "공구경로의 선택을 반전시킨다."},
    {CommandId::DeleteSelected, "편집(&E) › 공구경로 선택", "선택된 공구경로 삭제(RETURN)", "", ViewFunction{&DeleteSelectedCommand},
     nullptr, "선택되어진 공구경로를 삭제한다."},
    {CommandId::RebuildRapids, "편집(&E)", "급속이송 경로 걸르기", "", ViewCommand{&CFendoView::OnRebuildRapids}},
    {CommandId::ChangePoint, "편집(&E) › 포인트 편집", "포인트 변경(Shift+C)", "", ViewFunction{&ChangePointCommand}},
    {CommandId::MoveStartPoint, "편집(&E) › 포인트 편집", "시작 포인트 위치변경", "", ViewFunction{&MoveStartPointCommand}},
    {CommandId::MoveEndPoint, "편집(&E) › 포인트 편집", "끝 포인트 위치변경", "", ViewFunction{&MoveEndPointCommand}},
    {CommandId::RapidsInsideWindow, "편집(&E) › 포인트 편집", "윈도우에 의한 급속이송 변경", "",
     ViewFunction{&RapidsInWindowCommand}},
    {CommandId::CloseContourPaths, "편집(&E) › 포인트 편집", "등고선 공구경로 닫기", "", ViewFunction{&CloseContourPathsCommand}},
    {CommandId::OffsetInsideWindow, "편집(&E) › 포인트 Offset", "윈도우 안쪽 Offset", "", ViewFunction{&OffsetInsideWindowCommand}},
    {CommandId::OffsetInsideRectangle, "편집(&E) › 포인트 Offset", "좌표 안쪽 Offset", "", ViewFunction{&OffsetInsideRectangleCommand}},
    {CommandId::OffsetOutsideZRange, "편집(&E) › 포인트 Offset", "Z 좌표 바같쪽 Offset", "", ViewFunction{&OffsetOutsideZBandCommand}},
    {CommandId::OffsetInsideCircle, "편집(&E) › 포인트 Offset", "원 안쪽 Offset", "", ViewFunction{&OffsetInsideCircleCommand}},
    {CommandId::OffsetInsidePolygon, "편집(&E) › 포인트 Offset", "다각형 안쪽 Offset", "", ViewFunction{&OffsetInsidePolygonCommand}},
    {CommandId::OffsetInsideFilePolygons, "편집(&E) › 포인트 Offset", "화일에 의한 안쪽 Offset", "", ViewFunction{&OffsetInsideFilePolygonsCommand}},
    {CommandId::ReverseDirection, "편집(&E) › 공구경로 방향 바꾸기", "공구경로 방향 바꾸기", "",
     ViewFunction{&ReverseDirectionCommand}},
    {CommandId::ReverseOnePath, "편집(&E) › 공구경로 방향 바꾸기", "공구 경로 1개 방향 바꾸기", "",
     ViewFunction{&ReverseOnePathCommand}},
    {CommandId::StartPointOfOpenPaths, "편집(&E) › 시작점 변경", "열려진 경로", "", ViewFunction{&StartPointsOfOpenPathsCommand}},
    {CommandId::StartPointOfClosedPaths, "편집(&E) › 시작점 변경", "닫혀진 경로", "", ViewFunction{&StartPointsOfClosedPathsCommand}},
    {CommandId::StartPointOfAllPaths, "편집(&E) › 시작점 변경", "닫혀진 경로 & 열려진 경로", "",
     ViewFunction{&StartPointsOfAllPathsCommand}},
    {CommandId::ChangePlunge, "편집(&E)", "플런지(접근) 변경", "", ViewFunction{&ChangePlungeCommand}, nullptr,
     "공구경로 진입부 변경"},
    {CommandId::WholePathFeed, "편집(&E)", "피드변경", "", ViewFunction{&WholePathFeedCommand}},
    {CommandId::SubdividePoints, "편집(&E)", "포인트 세분화", "", ViewFunction{&SubdivideCommand}},
    {CommandId::CopyLayerToolpath, "편집(&E)", "Layer 공구경로 복사", "", ViewFunction{&CopyLayerCommand}},
    {CommandId::MoveOrCopyToolpath, "편집(&E)", "공구경로 이동및 복사", "", ViewFunction{&MoveOrCopyToolpathCommand}},
    {CommandId::SortPaths, "편집(&E)", "공구경로 정렬", "", ViewFunction{&SortPathsCommand}},
    {CommandId::ViewTop, "보기(&V) › 보기방향", "위에서 보기(&F1)", "", ViewCommand{&CFendoView::OnViewTop}},
    {CommandId::ViewFront, "보기(&V) › 보기방향", "앞에서 보기(&F2)", "", ViewCommand{&CFendoView::OnViewFront}},
    {CommandId::ViewSide, "보기(&V) › 보기방향", "옆에서 보기(&F3)", "", ViewCommand{&CFendoView::OnViewSide}},
    {CommandId::ViewIso1, "보기(&V) › 보기방향", "입체로 보기1(&F4)", "", ViewCommand{&CFendoView::OnViewIso1}},
    {CommandId::ViewIso2, "보기(&V) › 보기방향", "입체로 보기2(&F5)", "", ViewCommand{&CFendoView::OnViewIso2}},
    {CommandId::ViewIso3, "보기(&V) › 보기방향", "입체로 보기3(&F6)", "", ViewCommand{&CFendoView::OnViewIso3}},
    {CommandId::ViewIso4, "보기(&V) › 보기방향", "입체로 보기4(&F7)", "", ViewCommand{&CFendoView::OnViewIso4}},
    {CommandId::Redraw, "보기(&V)", "다시그리기(&F9)", "", ViewCommand{&CFendoView::OnRedraw}},
    {CommandId::FitView, "보기(&V)", "자동 확대축소(&F8)", "", ViewCommand{&CFendoView::OnFitView}},
    {CommandId::ZoomIn, "보기(&V)", "뷰 확대(F9)", "", ViewCommand{&CFendoView::OnZoomIn}},
    {CommandId::ZoomOut, "보기(&V)", "뷰 축소(F10)", "", ViewCommand{&CFendoView::OnZoomOut}},
    {CommandId::ShowRapids, "보기(&V)", "급속이송 ON/OFF", "", ViewCommand{&CFendoView::OnToggleRapids},
     &CFendoView::RapidsShown},
    {CommandId::ToolSimulation, "보기(&V)", "공구 모의동작", "", ViewCommand{&CFendoView::OnToolSimulation}},
    {CommandId::ViewInEditor, "보기(&V)", "문서 편집기로 보기", "", ViewCommand{&CFendoView::OnViewInEditor}},
    {CommandId::RotateMode, "보기(&V)", "마우스에 의한 회전", "", ViewCommand{&CFendoView::OnRotateMode},
     &CFendoView::RotateMode},
    {CommandId::PanMode, "보기(&V)", "마우스에 의한 이동(PAN)", "", ViewCommand{&CFendoView::OnPanMode}, &CFendoView::PanMode},
    {CommandId::SelectMode, "보기(&V)", "마우스에 의한 선택", "", ViewCommand{&CFendoView::OnSelectMode},
     &CFendoView::SelectMode},
    {CommandId::ShowMasterModel, "보기(&V)", "마스타 모델 보기", "", ViewCommand{&CFendoView::OnToggleMasterModel},
     &CFendoView::MasterModelShown},
    {CommandId::ShowFeedColours, "보기(&V)", "Feed color 보기", "", ViewCommand{&CFendoView::OnToggleFeedLegend},
     &CFendoView::FeedLegendShown},
    {CommandId::ChooseWorkLayer, "보기(&V)", "작업 Layer", "", ViewFunction{&WorkLayerCommand}},
    {CommandId::PickWorkLayer, "보기(&V)", "공구경로에 의한 layer 선택", "", ViewFunction{&PickWorkLayerCommand}},
    {CommandId::ColourByLayer, "보기(&V)", "Layer에 의한 color", "", ViewFunction{&ToggleColourByLayerCommand},
     &CFendoView::ColourByLayer},
    {CommandId::LayerEcho, "보기(&V)", "Layer echo", "", ViewFunction{&LayerEchoCommand}},
    {CommandId::LayerSettings, "보기(&V)", "Layer Setting", "", ViewFunction{&LayerSettingsCommand}},
    {CommandId::ShowLayerText, "보기(&V)", "Layer text", "", ViewFunction{&ToggleLayerTextCommand},
     &CFendoView::LayerTextShown},
    {CommandId::ShowToolBars, "보기(&V)", "도구 모음(&T)", "", FrameCommand{&CMainFrame::OnToggleToolBars}},
    {CommandId::ShowStatusBar, "보기(&V)", "상태 표시줄(&S)", "", FrameCommand{&CMainFrame::OnToggleStatusBar}},
    {CommandId::ToolpathInformation, "기타", "공구경로 정보", "", ViewCommand{&CFendoView::OnToolpathInformation}},
    {CommandId::CheckToolpath, "기타", "공구경로 체크", "", ViewFunction{&PreflightCheckCommand}, nullptr,
     "기계로 보내기 전에 공구경로와 NC 프로그램을 검사합니다.\n공구경로 체크"},
    {CommandId::Undo, "기타", "Undo", "", ViewCommand{&CFendoView::OnUndo}},
    {CommandId::Redo, "기타", "Redo", "", ViewCommand{&CFendoView::OnRedo}},
    {CommandId::FilterLinear, "기타", "Ncdata(G01) 필터링", "", ViewFunction{&FilterLinearCommand}, nullptr,
     "공차입력하여 Ncdata 걸르기."},
    {CommandId::FilterArcs, "기타", "Ncdata(G02, G03) 필터링", "", ViewFunction{&FilterArcsCommand}, nullptr,
     "공차입력하여 ARC Ncdata 걸르기."},
    {CommandId::RegenerateNcData, "기타", "Ncdata 재생성", "", ViewFunction{&RegenerateNcDataCommand}},
    {CommandId::CreateMasterModel, "기타 › Qel 마스터 모델", "생성", "", ViewFunction{&CreateMasterModelCommand}},
    {CommandId::DeleteMasterModel, "기타 › Qel 마스터 모델", "삭제", "", ViewFunction{&DeleteMasterModelCommand}},
    {CommandId::SaveMasterModel, "기타 › Qel 마스터 모델", "저장", "", ViewFunction{&SaveMasterModelCommand}},
    {CommandId::LoadMasterModel, "기타 › Qel 마스터 모델", "불러오기", "", ViewFunction{&LoadMasterModelCommand}},
    {CommandId::WorkEnvironment, "설정", "작업 환경", "", FrameCommand{&CMainFrame::OnWorkEnvironment}},
    {CommandId::Settings, "설정", "설정", "", ViewCommand{&CFendoView::OnSettings}},
    {CommandId::ToolShape, "설정", "공구 설정", "", ViewCommand{&CFendoView::OnToolShape}},
    {CommandId::LayerColours, "설정", "Layer color setting", "", ViewFunction{&LayerColoursCommand}},
    {CommandId::InvertBackground, "설정", "바탕색 전도", "", ViewCommand{&CFendoView::OnInvertBackground},
     &CFendoView::BackgroundInverted},
    {CommandId::CadCam, "설정", "CAD/CAM", "", {}},
    {CommandId::DuplicateWindow, "창(&W)", "&New", "", FrameCommand{&CMainFrame::OnWindowNew}},
    {CommandId::Cascade, "창(&W)", "계단식(&C)", "", FrameCommand{&CMainFrame::OnCascade}},
    {CommandId::TileHorizontal, "창(&W)", "수평 바둑판식(&T)", "", FrameCommand{&CMainFrame::OnTileHorizontal}},
    {CommandId::TileVertical, "창(&W)", "수직 바둑판식", "", FrameCommand{&CMainFrame::OnTileVertical}},
    {CommandId::ArrangeIcons, "창(&W)", "아이콘 정렬(&A)", "", FrameCommand{&CMainFrame::OnArrangeIcons}},
    {CommandId::Help, "도움말(&H)", "Fendo 도움말 (&H)", "", ViewCommand{&CFendoView::OnHelp}},
    {CommandId::Tutorial, "도움말(&H)", "Fendo 따라하기", "", ViewCommand{&CFendoView::OnTutorial}},
    {CommandId::About, "도움말(&H)", "fendo 정보(&A)...", "", FrameCommand{&CMainFrame::OnAbout}},
};

const CommandRow kFrameCommands[] = {
    {CommandId::NewWindow, "파일(&F)", "새창 열기(&N)", "Ctrl+N", FrameCommand{&CMainFrame::OnNewWindow}},
    {CommandId::OpenFile, "파일(&F)", "열기(&O)...", "Ctrl+O", FrameCommand{&CMainFrame::OnFileOpen}},
    {CommandId::PrintSetup, "파일(&F)", "인쇄 설정(&R)...", "", FrameCommand{&CMainFrame::OnPrintSetup}},
    {CommandId::RecentFiles, "파일(&F)", "최근 파일", "", RecentFiles{}},
    {CommandId::Exit, "파일(&F)", "종료(&X)", "", FrameCommand{&CMainFrame::OnExit}},
    {CommandId::ShowToolBars, "보기(&V)", "도구 모음(&T)", "", FrameCommand{&CMainFrame::OnToggleToolBars}},
    {CommandId::ShowStatusBar, "보기(&V)", "상태 표시줄(&S)", "", FrameCommand{&CMainFrame::OnToggleStatusBar}},
    {CommandId::Help, "도움말(&H)", "Fendo 도움말 (&H)", "", FrameCommand{&CMainFrame::OnHelp}},
    {CommandId::About, "도움말(&H)", "fendo 정보(&A)...", "", FrameCommand{&CMainFrame::OnAbout}},
};

// A toolbar button whose command has no menu item: the framework's document save, which
// writes the NC data as "Ncdata로 저장" does (the document holds no toolpath data of its own).
const CommandRow kToolBarOnlyCommands[] = {{CommandId::Save, "", "저장(&S)", "Ctrl+S", ViewFunction{&SaveNcData}}};

// The keys that work; the commands without an action of their own (copy, paste, context help,
// the next pane) have none here.
const Accelerator kAccelerators[] = {
    {"Ctrl+N", CommandId::NewWindow},
    {"Ctrl+O", CommandId::OpenFile},
    {"Ctrl+P", CommandId::Print},
    {"Ctrl+S", CommandId::Save},
    {"Ctrl+W", CommandId::TrimInsideWindow},
    {"Ctrl+X", CommandId::TrimInsideWindow},
    {"Ctrl+Z", CommandId::Undo},
    {"Ctrl+Y", CommandId::Redo},
    {"Tab", CommandId::DeletePoint},
    {"Shift+D", CommandId::DeleteOnePath},
    {"Shift+C", CommandId::ChangePoint},
    {"F1", CommandId::ViewTop},
    {"F2", CommandId::ViewFront},
    {"F3", CommandId::ViewSide},
    {"F4", CommandId::ViewIso1},
    {"F5", CommandId::ViewIso2},
    {"F6", CommandId::ViewIso3},
    {"F7", CommandId::ViewIso4},
    {"F8", CommandId::FitView},
    {"F9", CommandId::ZoomIn},
    {"F10", CommandId::ZoomOut},
};

}  // namespace

std::span<const CommandRow> NcViewCommands() { return kNcViewCommands; }
std::span<const CommandRow> FrameCommands() { return kFrameCommands; }
std::span<const CommandRow> ToolBarOnlyCommands() { return kToolBarOnlyCommands; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }

const CommandRow* FindCommand(CommandId id) {
  for (std::span<const CommandRow> table : {NcViewCommands(), FrameCommands(), ToolBarOnlyCommands()}) {
    for (const CommandRow& row : table) {
      if (row.id == id) return &row;
    }
  }
  return nullptr;
}

}  // namespace fendo
