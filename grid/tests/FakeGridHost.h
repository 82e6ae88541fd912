// A window for the grid in native tests: records what the grid asks for
// (invalidations, pixel scrolls, capture, cursor, timers, posted messages,
// hints) and owns two scroll bars that take the grid's scroll distances, as
// the Windows scroll control does.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "grid/DgCustomGridControl.h"
#include "grid/DgGridHost.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/DgScrollBar.h"

class TFakeGridHost : public IDgGridHost, private IDgScrollHost {
 public:
  explicit TFakeGridHost(int Width = 250, int Height = 150) : width(Width), height(Height) {}

  // The grid the bars report to (SetHost binds the other direction).
  void Attach(TDgCustomGridControl* Grid) {
    grid = Grid;
    if (grid) grid->SetHost(this);
  }
  void Resize(int W, int H) {
    width = W;
    height = H;
    if (grid) grid->Resized();
  }
  // A click on a bar (the window's WM_VSCROLL / WM_HSCROLL road).
  void ClickBar(TDgScrollBarKind Kind, int Code) { SendScroll(Kind, Code); }
  void ClearRecords() {
    invalidated_all = 0;
    rects.clear();
    scrolls.clear();
  }
  // The area the recorded invalidations cover (whole client when Invalidate).
  bool Repainted() const { return invalidated_all > 0 || !rects.empty(); }

  // --- Records -----------------------------------------------------------------------
  TDgCustomGridControl* grid = nullptr;
  int width, height;
  bool handle = true;
  int invalidated_all = 0;
  std::vector<TRect> rects;
  struct Scroll {
    int DX, DY;
    TRect Area;
  };
  std::vector<Scroll> scrolls;
  TRect horz_area, vert_area;
  bool capture = false;
  TCursor cursor = 0;
  TPoint cursor_pos;
  std::vector<std::pair<int, int>> timers; // running: id, interval
  bool focused = false;
  std::vector<int> parent_keys;
  std::vector<std::tuple<int, intptr_t, intptr_t>> posted;
  unsigned long long clock = 0;
  bool static_edge = true;
  int border_repaints = 0;
  WideString hint;
  bool hint_shown = false;
  TDgRecordingCanvas canvas{400, 300};
  TBiDiMode bidi_mode = bdLeftToRight;

  TDgScrollBar horz{this, TDgScrollBarKind::Horizontal};
  TDgScrollBar vert{this, TDgScrollBarKind::Vertical};

  // --- IDgGridHost -------------------------------------------------------------------
  bool HandleAllocated() override { return handle; }
  int ClientWidth() override { return width; }
  int ClientHeight() override { return height; }
  void SetBorder(bool StaticEdge) override { static_edge = StaticEdge; }
  void RepaintBorder() override { ++border_repaints; }
  TBiDiMode BiDiMode() override { return bidi_mode; }
  void Invalidate() override { ++invalidated_all; }
  void InvalidateRect(const TRect& R) override { rects.push_back(R); }
  void ScrollPixels(int DX, int DY, const TRect& Area) override {
    scrolls.push_back({DX, DY, Area});
  }
  void SetScrollAreas(const TRect& Horz, const TRect& Vert) override {
    horz_area = Horz;
    vert_area = Vert;
  }
  TDgScrollBar& HorzScrollBar() override { return horz; }
  TDgScrollBar& VertScrollBar() override { return vert; }
  TDgCanvas* Canvas() override { return &canvas; }
  IDgThemes* Themes() override { return nullptr; }
  void SetCaptureMouse(bool Capture) override { capture = Capture; }
  bool HasCapture() override { return capture; }
  void SetCursorShape(TCursor Cursor) override { cursor = Cursor; }
  TPoint CursorPos() override { return cursor_pos; }
  TPoint ClientToScreen(const TPoint& P) override { return TPoint{P.X + 1000, P.Y + 1000}; }
  bool Focused() override { return focused; }
  void SetFocus() override { focused = true; }
  void PostKeyToParent(int Key) override { parent_keys.push_back(Key); }
  void StartTimer(int Id, int Ms) override {
    StopTimer(Id);
    timers.emplace_back(Id, Ms);
  }
  void StopTimer(int Id) override {
    for (size_t i = 0; i < timers.size(); ++i)
      if (timers[i].first == Id) {
        timers.erase(timers.begin() + static_cast<long>(i));
        return;
      }
  }
  unsigned long long TickCount() override { return clock; }
  void PostGridMessage(int Msg, intptr_t W, intptr_t L) override { posted.emplace_back(Msg, W, L); }
  // Delivers the posted messages in order (as the message loop would).
  void DeliverPosted() {
    auto queue = std::move(posted);
    posted.clear();
    for (auto& [m, w, l] : queue)
      if (grid) grid->HandlePosted(m, w, l);
  }
  void ShowHint(const WideString& Text, const TRect&) override {
    hint = Text;
    hint_shown = true;
  }
  void HideHint() override { hint_shown = false; }
  std::vector<WideString> edit_errors;
  void ReportEditError(const WideString& Message) override { edit_errors.push_back(Message); }

 private:
  // --- IDgScrollHost (the bars' owner, as the scroll control is) -------------------
  bool HostEnabled() override { return true; }
  void SetBarInfo(TDgScrollBarKind, const TDgScrollInfo&, bool) override {}
  void EnableArrows(TDgScrollBarKind, int) override {}
  void ShowBar(TDgScrollBarKind, bool) override {}
  int TrackPos(TDgScrollBarKind Kind) override { return track_pos; }
  void SendScroll(TDgScrollBarKind Kind, int Code) override {
    TDgScrollBar& bar = Kind == TDgScrollBarKind::Horizontal ? horz : vert;
    DgApplyScrollRequest(bar, Code);
  }
  int HorzScrollDelta(int OldPos, int NewPos) override {
    return grid ? grid->HorzScrollDelta(OldPos, NewPos) : 0;
  }
  int VertScrollDelta(int OldPos, int NewPos) override {
    return grid ? grid->VertScrollDelta(OldPos, NewPos) : 0;
  }
  void ScrollContent(TDgCustomScrollBar* Bar, int DX, int DY) override {
    if (grid) grid->BeforeScroll(Bar->ScrollKind);
    ScrollPixels(DX, DY, DX != 0 ? horz_area : vert_area);
    if (grid) grid->AfterScroll(Bar->ScrollKind);
  }

 public:
  int track_pos = 0;
};
