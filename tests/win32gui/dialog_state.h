#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace quorlin::test {

struct ControlState {
  std::wstring className;
  std::wstring text;
  bool enabled = false;
  bool shown = false;     // its own visibility, whatever the dialog's
  bool readOnly = false;  // edits only
  RECT rect = {};         // in the dialog's client pixels
};

// What the View data dialog showed at one moment, read from its windows.
struct DialogState {
  std::wstring title;
  RECT client = {};
  std::vector<int> order;  // the controls' ids in tab order; the unnamed label is -1
  std::map<int, ControlState> controls;
  std::vector<std::wstring> headings;
  std::vector<std::vector<std::wstring>> rows;

  bool Has(int id) const { return controls.count(id) != 0; }
  // The control's state; a default one when the dialog has no such control.
  const ControlState& Control(int id) const;
  // The first column of every row.
  std::vector<std::wstring> FirstColumn() const;
};

// Reads the dialog from any thread of the process that shows it.
DialogState ReadState(HWND dialog);

}  // namespace quorlin::test
