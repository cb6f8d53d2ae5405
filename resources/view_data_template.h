#pragma once

#include <cstddef>

#include "resources/view_data_ids.h"

namespace quorlin::resources {

enum class ControlKind {
  kDefaultButton,   // the push button that Return presses
  kButton,          // push button
  kHiddenButton,    // push button created hidden
  kReportList,      // report-style list with a border
  kLabel,           // static text
  kEdit,            // editable single-line edit with a border
  kReadOnlyEdit,    // read-only single-line edit with a border, for a text
  kPageNumberEdit,  // read-only single-line edit with a border, for a number
};

// A rectangle in dialog units, which scale with the dialog's font.
struct DialogUnitRect {
  int x;
  int y;
  int width;
  int height;
};

struct TemplateControl {
  int id;
  ControlKind kind;
  const char* caption;  // UTF-8
  DialogUnitRect rect;
};

// One language's version of a dialog template. Its controls stand in template order, which
// is also the tab order.
struct DialogTemplate {
  unsigned id;
  const char* title;  // UTF-8
  int width;          // dialog units
  int height;
  int fontPoints;
  const char* fontFace;  // UTF-8
  const TemplateControl* controls;
  std::size_t controlCount;
};

// The "View data" dialog in Chinese or in English.
const DialogTemplate& ViewDataTemplate(bool chinese);

}  // namespace quorlin::resources
