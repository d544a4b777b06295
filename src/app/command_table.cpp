#include "app/command_table.h"

#include "app/commands/conversion_commands.h"
#include "app/commands/feed_change_commands.h"
#include "app/commands/master_model_commands.h"
#include "app/commands/optimizer_commands.h"
#include "app/commands/output_commands.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"

namespace fendo {
namespace {

const CommandRow kNcViewCommands[] = {
    {57600, "파일(&F)", "새창 열기(&N)", "Ctrl+N", FrameCommand{&CMainFrame::OnNewWindow}, nullptr},
    {32947, "파일(&F)", "Ncdata 불러오기(&N)...", "Ctrl+N", ViewCommand{&CFendoView::OnOpenNcData}, nullptr,
     "NCDATA를 불러옵니다.\nNCDATA 불러오기"},
    {32948, "파일(&F)", "Ncdata 추가하기(&D)...", "Ctrl+D", ViewCommand{&CFendoView::OnAddNcData}, nullptr,
     "NCDATA 화일 추가"},
    {57602, "파일(&F)", "창 닫기(&C)", "", FrameCommand{&CMainFrame::OnCloseWindow}, nullptr},
    {32949, "파일(&F)", "Ncdata로 저장(&C)", "Ctrl+C", ViewFunction{&SaveNcData}, nullptr},
    {33024, "파일(&F)", "Layer ncdata 저장(&L)", "Ctrl+C", ViewFunction{&SaveLayerNcData}, nullptr,
     "각 Layer에 있는 여러개의 ncdata를 1개의 파일로 저장합니다."},
    {33005, "파일(&F)", "Post Processor", "", ViewFunction{&RunPostProcessor}, nullptr, "사용자 정의에 의한 ncdata 출력"},
    {57607, "파일(&F)", "인쇄(&P)...", "Ctrl+P", ViewCommand{&CFendoView::OnFilePrint}, nullptr},
    {57609, "파일(&F)", "인쇄 미리 보기(&V)", "", ViewCommand{&CFendoView::OnFilePrintPreview}, nullptr},
    {57606, "파일(&F)", "인쇄 설정(&R)...", "", FrameCommand{&CMainFrame::OnPrintSetup}, nullptr},
    {57616, "파일(&F)", "최근 파일", "", RecentFiles{}, nullptr},
    {57665, "파일(&F)", "종료(&X)", "", FrameCommand{&CMainFrame::OnExit}, nullptr},
    {32936, "최적화 › 코너 분리", "코너 부위 선택", "", {}, nullptr},
    {32937, "최적화 › 코너 분리", "코너부위를 트림한다.", "", {}, nullptr},
    {32819, "최적화", "펜슬", "", {}, nullptr},
    {32832, "최적화", "등고선 공구경로 생성", "", {}, nullptr},
    {32833, "최적화", "방사선 간격조절", "", {}, nullptr},
    {32834, "최적화", "Z 상향", "", {}, nullptr},
    {32931, "최적화 › 2D 공구경로 생성", "Pocket", "", {}, nullptr},
    {32933, "최적화 › 2D 공구경로 생성", "Profile", "", {}, nullptr},
    {32932, "최적화 › 2D 공구경로 생성", "Face", "", {}, nullptr},
    {32934, "최적화 › 2D 공구경로 생성", "방사선", "", {}, nullptr},
    {32935, "최적화 › 2D 공구경로 생성", "나선형", "", {}, nullptr},
    {33009, "최적화", "Linear <--> ARC", "", ViewFunction{&ArcConvertCommand}, nullptr,
     "직선가공(G01) < -- > 원호가공(G02,G03) 상호 변환한다."},
    {32998, "최적화 › Feed 제어", "Feed Optimizer", "", ViewFunction{&FeedOptimizerCommand}, nullptr},
    {32999, "최적화 › Feed 제어", "Window로 최대 feed 변경", "", ViewFunction{&WindowMaxFeedCommand}, nullptr},
    {33000, "최적화 › Feed 제어", "Poly Window로 최대 feed 변경", "", ViewFunction{&PolygonMaxFeedCommand}, nullptr},
    {33001, "최적화 › Feed 제어", "Window로 최소 feed 변경", "", ViewFunction{&WindowMinFeedCommand}, nullptr},
    {33002, "최적화 › Feed 제어", "Poly Window로 최소 feed 변경", "", ViewFunction{&PolygonMinFeedCommand}, nullptr},
    {33029, "최적화 › Feed 제어", "Arc(G02,G03)에 의한 feed 변경", "", ViewFunction{&ArcRadiusFeedCommand}, nullptr},
    {33030, "최적화 › Feed 제어", "이송량에 의한 feed 변경", "", ViewFunction{&MoveLengthFeedCommand}, nullptr},
    {33032, "최적화 › Feed 제어", "기계조건에 의한 feed 변경", "", ViewFunction{&MachineFeedCommand}, nullptr},
    {33035, "최적화", "FF CUT", "", ViewFunction{&FfCutCommand}, nullptr},
    {32783, "편집(&E) › 트림", "윈도우 안쪽 트림(Ctrl+W)", "", {}, nullptr},
    {32784, "편집(&E) › 트림", "윈도우 바같쪽 트림", "", {}, nullptr},
    {32785, "편집(&E) › 트림", "좌표 안쪽 트림", "", {}, nullptr},
    {32786, "편집(&E) › 트림", "좌표 바같쪽 트림", "", {}, nullptr},
    {32787, "편집(&E) › 트림", "Z 좌표 바같쪽 트림", "", {}, nullptr},
    {32788, "편집(&E) › 트림", "원 안쪽 트림", "", {}, nullptr},
    {32789, "편집(&E) › 트림", "원 바같쪽 트림", "", {}, nullptr},
    {32790, "편집(&E) › 트림", "다각형 안쪽 트림", "", {}, nullptr},
    {32791, "편집(&E) › 트림", "다각형 바같쪽 트림", "", {}, nullptr},
    {32792, "편집(&E) › 트림", "화일에 의한 안쪽 트림", "", {}, nullptr},
    {32793, "편집(&E) › 트림", "화일에 의한 바같쪽 트림", "", {}, nullptr},
    {32794, "편집(&E) › 공구경로 삭제", "포인트 (TAB)", "", {}, nullptr},
    {32795, "편집(&E) › 공구경로 삭제", "경로 1개 (SHIFT+D)", "", {}, nullptr},
    {32796, "편집(&E) › 공구경로 삭제", "중간 경로", "", {}, nullptr},
    {32797, "편집(&E) › 공구경로 삭제", "윈도우 안쪽", "", {}, nullptr},
    {32798, "편집(&E) › 공구경로 삭제", "다각형 안쪽", "", {}, nullptr},
    {32799, "편집(&E) › 공구경로 삭제", "XY 각도", "", {}, nullptr},
    {32831, "편집(&E) › 공구경로 삭제", "Z 각도", "", {}, nullptr},
    {32800, "편집(&E) › 공구경로 삭제", "길이에 의한 포인트", "", {}, nullptr},
    {32801, "편집(&E) › 공구경로 삭제", "길이에 의한 경로", "", {}, nullptr},
    {32802, "편집(&E) › 공구경로 삭제", "모든경로", "", {}, nullptr},
    {32943, "편집(&E) › 공구경로 선택", "선택 취소 (SPACE)", "", ViewCommand{&CFendoView::OnClearSelection}, nullptr},
    {32944, "편집(&E) › 공구경로 선택", "선택 반전 (BACK SPACE)", "", ViewCommand{&CFendoView::OnInvertSelection}, nullptr},
    {32942, "편집(&E) › 공구경로 선택", "선택된 공구경로 삭제(RETURN)", "", {}, nullptr},
    {32803, "편집(&E)", "급속이송 경로 걸르기", "", ViewCommand{&CFendoView::OnRebuildRapids}, nullptr},
    {32805, "편집(&E) › 포인트 편집", "포인트 변경(Shift+C)", "", {}, nullptr},
    {32807, "편집(&E) › 포인트 편집", "시작 포인트 위치변경", "", {}, nullptr},
    {32808, "편집(&E) › 포인트 편집", "끝 포인트 위치변경", "", {}, nullptr},
    {32809, "편집(&E) › 포인트 편집", "윈도우에 의한 급속이송 변경", "", {}, nullptr},
    {32810, "편집(&E) › 포인트 편집", "등고선 공구경로 닫기", "", {}, nullptr},
    {32844, "편집(&E) › 포인트 Offset", "윈도우 안쪽 Offset", "", {}, nullptr},
    {32846, "편집(&E) › 포인트 Offset", "좌표 안쪽 Offset", "", {}, nullptr},
    {32848, "편집(&E) › 포인트 Offset", "Z 좌표 바같쪽 Offset", "", {}, nullptr},
    {32849, "편집(&E) › 포인트 Offset", "원 안쪽 Offset", "", {}, nullptr},
    {32851, "편집(&E) › 포인트 Offset", "다각형 안쪽 Offset", "", {}, nullptr},
    {32853, "편집(&E) › 포인트 Offset", "화일에 의한 안쪽 Offset", "", {}, nullptr},
    {32820, "편집(&E) › 공구경로 방향 바꾸기", "공구경로 방향 바꾸기", "", {}, nullptr},
    {32812, "편집(&E) › 공구경로 방향 바꾸기", "공구 경로 1개 방향 바꾸기", "", {}, nullptr},
    {32822, "편집(&E) › 시작점 변경", "열려진 경로", "", {}, nullptr},
    {32823, "편집(&E) › 시작점 변경", "닫혀진 경로", "", {}, nullptr},
    {32824, "편집(&E) › 시작점 변경", "닫혀진 경로 & 열려진 경로", "", {}, nullptr},
    {65535, "편집(&E)", "플런지(접근) 변경", "", {}, nullptr},
    {32825, "편집(&E)", "피드변경", "", ViewFunction{&WholePathFeedCommand}, nullptr},
    {32826, "편집(&E)", "포인트 세분화", "", {}, nullptr},
    {33020, "편집(&E)", "Layer 공구경로 복사", "", {}, nullptr},
    {32827, "편집(&E)", "공구경로 이동및 복사", "", {}, nullptr},
    {32828, "편집(&E)", "공구경로 정렬", "", {}, nullptr},
    {32772, "보기(&V) › 보기방향", "위에서 보기(&F1)", "", ViewCommand{&CFendoView::OnViewTop}, nullptr},
    {32773, "보기(&V) › 보기방향", "앞에서 보기(&F2)", "", ViewCommand{&CFendoView::OnViewFront}, nullptr},
    {32774, "보기(&V) › 보기방향", "옆에서 보기(&F3)", "", ViewCommand{&CFendoView::OnViewSide}, nullptr},
    {32775, "보기(&V) › 보기방향", "입체로 보기1(&F4)", "", ViewCommand{&CFendoView::OnViewIso1}, nullptr},
    {32776, "보기(&V) › 보기방향", "입체로 보기2(&F5)", "", ViewCommand{&CFendoView::OnViewIso2}, nullptr},
    {32780, "보기(&V) › 보기방향", "입체로 보기3(&F6)", "", ViewCommand{&CFendoView::OnViewIso3}, nullptr},
    {32777, "보기(&V) › 보기방향", "입체로 보기4(&F7)", "", ViewCommand{&CFendoView::OnViewIso4}, nullptr},
    {32781, "보기(&V)", "다시그리기(&F9)", "", ViewCommand{&CFendoView::OnRedraw}, nullptr},
    {32778, "보기(&V)", "자동 확대축소(&F8)", "", ViewCommand{&CFendoView::OnFitView}, nullptr},
    {32877, "보기(&V)", "뷰 확대(F9)", "", ViewCommand{&CFendoView::OnZoomIn}, nullptr},
    {32878, "보기(&V)", "뷰 축소(F10)", "", ViewCommand{&CFendoView::OnZoomOut}, nullptr},
    {32835, "보기(&V)", "급속이송 ON/OFF", "", ViewCommand{&CFendoView::OnToggleRapids}, &CFendoView::RapidsShown},
    {32841, "보기(&V)", "공구 모의동작", "", ViewCommand{&CFendoView::OnToolSimulation}, nullptr},
    {32926, "보기(&V)", "문서 편집기로 보기", "", ViewCommand{&CFendoView::OnViewInEditor}, nullptr},
    {32938, "보기(&V)", "마우스에 의한 회전", "", ViewCommand{&CFendoView::OnRotateMode}, &CFendoView::RotateMode},
    {32939, "보기(&V)", "마우스에 의한 이동(PAN)", "", ViewCommand{&CFendoView::OnPanMode}, &CFendoView::PanMode},
    {32940, "보기(&V)", "마우스에 의한 선택", "", ViewCommand{&CFendoView::OnSelectMode}, &CFendoView::SelectMode},
    {33003, "보기(&V)", "마스타 모델 보기", "", ViewCommand{&CFendoView::OnToggleMasterModel}, &CFendoView::MasterModelShown},
    {33033, "보기(&V)", "Feed color 보기", "", ViewCommand{&CFendoView::OnToggleFeedLegend}, &CFendoView::FeedLegendShown},
    {33014, "보기(&V)", "작업 Layer", "", {}, nullptr},
    {33023, "보기(&V)", "공구경로에 의한 layer 선택", "", {}, nullptr},
    {33012, "보기(&V)", "Layer에 의한 color", "", {}, &CFendoView::ColourByLayer},
    {33018, "보기(&V)", "Layer echo", "", {}, nullptr},
    {33022, "보기(&V)", "Layer Setting", "", {}, nullptr},
    {33025, "보기(&V)", "Layer text", "", {}, &CFendoView::LayerTextShown},
    {59392, "보기(&V)", "도구 모음(&T)", "", FrameCommand{&CMainFrame::OnToggleToolBars}, nullptr},
    {59393, "보기(&V)", "상태 표시줄(&S)", "", FrameCommand{&CMainFrame::OnToggleStatusBar}, nullptr},
    {32840, "기타", "공구경로 정보", "", ViewCommand{&CFendoView::OnToolpathInformation}, nullptr},
    {32843, "기타", "공구경로 체크", "", {}, nullptr},
    {32804, "기타", "Undo", "", ViewCommand{&CFendoView::OnUndo}, nullptr},
    {32855, "기타", "Redo", "", ViewCommand{&CFendoView::OnRedo}, nullptr},
    {32928, "기타", "Ncdata(G01) 필터링", "", ViewFunction{&FilterLinearCommand}, nullptr,
     "공차입력하여 Ncdata 걸르기."},
    {33006, "기타", "Ncdata(G02, G03) 필터링", "", ViewFunction{&FilterArcsCommand}, nullptr,
     "공차입력하여 ARC Ncdata 걸르기."},
    {32929, "기타", "Ncdata 재생성", "", ViewFunction{&RegenerateNcDataCommand}, nullptr},
    {32920, "기타 › Qel 마스터 모델", "생성", "", ViewFunction{&CreateMasterModelCommand}, nullptr},
    {32921, "기타 › Qel 마스터 모델", "삭제", "", ViewFunction{&DeleteMasterModelCommand}, nullptr},
    {32922, "기타 › Qel 마스터 모델", "저장", "", ViewFunction{&SaveMasterModelCommand}, nullptr},
    {32924, "기타 › Qel 마스터 모델", "불러오기", "", ViewFunction{&LoadMasterModelCommand}, nullptr},
    {32839, "설정", "작업 환경", "", FrameCommand{&CMainFrame::OnWorkEnvironment}, nullptr},
    {32945, "설정", "설정", "", ViewCommand{&CFendoView::OnSettings}, nullptr},
    {32838, "설정", "공구 설정", "", ViewCommand{&CFendoView::OnToolShape}, nullptr},
    {33013, "설정", "Layer color setting", "", {}, nullptr},
    {32927, "설정", "바탕색 전도", "", ViewCommand{&CFendoView::OnInvertBackground}, &CFendoView::BackgroundInverted},
    {32961, "설정", "CAD/CAM", "", {}, nullptr},
    {57648, "창(&W)", "&New", "", FrameCommand{&CMainFrame::OnWindowNew}, nullptr},
    {57650, "창(&W)", "계단식(&C)", "", FrameCommand{&CMainFrame::OnCascade}, nullptr},
    {57651, "창(&W)", "수평 바둑판식(&T)", "", FrameCommand{&CMainFrame::OnTileHorizontal}, nullptr},
    {57652, "창(&W)", "수직 바둑판식", "", FrameCommand{&CMainFrame::OnTileVertical}, nullptr},
    {57649, "창(&W)", "아이콘 정렬(&A)", "", FrameCommand{&CMainFrame::OnArrangeIcons}, nullptr},
    {57667, "도움말(&H)", "Fendo 도움말 (&H)", "", ViewCommand{&CFendoView::OnHelp}, nullptr},
    {33028, "도움말(&H)", "Fendo 따라하기", "", ViewCommand{&CFendoView::OnTutorial}, nullptr},
    {57664, "도움말(&H)", "fendo 정보(&A)...", "", FrameCommand{&CMainFrame::OnAbout}, nullptr},
};

const CommandRow kFrameCommands[] = {
    {57600, "파일(&F)", "새창 열기(&N)", "Ctrl+N", FrameCommand{&CMainFrame::OnNewWindow}},
    {57601, "파일(&F)", "열기(&O)...", "Ctrl+O", FrameCommand{&CMainFrame::OnFileOpen}},
    {57606, "파일(&F)", "인쇄 설정(&R)...", "", FrameCommand{&CMainFrame::OnPrintSetup}},
    {57616, "파일(&F)", "최근 파일", "", RecentFiles{}},
    {57665, "파일(&F)", "종료(&X)", "", FrameCommand{&CMainFrame::OnExit}},
    {59392, "보기(&V)", "도구 모음(&T)", "", FrameCommand{&CMainFrame::OnToggleToolBars}},
    {59393, "보기(&V)", "상태 표시줄(&S)", "", FrameCommand{&CMainFrame::OnToggleStatusBar}},
    {57667, "도움말(&H)", "Fendo 도움말 (&H)", "", FrameCommand{&CMainFrame::OnHelp}},
    {57664, "도움말(&H)", "fendo 정보(&A)...", "", FrameCommand{&CMainFrame::OnAbout}},
};

// The keys that work; the commands without an action of their own (copy, paste, context help,
// the next pane) have none here.
const Accelerator kAccelerators[] = {
    {"Ctrl+N", 57600},  {"Ctrl+O", 57601},  {"Ctrl+P", 57607},  {"Ctrl+W", 32783}, {"Ctrl+X", 32783},
    {"Ctrl+Z", 32804},  {"Ctrl+Y", 32855},  {"Tab", 32794},     {"Shift+D", 32795}, {"F1", 32772},
    {"F2", 32773},      {"F3", 32774},      {"F4", 32775},      {"F5", 32776},     {"F6", 32780},
    {"F7", 32777},      {"F8", 32778},      {"F9", 32877},      {"F10", 32878},
};

}  // namespace

std::span<const CommandRow> NcViewCommands() { return kNcViewCommands; }
std::span<const CommandRow> FrameCommands() { return kFrameCommands; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }

const CommandRow* FindCommand(int id) {
  for (std::span<const CommandRow> table : {NcViewCommands(), FrameCommands()}) {
    for (const CommandRow& row : table) {
      if (row.id == id) return &row;
    }
  }
  return nullptr;
}

}  // namespace fendo
