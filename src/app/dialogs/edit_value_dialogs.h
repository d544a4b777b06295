#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "edit/delete_by_angle.h"
#include "edit/delete_by_length.h"
#include "edit/subdivision.h"

namespace fendo {

// The "변수를 입력하시요!!" dialogs of the delete and subdivision commands: the one-, two- and
// three-value dialogs with the commands' own labels, each over the engine's options struct so
// that OK holds every value to the range the engine keeps for it. Each opens on the values its
// command keeps and gives back through values() what OK took, or the values it was opened
// with. Each is a table in edit_value_dialogs.cpp.

// "XY 각도": the angle and its tolerance (two values).
class XyAngleDeleteDialog : public NumberFormDialog<XyAngleDeleteOptions> {
 public:
  explicit XyAngleDeleteDialog(const XyAngleDeleteOptions& options, QWidget* parent = nullptr);
};

// "Z 각도": the two slope angles and the length below which a stretch stays (three values).
class SlopeDeleteDialog : public NumberFormDialog<SlopeDeleteOptions> {
 public:
  explicit SlopeDeleteDialog(const SlopeDeleteOptions& options, QWidget* parent = nullptr);
};

// "길이에 의한 포인트": the shortest move deleted (one value).
class PointLengthDeleteDialog : public NumberFormDialog<PointLengthDeleteOptions> {
 public:
  explicit PointLengthDeleteDialog(const PointLengthDeleteOptions& options, QWidget* parent = nullptr);
};

// "길이에 의한 경로": the path length below which a path goes (one value).
class PathLengthDeleteDialog : public NumberFormDialog<PathLengthDeleteOptions> {
 public:
  explicit PathLengthDeleteDialog(const PathLengthDeleteOptions& options, QWidget* parent = nullptr);
};

// "포인트 세분화": the interval (one value, above 0).
class SubdivisionDialog : public NumberFormDialog<SubdivisionParams> {
 public:
  explicit SubdivisionDialog(const SubdivisionParams& params, QWidget* parent = nullptr);
};

}  // namespace fendo
