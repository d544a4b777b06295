#pragma once

#include <optional>
#include <string>

#include "core/length_unit.h"

namespace fendo {

class ToolpathDatabase;

// The options of one run of the NC writer: the fields of the output dialog with their
// defaults. The dialog edits this struct, fendo-batch fills it from flags, tests build it.
struct NcOutputOptions {
  std::string outputPath{};        // 출력화일
  std::string sourcePath{};        // 원본 파일: the program whose start and end part may be reused
  int spindleSpeed = 0;            // Spindle, rpm; written as S…M03 when not 0
  bool sequenceNumbers = false;    // N번호 출력
  bool machiningInfo = false;      // 가공 정보: extents and cutting time after the program
  bool toolChange = false;         // 공구번호: write the tool change block
  int toolNumber = 0;              // T
  int lengthOffset = 0;            // 공구 장보정, H
  bool programNumberOn = false;    // 프로그램 번호
  int programNumber = 0;           // O
  bool heidenhain = false;         // 하이덴하인: Heidenhain conversational form instead of ISO
  bool ijkToR = true;              // IJK -> R: arcs by radius instead of centre offsets
  bool incremental = false;        // Incremental (G91)
  bool diagonalRapidCheck = true;  // 사선 급속이송: ask before writing a rapid move that is not straight
  bool useSourceStartEnd = false;  // 화일 시작, 종료부: take the start and end part from the source
  bool openEditor = true;          // 파일 생성후 편집기
  std::string comment{};           // << 주석문 >>, one line per comment line
  std::optional<LengthUnit> unit{};  // the program's G20/G21, written in its first block; inch
                                     // programs are written with four decimals
};

inline constexpr int kMaxSpindleSpeed = 100000;  // rpm, the dialog's range
inline constexpr int kMaxLengthOffset = 100000;
// Tool and program numbers: eight digits, more than any control numbers its tools or programs
// with.
inline constexpr int kMaxHeaderNumber = 99999999;

// Fills the options as the save command does before the dialog opens: source path, spindle,
// tool, length offset, program number, comment and unit from the work layer, Heidenhain from
// the database's output option.
void PresetFromWorkLayer(const ToolpathDatabase& db, NcOutputOptions& options);

// What is wrong with the options, or nothing: the dialog's ranges, and incremental output,
// which the Heidenhain form cannot hold.
std::optional<std::string> CheckNcOutputOptions(const NcOutputOptions& options);

// The options the layer output writes with: ISO, absolute, arcs by radius, the diagonal-rapid
// question on, nothing else; the program number of layer slot 0. The unit is the written
// layers' own (WriteLayerNcProgram).
NcOutputOptions LayerOutputOptions(const ToolpathDatabase& db);

}  // namespace fendo
