// The in-place edit controls on Windows (see DgEditWin.h).
#include "grid/DgEditWin.h"

// Before <windowsx.h>, whose SelectFont macro would take the canvas's.
#include "grid/DgCanvasWin.h"

#include <windowsx.h>

#include "grid/DgGridHost.h"
#include "grid/DgThemesSupportWin.h"

namespace {
// The reversed arrow of the program's resources as cursor 1000 (the plain
// arrow when the program lacks it).
void RegisterEditCursor() {
  static bool done = false;
  if (done) return;
  done = true;
  HCURSOR h = LoadCursorW(GetModuleHandleW(nullptr), L"REVERSEDARROW");
  classlib::RegisterCursor(DgEditCursor::ReversedArrow, h ? h : LoadCursorW(nullptr, IDC_ARROW));
}

int GlyphWidthOf(TBitmap& Glyph) { return Glyph.Empty() ? 0 : Glyph.Width(); }
} // namespace

// --- TDgEditInfo ----------------------------------------------------------------------------

TDgEditInfo::TDgEditInfo(TDgCustomEdit* Edit) : TCustomControl(Edit), edit_(Edit) {
  SetVisible(false);
  SetParentColor(true);
}

void TDgEditInfo::Paint() {
  TCustomControl::Paint();
  TCanvas* c = Canvas();
  TBitmap* glyph = edit_->Glyph();
  const int gw = GlyphWidthOf(*glyph);
  if (gw > 0) c->Draw(0, DgEditLayout::GlyphTop(Height(), glyph->Height()), glyph);
  if (!edit_->ShowPreview()) return;
  TRect r = DgEditLayout::InfoPreviewRect(gw, ClientHeight());
  if (edit_->PreviewBorder()) {
    c->Brush()->SetColor(clGray);
    c->FrameRect(r);
    r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  edit_->PaintPreview(c, r);
}

void TDgEditInfo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TLifeToken life = edit_->LifeToken();
  edit_->InfoMouseDown();
  if (!life) return;
  TBitmap* glyph = edit_->Glyph();
  if (!glyph->Empty() && TRect{0, 0, glyph->Width(), Height()}.Contains(TPoint{X, Y}) &&
      edit_->OnGlyphClick)
    edit_->OnGlyphClick(edit_);
}

// --- TDgCustomEdit --------------------------------------------------------------------------

TDgCustomEdit::TDgCustomEdit(TComponent* AOwner) : TEdit(AOwner) {
  SetBounds(Left(), Top(), 121, 20);
  SetParentColor(false);
  TControl::SetColor(clWindow);
  SetTabStop(true);
  margins_.OnChange = [this] { RecreateWnd(); };
  glyph_.OnChange = [this](TObject*) { GlyphChanged(); };
  info_ = new TDgEditInfo(this);
  info_->SetParent(this);
  RegisterEditCursor();
}

TDgCustomEdit::~TDgCustomEdit() {
  listener_ = nullptr;
  margins_.OnChange = nullptr;
  glyph_.OnChange = nullptr;
}

void TDgCustomEdit::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TDgCustomEdit::SetBorderStyle(TFormBorderStyle v) {
  if (v == border_style_) return;
  border_style_ = v;
  RecreateWnd();
  AdjustHeight();
}

void TDgCustomEdit::SetAutoSize(bool v) {
  if (v == auto_size_) return;
  auto_size_ = v;
  AdjustHeight();
}

void TDgCustomEdit::FontChanged() {
  TEdit::FontChanged();
  AdjustHeight();
}

void TDgCustomEdit::AdjustHeight() {
  // An aligned editor takes the height its parent gives it.
  if (!auto_size_ || Align() != alNone) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, TControl::Font()->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int frame = border_style_ == bsSingle ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
  // One pixel above and below the line, as a single-line edit leaves it.
  SetBounds(Left(), Top(), Width(), tm.tmHeight + frame + 2 * border_width_ + 2);
}

void TDgCustomEdit::SetBorderWidth(int v) {
  if (v < 0) v = 0;
  if (v == border_width_) return;
  border_width_ = v;
  Invalidate();
}

void TDgCustomEdit::SetGlyph(TBitmap* v) {
  if (v)
    glyph_.Assign(v);
  else
    glyph_.SetHandle(nullptr);
  GlyphChanged();
}

void TDgCustomEdit::GlyphChanged() {
  glyph_.SetTransparentMode(tmAuto); // the bottom-left pixel's colour
  glyph_.SetTransparent(true);
  ApplyMargins();
  RecreateWnd();
}

void TDgCustomEdit::SetPreviewBorder(bool v) {
  preview_border_ = v;
  if (info_->Visible()) info_->Invalidate();
}

void TDgCustomEdit::SetShowPreview(bool v) {
  show_preview_ = v;
  ApplyMargins();
  PlaceInfo();
  Invalidate();
}

void TDgCustomEdit::SetBiDiMode(TBiDiMode Value) { TControl::SetBiDiMode(Value); }

void TDgCustomEdit::SetFont(const TDgFont& Font) { DgAssignFont(*TControl::Font(), Font); }

void TDgCustomEdit::ApplySettings(const TDgCustomColumn::TEditorSettings& s) {
  SetAlignment(s.Alignment);
  SetBorderStyle(s.Border ? bsSingle : bsNone);
  SetBorderWidth(s.BorderWidth);
  if (margins_.Left() != s.LeftMargin) margins_.SetLeft(s.LeftMargin);
  SetMaxLength(s.MaxLength);
  // The window takes any UTF-16 unit (the class library's is a code-page byte).
  password_char_ = s.PasswordChar;
  if (handle_) {
    SendMessageW(handle_, EM_SETPASSWORDCHAR, password_char_, 0);
    Invalidate();
  }
}

int TDgCustomEdit::SelLength() const {
  if (!handle_) return 0;
  DWORD a = 0, b = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(b - a);
}

// --- Typed values ---------------------------------------------------------------------------

bool TDgCustomEdit::GetAsBoolean() { return DgEditValue::AsBoolean(EditText()); }
TDateTime TDgCustomEdit::GetAsDateTime() { return DgEditValue::AsDateTime(EditText()); }
double TDgCustomEdit::GetAsFloat() { return DgEditValue::AsFloat(EditText()); }
int TDgCustomEdit::GetAsInteger() { return DgEditValue::AsInteger(EditText()); }
WideString TDgCustomEdit::GetAsString() { return EditText(); }
void TDgCustomEdit::SetAsBoolean(bool v) { SetEditText(DgEditValue::FromBoolean(v)); }
void TDgCustomEdit::SetAsDateTime(TDateTime v) { SetEditText(DgEditValue::FromDateTime(v)); }
void TDgCustomEdit::SetAsFloat(double v) { SetEditText(DgEditValue::FromFloat(v)); }
void TDgCustomEdit::SetAsInteger(int v) { SetEditText(DgEditValue::FromInteger(v)); }
void TDgCustomEdit::SetAsString(const WideString& v) { SetEditText(v); }

TRect TDgCustomEdit::GetPreviewRect() {
  return DgEditLayout::PreviewRect(ClientRect(), GlyphWidthOf(glyph_));
}

void TDgCustomEdit::PaintPreview(TCanvas*, const TRect& Rect) {
  if (OnCustomPreviewDraw) OnCustomPreviewDraw(this, TRect(Rect));
}

void TDgCustomEdit::AdjustMargins(int& L, int& R) {
  DgEditLayout::AdjustMargins(show_preview_, GlyphWidthOf(glyph_), L, R);
}

void TDgCustomEdit::ApplyMargins() {
  if (!handle_) return;
  int l = margins_.Left(), r = margins_.Right();
  AdjustMargins(l, r);
  SendMessageW(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(l, r));
}

void TDgCustomEdit::PlaceInfo() {
  const int gw = GlyphWidthOf(glyph_);
  const TRect b = DgEditLayout::InfoBounds(show_preview_, gw, ClientHeight());
  info_->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  info_->SetVisible(DgEditLayout::InfoShown(show_preview_, gw));
}

// --- Text -----------------------------------------------------------------------------------

WideString TDgCustomEdit::EditText() const {
  if (!handle_) return pending_text_;
  const int n = GetWindowTextLengthW(handle_);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(handle_, &w[0], n + 1);
  return WideString(w.begin(), w.begin() + got);
}

void TDgCustomEdit::SetEditText(const WideString& Text) {
  pending_text_ = Text;
  if (handle_)
    SetWindowTextW(handle_, reinterpret_cast<const wchar_t*>(Text.c_str()));
  else
    Change();
}

void TDgCustomEdit::Clear() { SetEditText(WideString()); }

void TDgCustomEdit::SendChar(char16_t Key) {
  if (!handle_) {
    pending_text_ += Key;
    return;
  }
  sending_char_ = true;
  SendMessageW(handle_, WM_CHAR, Key, 0);
  sending_char_ = false;
}

int TDgCustomEdit::SelStart() const {
  if (!handle_) return static_cast<int>(pending_text_.size());
  DWORD a = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&a), 0);
  return static_cast<int>(a);
}

void TDgCustomEdit::SetSelStart(int Position) {
  if (handle_) SendMessageW(handle_, EM_SETSEL, Position, Position);
}

// --- Placing ------------------------------------------------------------------------------

void TDgCustomEdit::AttachToGrid(IDgGridHost* Host) {
  listener_ = nullptr;
  OnChange = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(Host)) {
    if (Parent() != w) SetParent(w);
  }
  Clear();
}

void TDgCustomEdit::ShowAt(const TRect& r) {
  if (!Parent()) return;
  HWND h = Handle();
  ShowWindow(h, SW_HIDE);
  SetWindowPos(h, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_NOACTIVATE);
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  TControl::Show();
  ShowWindow(h, SW_SHOWNA);
  FocusEditor();
  Invalidate();
}

bool TDgCustomEdit::EditorFocused() const { return handle_ && GetFocus() == handle_; }

void TDgCustomEdit::FocusEditor() {
  if (handle_ && IsWindowVisible(handle_)) ::SetFocus(handle_);
}

// --- Window -------------------------------------------------------------------------------

void TDgCustomEdit::CreateParams(TCreateParams& p) {
  TEdit::CreateParams(p);
  p.Style |=
      ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_CLIPCHILDREN | DgEditLayout::AlignmentStyle(alignment_);
  if (border_style_ == bsNone) {
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    p.Style &= ~static_cast<DWORD>(WS_BORDER);
  }
}

void TDgCustomEdit::CreateWnd() {
  TEdit::CreateWnd();
  // The text goes in wide, whatever the code page holds.
  SetWindowTextW(handle_, reinterpret_cast<const wchar_t*>(pending_text_.c_str()));
  if (password_char_) SendMessageW(handle_, EM_SETPASSWORDCHAR, password_char_, 0);
  ApplyMargins();
  PlaceInfo();
}

void TDgCustomEdit::DestroyWnd() {
  pending_text_ = EditText();
  TEdit::DestroyWnd();
}

void TDgCustomEdit::Change() {
  if (handle_) pending_text_ = EditText();
  TLifeToken life = LifeToken();
  TEdit::Change();
  if (life && listener_) listener_->EditorChange();
}

void TDgCustomEdit::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_GETDLGCODE:
      TEdit::HandleMessage(M);
      M.Result |= DLGC_WANTARROWS;
      if (want_tabs_)
        M.Result |= DLGC_WANTTAB;
      else
        M.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (listener_) {
        uint16_t key = static_cast<uint16_t>(M.WParam);
        TLifeToken life = LifeToken();
        if (M.Msg == WM_KEYDOWN)
          listener_->EditorKeyDown(key, classlib::KeyboardShiftState());
        else
          listener_->EditorKeyUp(key, classlib::KeyboardShiftState());
        if (!life || key == 0) return;
        M.WParam = key;
      }
      break;
    case WM_CHAR:
      if (listener_ && !sending_char_) {
        char16_t key = static_cast<char16_t>(M.WParam);
        TLifeToken life = LifeToken();
        listener_->EditorKeyPress(key);
        if (!life || key == 0) return;
        M.WParam = key;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TLifeToken life = LifeToken();
      TEdit::HandleMessage(M);
      if (!life) return;
      if (info_->Visible()) info_->Invalidate();
      if (listener_) {
        if (M.Msg == WM_SETFOCUS)
          listener_->EditorEnter();
        else
          listener_->EditorExit();
      }
      return;
    }
    case CM_ENABLEDCHANGED:
      TEdit::HandleMessage(M);
      info_->Invalidate();
      return;
    case WM_WINDOWPOSCHANGED:
      TEdit::HandleMessage(M);
      if (!ComponentState().Contains(csDestroying)) {
        Invalidate();
        PlaceInfo();
        info_->Invalidate();
      }
      return;
    case WM_SIZE:
      TEdit::HandleMessage(M);
      PlaceInfo();
      return;
  }
  TEdit::HandleMessage(M);
}

// --- TDgEdit ------------------------------------------------------------------------------

void TDgEdit::PrepareEditing() { SetSelStart(static_cast<int>(EditText().size())); }

bool TDgEdit::InLeftStrip(int X) {
  TDgEditInfo* info = Info();
  return DgEditLayout::InLeftStrip(X, info->Visible(), info->BoundsRect());
}

void TDgEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TDgCustomEdit::MouseMove(Shift, X, Y);
  SetCursor(InLeftStrip(X) ? DgEditCursor::ReversedArrow : crDefault);
}

void TDgEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLifeToken life = LifeToken();
  TDgCustomEdit::MouseDown(Button, Shift, X, Y);
  if (life && InLeftStrip(X)) SelectAll();
}

void TDgEdit::Resize() {
  TDgCustomEdit::Resize();
  ApplyMargins();
}

void TDgEdit::FontChanged() {
  TDgCustomEdit::FontChanged();
  ApplyMargins();
}

void TDgEdit::Change() {
  TLifeToken life = LifeToken();
  TDgCustomEdit::Change();
  if (life) TextChanged();
}

void TDgEdit::PaintBorderRings() {
  if (BorderWidth() <= 0) return;
  HDC dc = GetWindowDC(handle_);
  if (!dc) return;
  RECT w;
  GetWindowRect(handle_, &w);
  // The first ring lies two pixels in with a border, on the window's edge without.
  int edge = BorderStyle() == bsSingle ? 1 : -1;
  TRect r = Rect(edge, edge, w.right - w.left - edge, w.bottom - w.top - edge);
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(Color());
  for (int i = 0; i < BorderWidth(); ++i) {
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    c.FrameRect(r);
  }
  c.SetHandle(nullptr);
  ReleaseDC(handle_, dc);
}

void TDgEdit::PaintThemedBorder() {
  if (!ThemesEnabled() || BorderStyle() != bsSingle) return;
  HDC dc = GetWindowDC(handle_);
  if (!dc) return;
  RECT w;
  GetWindowRect(handle_, &w);
  RECT whole{0, 0, w.right - w.left, w.bottom - w.top};
  RECT inner = whole;
  InflateRect(&inner, -2, -2);
  ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  DrawThemed(handle_, dc, whole, L"edit", 1, 0);
  ReleaseDC(handle_, dc);
}

void TDgEdit::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_NCPAINT: {
      TLifeToken life = LifeToken();
      TDgCustomEdit::HandleMessage(M);
      if (life) PaintThemedBorder();
      return;
    }
    case WM_PAINT: PaintBorderRings(); break;
    case WM_ERASEBKGND: DefaultHandler(M); return;
  }
  TDgCustomEdit::HandleMessage(M);
}

void DgUseEditControls() {
  DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TDgEdit(nullptr); });
}
