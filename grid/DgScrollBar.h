// The grid's scroll bars: TDgCustomScrollBar keeps a bar's range, page and
// position and scrolls its owner's content when the position moves;
// TDgScrollBar also pushes its state to the platform's bar. The owner is
// reached through IDgScrollHost, the platform seam of the scroll control
// (its Windows side is TDgCustomScrollControl; tests use a fake).
#pragma once

#include <functional>

#include "classlib/Component.h"
#include "classlib/Types.h"

class TDgCustomScrollBar;

// A bar moved (its new position).
using TScrollEvent = std::function<void(TObject* Sender, int Position)>;

// The platform bar (SB_HORZ 0, SB_VERT 1) and the scroll request codes.
enum class TDgScrollBarKind { Horizontal = 0, Vertical = 1 };
namespace DgScrollCode {
constexpr int LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5,
              Top = 6, Bottom = 7, EndScroll = 8;
}
// SCROLLINFO masks.
namespace DgScrollMask {
constexpr unsigned Range = 1, Page = 2, Pos = 4, DisableNoScroll = 8, TrackPos = 16;
}
// Arrow states for EnableArrows.
namespace DgScrollArrows {
constexpr int EnableBoth = 0, DisableBoth = 3;
}

struct TDgScrollInfo {
  unsigned Mask = 0;
  int Min = 0, Max = 0, Page = 0, Pos = 0;
};

// What a scroll bar needs of the window it belongs to.
class IDgScrollHost {
 public:
  virtual ~IDgScrollHost() = default;
  virtual bool HandleAllocated() = 0;
  virtual bool HostEnabled() = 0;
  virtual void SetBarInfo(TDgScrollBarKind Bar, const TDgScrollInfo& Info, bool Redraw) = 0;
  virtual void EnableArrows(TDgScrollBarKind Bar, int Arrows) = 0;
  virtual void ShowBar(TDgScrollBarKind Bar, bool Show) = 0;
  // The thumb's place while the user drags it.
  virtual int TrackPos(TDgScrollBarKind Bar) = 0;
  // The request the user's click would make (WM_HSCROLL / WM_VSCROLL).
  virtual void SendScroll(TDgScrollBarKind Bar, int Code) = 0;
  // Pixels the content moves when a bar goes from OldPos to NewPos.
  virtual int HorzScrollDelta(int OldPos, int NewPos) = 0;
  virtual int VertScrollDelta(int OldPos, int NewPos) = 0;
  virtual void ScrollContent(TDgCustomScrollBar* Bar, int DX, int DY) = 0;
};

class TDgCustomScrollBar : public TPersistent {
 public:
  TDgCustomScrollBar(IDgScrollHost* Owner, TDgScrollBarKind Kind);

  // From another scroll bar nothing is copied.
  void Assign(TPersistent* Source) override;

  IDgScrollHost* Owner() const { return owner_; }
  TDgScrollBarKind Kind() const { return kind_; }
  void SetKind(TDgScrollBarKind v) { kind_ = v; }
  bool AutoHide() const { return auto_hide_; }
  void SetAutoHide(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v) { visible_ = v; }
  int Min() const { return min_; }
  void SetMin(int v) { min_ = v; }
  int Max() const { return max_; }
  void SetMax(int v);
  int PageSize() const { return page_size_; }
  void SetPageSize(int v);
  int Position() const { return position_; }
  void SetPosition(int Value);
  int OldPosition() const { return old_position_; }
  int SmallChange = 1;
  int LargeChange = 1;
  // Last scroll action: 1 line, 2 page, 3 thumb, 4 top or bottom.
  int ScrollKind = 0;
  // Position changes move the content only while neither is set.
  bool ManualScroll = false;
  int UpdateCount() const { return update_count_; }
  void BeginUpdate() { ++update_count_; }
  void EndUpdate() { --update_count_; }

  void First() { SetPosition(0); }
  void Last() { SetPosition(max_ - page_size_ + 1); }
  void MoveBy(int Delta) { SetPosition(position_ + Delta); }
  // These send the owner the request a click would, so they take the
  // user's road (and its notifications).
  void LineDown();
  void LineUp();
  virtual void PageDown();
  virtual void PageUp();
  bool IsLast() const { return position_ + page_size_ >= max_; }
  bool IsFirst() const { return position_ == 0; }

  // Pushes the state to the platform's bar (nothing here).
  virtual void UpdateBar() {}

 protected:
  IDgScrollHost* owner_ = nullptr;
  TDgScrollBarKind kind_ = TDgScrollBarKind::Horizontal;
  bool auto_hide_ = true;
  bool enabled_ = true;
  bool visible_ = false;
  int min_ = 0, max_ = 0, page_size_ = 0, position_ = 0, old_position_ = 0;
  int update_count_ = 0;
};

class TDgScrollBar : public TDgCustomScrollBar {
 public:
  using TDgCustomScrollBar::TDgCustomScrollBar;
  void SetVisible(bool v) override;
  void UpdateBar() override;

 private:
  bool updating_ = false;
};

// The rules of a scroll request (WM_HSCROLL / WM_VSCROLL) for one bar: sets
// the bar's ScrollKind and position. Returns whether the code was one that
// moves the bar (the caller raises its scroll event in any case).
bool DgApplyScrollRequest(TDgCustomScrollBar& Bar, int Code);
