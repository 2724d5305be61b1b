#pragma once
// The classes a skin element may name. A fixed table, searched by the name's
// length first and then by the name itself, so that a name without a class
// costs a few comparisons; then a process-wide list of creator functions
// that extends it.

#include <cstddef>
#include <span>

namespace SkinUI {

class CControlUI;

// A new control of one class.
using ControlMaker = CControlUI* (*)();
// A new control of the class called className, or null when the creator does not know it.
using ControlCreator = CControlUI* (*)(const wchar_t* className);

// One row of the class table.
struct ControlClassRow {
  const wchar_t* name;
  size_t length;  // of name, the first search key
  ControlMaker make;
  bool exactCase;  // the element name must be spelled exactly; other rows ignore ASCII case
};

// The row among rows (ordered by length) whose name matches name; null when none does.
const ControlClassRow* FindControlClass(std::span<const ControlClassRow> rows, const wchar_t* name);
// A new control of the framework class that the element name stands for; null when no class has that name.
CControlUI* CreateControl(const wchar_t* name);

// Adds creator to the end of the process-wide creator list (once).
void AddControlCreator(ControlCreator creator);
// Takes creator out of the list; false when it was not in it.
bool RemoveControlCreator(ControlCreator creator);
// The control made by the first creator in the list that knows className; null when none does.
CControlUI* CreateControlFromCreators(const wchar_t* className);

}  // namespace SkinUI
