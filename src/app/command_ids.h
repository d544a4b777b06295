#pragma once

namespace fendo {

// The identities of the program's commands. The numbers are the ones the menus, toolbars and
// accelerators have always carried: the settings, the dialogs' remembered folders and the
// recent-file list know the commands by them, so a number never changes once given. The
// command table (app/command_table.cpp) says what each one does and where it stands.
enum class CommandId : int {
  // ---- File
  NewWindow = 57600,
  OpenFile = 57601,  // the frame's "열기": a new document window on the chosen file
  CloseWindow = 57602,
  Save = 57603,  // the toolbar's save button and Ctrl+S: they write the NC data as SaveNcData does
  PrintSetup = 57606,
  Print = 57607,
  PrintPreview = 57609,
  RecentFiles = 57616,  // the first recent-file entry; the place of the list in the file menu
  Exit = 57665,
  OpenNcData = 32947,
  AddNcData = 32948,
  SaveNcData = 32949,
  SaveLayerNcData = 33024,
  PostProcess = 33005,  // "Post Processor": the work layer through a user's output template

  // ---- Optimizer
  SelectCorners = 32936,
  TrimToCorners = 32937,
  Pencil = 32819,
  GenerateContours = 32832,
  AdjustRadialSpacing = 32833,
  SuppressZMoves = 32834,  // "Z 상향": suppresses or removes descents or ascents
  GeneratePocket = 32931,
  GenerateProfile = 32933,
  GenerateFace = 32932,
  GenerateRadial = 32934,
  GenerateSpiral = 32935,
  ConvertLinesAndArcs = 33009,  // "Linear <--> ARC"
  OptimizeFeed = 32998,         // "Feed Optimizer"
  MaxFeedInWindow = 32999,
  MaxFeedInPolygon = 33000,
  MinFeedInWindow = 33001,
  MinFeedInPolygon = 33002,
  FeedByArcRadius = 33029,
  FeedByMoveLength = 33030,
  FeedByMachine = 33032,
  FfCut = 33035,  // "FF CUT": odd and even paths at two feeds

  // ---- Edit: trims
  TrimInsideWindow = 32783,
  TrimOutsideWindow = 32784,
  TrimInsideRectangle = 32785,  // "좌표 안쪽 트림"
  TrimOutsideRectangle = 32786,
  TrimOutsideZRange = 32787,
  TrimInsideCircle = 32788,
  TrimOutsideCircle = 32789,
  TrimInsidePolygon = 32790,
  TrimOutsidePolygon = 32791,
  TrimInsideFilePolygons = 32792,  // "화일에 의한 안쪽 트림"
  TrimOutsideFilePolygons = 32793,

  // ---- Edit: deletes and the selection
  DeletePoint = 32794,
  DeleteOnePath = 32795,
  DeleteMiddlePaths = 32796,
  DeleteInsideWindow = 32797,
  DeleteInsidePolygon = 32798,
  DeleteByXyAngle = 32799,
  DeleteBySlope = 32831,  // "Z 각도"
  DeletePointsByLength = 32800,
  DeletePathsByLength = 32801,
  DeleteAllPaths = 32802,
  ClearSelection = 32943,
  InvertSelection = 32944,
  DeleteSelected = 32942,

  // ---- Edit: points, offsets, directions and the rest
  RebuildRapids = 32803,  // "급속이송 경로 걸르기"
  ChangePoint = 32805,
  MoveStartPoint = 32807,
  MoveEndPoint = 32808,
  RapidsInsideWindow = 32809,  // "윈도우에 의한 급속이송 변경"
  CloseContourPaths = 32810,
  OffsetInsideWindow = 32844,
  OffsetInsideRectangle = 32846,
  OffsetOutsideZRange = 32848,
  OffsetInsideCircle = 32849,
  OffsetInsidePolygon = 32851,
  OffsetInsideFilePolygons = 32853,
  ReverseDirection = 32820,
  ReverseOnePath = 32812,
  StartPointOfOpenPaths = 32822,
  StartPointOfClosedPaths = 32823,
  StartPointOfAllPaths = 32824,
  ChangePlunge = 65535,  // "플런지(접근) 변경"
  WholePathFeed = 32825,  // "피드변경"
  SubdividePoints = 32826,
  CopyLayerToolpath = 33020,
  MoveOrCopyToolpath = 32827,
  SortPaths = 32828,

  // ---- View
  ViewTop = 32772,
  ViewFront = 32773,
  ViewSide = 32774,
  ViewIso1 = 32775,
  ViewIso2 = 32776,
  ViewIso3 = 32780,
  ViewIso4 = 32777,
  Redraw = 32781,
  FitView = 32778,
  ZoomIn = 32877,
  ZoomOut = 32878,
  ShowRapids = 32835,
  ToolSimulation = 32841,
  ViewInEditor = 32926,  // "문서 편집기로 보기"
  RotateMode = 32938,
  PanMode = 32939,
  SelectMode = 32940,
  ShowMasterModel = 33003,
  ShowFeedColours = 33033,
  ChooseWorkLayer = 33014,  // "작업 Layer"; on the toolbar the layer combo box stands for it
  PickWorkLayer = 33023,    // "공구경로에 의한 layer 선택"
  ColourByLayer = 33012,
  LayerEcho = 33018,
  LayerSettings = 33022,
  ShowLayerText = 33025,
  ShowToolBars = 59392,
  ShowStatusBar = 59393,

  // ---- Other
  ToolpathInformation = 32840,
  CheckToolpath = 32843,
  Undo = 32804,
  Redo = 32855,
  FilterLinear = 32928,
  FilterArcs = 33006,
  RegenerateNcData = 32929,
  CreateMasterModel = 32920,
  DeleteMasterModel = 32921,
  SaveMasterModel = 32922,
  LoadMasterModel = 32924,

  // ---- Settings
  WorkEnvironment = 32839,
  Settings = 32945,
  ToolShape = 32838,  // "공구 설정"
  LayerColours = 33013,
  InvertBackground = 32927,  // "바탕색 전도"
  CadCam = 32961,

  // ---- Window and help
  DuplicateWindow = 57648,  // "&New": another window on the active document
  Cascade = 57650,
  TileHorizontal = 57651,
  TileVertical = 57652,
  ArrangeIcons = 57649,
  Help = 57667,
  Tutorial = 33028,  // "Fendo 따라하기"
  About = 57664,
};

// The number of a command where an interface takes plain numbers (object names, settings).
constexpr int CommandNumber(CommandId command) { return static_cast<int>(command); }

}  // namespace fendo
