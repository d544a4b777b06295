#include "view/status_texts.h"

#include <charconv>
#include <string_view>

#include "core/toolpath_database.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr int kDecimals = 3;           // "%3.3f", "%6.3f"
constexpr int kReadoutWidth = 3;       // "%3.3f"
constexpr int kPickedPointWidth = 6;   // "%6.3f"
constexpr int kFeedWidth = 4;          // "%4d"

// Appends `digits` right-aligned in `width` characters, as printf pads.
void AppendPadded(std::string& text, std::string_view digits, int width) {
  if (static_cast<int>(digits.size()) < width) text.append(width - digits.size(), ' ');
  text += digits;
}

void AppendFixed(std::string& text, double v, int width) {
  char digits[400];  // the longest double in fixed notation fits
  const char* end = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, kDecimals).ptr;
  AppendPadded(text, std::string_view(digits, end - digits), width);
}

void AppendInteger(std::string& text, long long v, int width) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, v).ptr;
  AppendPadded(text, std::string_view(digits, end - digits), width);
}

std::string Labelled(std::string_view label, double v) {
  std::string text(label);
  AppendFixed(text, v, kReadoutWidth);
  return text;
}

std::string FeedText(int feed) {
  std::string text = "F:";
  AppendInteger(text, feed, kFeedWidth);
  return text;
}

// The radius of the arc ending at record i: the length of its centre offset, in the record
// after it. Nothing when that record is not a centre record.
std::optional<double> ArcRadius(ToolpathDatabase& db, int i) {
  const ToolpathRecord* centre = db.RecordAt(i + 1);
  if (!centre || !IsCentreKind(centre->kind)) return std::nullopt;
  return Length(PositionOf(*centre));
}

}  // namespace

RecordStatusTexts RecordStatus(ToolpathDatabase& db, int i) {
  RecordStatusTexts texts;
  const ToolpathRecord* r = db.RecordAt(i);
  if (!r) return texts;
  texts.x = Labelled("X:", r->x);
  texts.y = Labelled("Y:", r->y);
  texts.z = Labelled("Z:", r->z);
  if (IsRapidKind(r->kind)) {
    texts.g = "G00";
    texts.f = "F:";
  } else if (IsLinearFeedKind(r->kind)) {
    texts.g = "G01";
    texts.f = FeedText(r->feed);
  } else if (IsArcKind(r->kind)) {
    texts.g = r->kind == MoveKind::ArcCw ? "G02" : "G03";
    texts.f = FeedText(r->feed);
    if (const std::optional<double> radius = ArcRadius(db, i)) texts.r = Labelled("R:", *radius);
  }
  return texts;
}

void ShowRecordStatus(ViewSurface& surface, ToolpathDatabase& db, int i) {
  const RecordStatusTexts texts = RecordStatus(db, i);
  surface.SetStatusText(ViewStatusPane::G, texts.g);
  surface.SetStatusText(ViewStatusPane::X, texts.x);
  surface.SetStatusText(ViewStatusPane::Y, texts.y);
  surface.SetStatusText(ViewStatusPane::Z, texts.z);
  surface.SetStatusText(ViewStatusPane::R, texts.r);
  surface.SetStatusText(ViewStatusPane::F, texts.f);
}

CursorStatusTexts CursorStatus(std::optional<Point3> p) {
  if (!p) return {};
  return {Labelled("X:", p->x), Labelled("Y:", p->y), Labelled("Z:", p->z)};
}

void ShowCursorStatus(ViewSurface& surface, std::optional<Point3> p) {
  const CursorStatusTexts texts = CursorStatus(p);
  surface.SetStatusText(ViewStatusPane::G, "");
  surface.SetStatusText(ViewStatusPane::X, texts.x);
  surface.SetStatusText(ViewStatusPane::Y, texts.y);
  surface.SetStatusText(ViewStatusPane::Z, texts.z);
  surface.SetStatusText(ViewStatusPane::R, "");
  surface.SetStatusText(ViewStatusPane::F, "");
}

std::string PickedPointText(Point3 p) {
  std::string text = " X";
  AppendFixed(text, p.x, kPickedPointWidth);
  text += " Y";
  AppendFixed(text, p.y, kPickedPointWidth);
  text += " Z";
  AppendFixed(text, p.z, kPickedPointWidth);
  return text;
}

std::string LiveReadoutText(Point3 p, std::optional<int> feed) {
  std::string text = Labelled("X:", p.x);
  text += "  ";
  text += Labelled("Y:", p.y);
  text += "  ";
  text += Labelled("Z:", p.z);
  if (feed) {
    text += " ";
    text += FeedText(*feed);
  }
  return text;
}

}  // namespace fendo
