// TItemStrings: the lines (and selected line) of a list box or a combo box.
//
// The lines live here, so they can be filled, read and changed whether or not
// the control's window exists (a form fills its lists while loading, before
// any window is made); while a window is attached, every change is mirrored
// to it at once through the control's own messages (LB_* or CB_*), and the
// selection is read from the window, where the user changes it.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/StringList.h"

// Lists show a run of changes at once. Repainting a visible list after every
// line made filling it take milliseconds per line (seconds for a station
// list); so the first change of a run turns the window's redraw off and posts
// it a message (Message()) that its control answers with Flush, which turns
// redraw back on and repaints once the program is back in its message loop.
class TDeferredRedraw {
 public:
  static UINT Message();
  // A change is about to be made to `wnd` (nothing to do inside an update).
  void Touch(HWND wnd, bool updating);
  void Flush(HWND wnd);
  void Reset() { pending_ = false; }

 private:
  bool pending_ = false;
};

class TItemStrings : public TStrings {
 public:
  // The messages of one kind of list window.
  struct Protocol {
    UINT insert, remove, reset, getcursel, setcursel;
  };
  static const Protocol ListBox;
  static const Protocol ComboBox;

  explicit TItemStrings(const Protocol& p) : p_(p) {}

  // Fills `wnd` with the lines and the selection; later changes follow.
  void Attach(HWND wnd);
  // Takes the selection back from the window before it goes.
  void Detach();
  HWND Window() const { return wnd_; }

  int Count() const override { return static_cast<int>(lines_.size()); }
  // A sorted list keeps its lines in order, letter case aside (Windows-1251
  // rules): Add puts a line in its place; Insert at a chosen place is refused.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  int Add(const std::string& S) override;
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

  // -1 when no line is selected; an index out of range selects nothing.
  int ItemIndex() const;
  void SetItemIndex(int Value);

  // The control's answer to TDeferredRedraw::Message().
  void FlushRedraw() { redraw_.Flush(wnd_); }

  // Runs after every change of the lines (not of the selection).
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  void CheckIndex(int Index) const;
  void Changed();
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  void InsertIntoWindow(int Index);
  void InsertLine(int Index, const std::string& S);
  void Touch() { redraw_.Touch(wnd_, UpdateCount() > 0); }

  Protocol p_;
  std::vector<std::string> lines_; // (no objects per line: the lists here never need them)
  HWND wnd_ = nullptr;
  int item_index_ = -1; // the selection while no window is attached
  bool changed_in_update_ = false;
  bool sorted_ = false;
  TDeferredRedraw redraw_;
};
