// Real windows under Wine: a form built from its layout file, its styles,
// sizes and position, alignment, painting read back as pixels, mouse, hover,
// cursor, context menu, reflected notifications, message handlers, hints,
// timers, a modal form, the error box, release and the end of the program.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "classlib/Cp1251.h"
#include "classlib/PanelCtrls.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/test_form.h"
#include "classlib/tests/support/Scribbled.h"

// --- The controls of the test form -------------------------------------------------------

void TSwatch::Paint() {
  ++paints;
  TRect r = ClientRect();
  if (!Transparent) {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
  }
  Canvas()->Brush()->SetColor(clBlack);
  Canvas()->FrameRect(r);
}

void TPad::Paint() { ++paints; }

TPushButton::TPushButton(TComponent* AOwner) : TWinControl(AOwner) {}

void TPushButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= BS_PUSHBUTTON;
}

void TPushButton::HandleMessage(TMessage& M) {
  if (M.Msg == CN_COMMAND && HIWORD(M.WParam) == BN_CLICKED) {
    ++commands;
    return;
  }
  TWinControl::HandleMessage(M);
}

void TRecordingMenu::Popup(int X, int Y) {
  ++popups;
  at = Point(X, Y);
}

void TTestForm::Loaded() {
  TForm::Loaded();
  log.push_back(Swatch1->ComponentState().Contains(csLoading) ? "Loaded before children"
                                                              : "Loaded");
}
void TTestForm::FormCreate(TObject*) { log.push_back("FormCreate"); }
void TTestForm::FormShow(TObject*) { log.push_back("FormShow"); }
void TTestForm::FormCloseQuery(TObject*, bool& CanClose) {
  log.push_back("FormCloseQuery");
  CanClose = allow_close;
}
void TTestForm::FormClose(TObject*, TCloseAction&) { log.push_back("FormClose"); }
void TTestForm::FormDestroy(TObject*) { log.push_back("FormDestroy"); }
void TTestForm::Timer1Timer(TObject*) {
  ++timer_ticks;
  Sleep(100); // a slow handler: ticks must not pile up meanwhile
}
void TTestForm::Swatch1Click(TObject*) { log.push_back("Swatch1Click"); }
void TTestForm::Swatch1MouseEnter(TObject*) { log.push_back("enter"); }
void TTestForm::Swatch1MouseLeave(TObject*) { log.push_back("leave"); }
void TTestForm::WMSysCommand(TMessage& M) {
  if ((M.WParam & 0xFFF0) == SC_MINIMIZE) {
    log.push_back("minimize");
    Hide();
  } else {
    InheritedMessage(M);
  }
}

// --- Helpers ---------------------------------------------------------------------------------

namespace {

TTestForm* Form1 = nullptr;

COLORREF PixelOf(TWinControl* c, int x, int y) {
  HDC dc = GetDC(c->Handle());
  COLORREF p = GetPixel(dc, x, y);
  ReleaseDC(c->Handle(), dc);
  return p;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct BoxRecorder {
  std::vector<std::string> texts;
  std::vector<UINT> flags;
  BoxRecorder() {
    classlib::MessageBoxHook = [this](HWND, const std::string& t, const std::string& c, UINT f) {
      texts.push_back(c + ": " + t);
      flags.push_back(f);
      return IDOK;
    };
  }
  ~BoxRecorder() { classlib::MessageBoxHook = nullptr; }
};

} // namespace

// --- Tests, in the order a program lives -------------------------------------------------------

TEST(Forms, LayoutBuildsTheFormInLoadingStateThenCreate) {
  Application->Initialize();
  Application->CreateForm(Form1);
  ASSERT_NE(Form1, nullptr);
  EXPECT_EQ(Application->MainForm(), Form1);
  EXPECT_EQ(Form1->log, (std::vector<std::string>{"Loaded", "FormCreate"}));
  EXPECT_FALSE(Form1->Swatch1->ComponentState().Contains(csLoading));
  EXPECT_FALSE(Form1->Visible());
  EXPECT_EQ(Form1->FindComponent("Timer1"), Form1->Timer1);
  EXPECT_EQ(Form1->ClientWidth(), 506);
  EXPECT_EQ(Form1->ClientHeight(), 263);
  // Alignment: top 40, bottom 30, the rest for the client panel.
  EXPECT_EQ(Form1->Panel3->BoundsRect(), Rect(0, 40, 506, 233));
  EXPECT_EQ(Form1->Panel2->BoundsRect(), Rect(0, 233, 506, 263));
  // The font of the form reaches the children.
  EXPECT_EQ(Form1->Swatch1->Font()->Height(), -11);
}

TEST(Forms, WindowHasTheStylesOfItsLayout) {
  HWND h = Form1->Handle();
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle());
  RECT rc;
  GetClientRect(h, &rc);
  EXPECT_EQ(rc.right, 506);
  EXPECT_EQ(rc.bottom, 263);
  wchar_t title[64] = {};
  GetWindowTextW(h, title, 64);
  EXPECT_STREQ(title, L"Проверка формы");
  wchar_t cls[64] = {};
  GetClassNameW(Form1->Button1->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"Korvalis.BUTTON");
  EXPECT_EQ(GetParent(Form1->Button1->Handle()), Form1->Panel2->Handle());
  EXPECT_EQ(Form1->Caption(), "Проверка формы");
  // The hidden application window carries the taskbar button.
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST(Forms, ShowCentresPaintsAndShowsTheApplicationWindow) {
  // The display may outlive an earlier run that left the cursor where the
  // centred form now appears; start with it out of the way.
  SetCursorPos(0, 0);
  Form1->Show();
  Pump(100);
  EXPECT_TRUE(Form1->Showing());
  EXPECT_EQ(Form1->log.back(), "FormShow");
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  ShowWindow(Application->Handle(), SW_HIDE); // as the player hides its button
  TRect wa = Screen->WorkAreaRect();
  EXPECT_NEAR(Form1->Left() + Form1->Width() / 2, wa.Left + wa.Width() / 2, 1);
  EXPECT_NEAR(Form1->Top() + Form1->Height() / 2, wa.Top + wa.Height() / 2, 1);
  Form1->Repaint();
  Form1->Panel3->Repaint();
  EXPECT_GT(Form1->Swatch1->paints, 0);
  EXPECT_EQ(PixelOf(Form1->Panel1, 5, 5), ColorToRGB(clNavy));
  EXPECT_EQ(PixelOf(Form1->Panel3, 30, 30), ColorToRGB(clRed));    // opaque swatch
  EXPECT_EQ(PixelOf(Form1->Panel3, 10, 10), ColorToRGB(clBlack));  // its frame
  EXPECT_EQ(PixelOf(Form1->Panel3, 120, 30), ColorToRGB(clWhite)); // transparent swatch
  EXPECT_EQ(PixelOf(Form1->Panel3, 100, 30), ColorToRGB(clBlack));
  EXPECT_EQ(PixelOf(Form1->Panel3, 300, 100), ColorToRGB(clWhite));
  // A direct Paint outside WM_PAINT draws at once through a fetched DC.
  Form1->Swatch1->SetColor(clBlue);
  Form1->Swatch1->Update();
  EXPECT_EQ(PixelOf(Form1->Panel3, 30, 30), ColorToRGB(clBlue));
}

TEST(Forms, MouseReachesGraphicControlsWithEnterAndLeave) {
  HWND p = Form1->Panel3->Handle();
  Form1->log.clear();
  SendMessageW(p, WM_MOUSEMOVE, 0, At(20, 20));
  SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
  SendMessageW(p, WM_LBUTTONUP, 0, At(21, 21));
  SendMessageW(p, WM_MOUSEMOVE, 0, At(300, 100));
  EXPECT_EQ(Form1->log, (std::vector<std::string>{"enter", "Swatch1Click", "leave"}));
  // A press that ends outside the control is no click.
  Form1->log.clear();
  SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
  SendMessageW(p, WM_LBUTTONUP, 0, At(300, 100));
  EXPECT_EQ(std::count(Form1->log.begin(), Form1->log.end(), "Swatch1Click"), 0);
  SendMessageW(p, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Form1->Swatch1->MouseInControl());
}

TEST(Forms, CursorAndContextMenuFollowTheControlUnderTheMouse) {
  HWND p = Form1->Panel3->Handle();
  TPoint s = Form1->Swatch1->ClientToScreen(Point(5, 5));
  SetCursorPos(s.X, s.Y);
  SendMessageW(p, WM_SETCURSOR, reinterpret_cast<WPARAM>(p), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  SendMessageW(p, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p), MAKELPARAM(s.X, s.Y));
  EXPECT_EQ(Form1->PopupMenu1->popups, 1);
  EXPECT_EQ(Form1->PopupMenu1->PopupComponent, Form1->Swatch1);
  EXPECT_EQ(Form1->PopupMenu1->at, s);
  TPoint off = Form1->Panel3->ClientToScreen(Point(300, 100));
  SendMessageW(p, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p), MAKELPARAM(off.X, off.Y));
  EXPECT_EQ(Form1->PopupMenu1->popups, 1);
  // Deleting the menu clears the control's reference to it.
  Form1->PopupMenu1->Free();
  Form1->PopupMenu1 = nullptr;
  EXPECT_EQ(Form1->Swatch1->PopupMenu(), nullptr);
}

TEST(Forms, NotificationsComeBackToTheChildControl) {
  SendMessageW(Form1->Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form1->Button1->commands, 1);
  Form1->Button1->SetCaption("Ещё");
  wchar_t text[32] = {};
  GetWindowTextW(Form1->Button1->Handle(), text, 32);
  EXPECT_STREQ(text, L"Ещё");
}

TEST(Forms, MessageHandlersAndPerform) {
  Form1->log.clear();
  Form1->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Form1->log, (std::vector<std::string>{"minimize"}));
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  Form1->Show();
  Pump(50);
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  int seen = 0;
  Form1->SetMessageHandler(WM_USER + 101, [&](TMessage& M) {
    seen = static_cast<int>(M.WParam);
    M.Result = 42;
  });
  EXPECT_EQ(SendMessageW(Form1->Handle(), WM_USER + 101, 7, 0), 42);
  EXPECT_EQ(seen, 7);
  Form1->SetMessageHandler(WM_USER + 101, nullptr);
}

TEST(Forms, HintWindowAppearsOverAControlWithAHint) {
  Application->HintPause = 30;
  Application->HintHidePause = 5000;
  HWND p = Form1->Panel3->Handle();
  TPoint s = Form1->Swatch1->ClientToScreen(Point(5, 5));
  SetCursorPos(s.X, s.Y);
  SendMessageW(p, WM_MOUSEMOVE, 0, At(300, 100)); // start outside the control
  SendMessageW(p, WM_MOUSEMOVE, 0, At(15, 15));
  Pump(150);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint));
  SendMessageW(p, WM_MOUSEMOVE, 0, At(300, 100));
  EXPECT_FALSE(IsWindowVisible(hint));
}

TEST(Forms, TimerTicksDoNotPileUpBehindASlowHandler) {
  Form1->timer_ticks = 0;
  Form1->Timer1->SetEnabled(true);
  Pump(600); // 30 intervals pass, each handler takes 100 ms
  Form1->Timer1->SetEnabled(false);
  int ticks = Form1->timer_ticks;
  EXPECT_GE(ticks, 2);
  EXPECT_LE(ticks, 7);
  Pump(100);
  EXPECT_EQ(Form1->timer_ticks, ticks); // disabled: no late tick
}

namespace {

class TDialogForm : public TForm {
 public:
  using TForm::TForm;
  TTimer* Timer1 = nullptr;
  int refusals = 1;
  bool main_enabled_while_modal = true;

 protected:
  void CreateLayout() override {
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(200);
    SetClientHeight(100);
    SetFormStyle(fsStayOnTop);
    SetAlphaBlend(true);
    SetAlphaBlendValue(150);
    Timer1 = new TTimer(this);
    Timer1->SetInterval(30);
    Timer1->OnTimer = [this](TObject*) {
      main_enabled_while_modal = IsWindowEnabled(Form1->Handle()) != FALSE;
      SetModalResult(mrOk);
    };
    OnCloseQuery = [this](TObject*, bool& can) { can = refusals-- <= 0; };
  }
};

} // namespace

TEST(Forms, ModalFormRunsUntilItsResultAndMayRefuseToClose) {
  auto* dlg = New<TDialogForm>(Form1);
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_FALSE(dlg->main_enabled_while_modal);
  EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
  EXPECT_LT(dlg->refusals, 0); // the first close was refused
  EXPECT_FALSE(dlg->Visible());
  HWND h = dlg->Handle();
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(h, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 150);
  // Centred on the main form.
  EXPECT_NEAR(dlg->Left() + dlg->Width() / 2, Form1->Left() + Form1->Width() / 2, 1);
  EXPECT_THROW(
      {
        dlg->Show();
        dlg->ShowModal();
      },
      EInvalidOperation);
  dlg->Free();
}

TEST(Forms, ExceptionsInHandlersGoToTheErrorBox) {
  BoxRecorder boxes;
  TTimer t(nullptr);
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) {
    t.SetEnabled(false);
    throw EInOutError("Файл не найден", 2);
  };
  Pump(100);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], Application->Title() + ": Файл не найден.");
  EXPECT_TRUE(boxes.flags[0] & MB_ICONSTOP);
  // EAbort is silent; OnException takes over when set.
  try {
    Abort();
  } catch (...) { Application->HandleException(nullptr); }
  EXPECT_EQ(boxes.texts.size(), 1u);
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  try {
    throw EConvertError("bad");
  } catch (...) { Application->HandleException(nullptr); }
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "bad");
  ShowMessage("Привет");
  EXPECT_EQ(boxes.texts.back(), Application->Title() + ": Привет");
}

TEST(Forms, FailingOnCreateIsReportedAndTheFormStays) {
  BoxRecorder boxes;
  struct TBroken : TForm {
    using TForm::TForm;
    void CreateLayout() override {
      OnCreate = [](TObject*) { throw EInOutError("Cannot open file", 2); };
    }
  };
  auto* f = New<TBroken>(Application);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("Cannot open file."), std::string::npos);
  f->Free();
}

TEST(Forms, AnOuterSizeSetBeforeTheWindowExistsReplacesTheLayoutsClientSize) {
  struct TSized : TForm {
    using TForm::TForm;
    void CreateLayout() override {
      SetBorderStyle(bsSingle);
      SetClientWidth(248);
      SetClientHeight(185);
      OnCreate = [this](TObject*) { SetHeight(304); };
    }
  };
  auto* f = New<TSized>(Application);
  f->Show();
  RECT r;
  GetWindowRect(f->Handle(), &r);
  EXPECT_EQ(r.bottom - r.top, 304);
  GetClientRect(f->Handle(), &r);
  EXPECT_EQ(r.right, 248);
  f->Free();
}

TEST(Forms, ReleaseFreesTheFormAfterPendingMessages) {
  bool destroyed = false;
  auto* f = New<TForm>(Application);
  f->OnDestroy = [&](TObject*) { destroyed = true; };
  f->Show();
  Pump(30);
  f->Release();
  EXPECT_FALSE(destroyed);
  Pump(50);
  EXPECT_TRUE(destroyed);
}

TEST(Forms, AFreedControlGetsNoHint) {
  Application->HintPause = 30;
  auto* f = New<TForm>(Application);
  f->SetBounds(50, 50, 200, 100);
  auto* label = new Scribbled<TSwatch>(f);
  label->SetBounds(10, 10, 50, 20);
  label->SetParent(f);
  label->SetHint("Громкость");
  label->SetShowHint(true);
  label->Perform(CM_MOUSEENTER);
  label->Free();
  SendMessageW(Application->Handle(), WM_TIMER, 1, 0);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  EXPECT_TRUE(!hint || !IsWindowVisible(hint));
  f->Free();
}

TEST(Forms, ACancelledHintShowsTheControlsNewHintOrNone) {
  Application->HintPause = 30;
  Application->HintHidePause = 5000;
  auto* f = New<TForm>(Application);
  f->SetBounds(50, 50, 200, 100);
  f->Show();
  auto* pad = new TSwatch(f);
  pad->SetBounds(10, 10, 50, 20);
  pad->SetParent(f);
  pad->SetShowHint(true);
  pad->Perform(CM_MOUSEENTER); // no hint yet: nothing waits
  Pump(100);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  EXPECT_TRUE(!hint || !IsWindowVisible(hint));
  pad->SetHint("Закрыть|длинная");
  Application->CancelHint(); // the pointer is still in it: its new hint
  Pump(150);
  hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_TRUE(hint && IsWindowVisible(hint));
  wchar_t text[64] = {};
  GetWindowTextW(hint, text, 64);
  EXPECT_EQ(WideToCp1251(text), "Закрыть");
  pad->SetHint("");
  Application->CancelHint();
  EXPECT_FALSE(IsWindowVisible(hint));
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(hint));
  pad->SetHint("Снова");
  pad->Perform(CM_MOUSELEAVE); // gone: a cancel arms nothing
  Application->CancelHint();
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(hint));
  f->Free();
}

TEST(Forms, AControlMayFreeItselfInItsHandlers) {
  auto* f = New<TForm>(Application);
  f->SetBounds(50, 50, 200, 100);
  f->Show();
  // A graphic control freed by its click, then by its double click.
  for (UINT msg : {WM_LBUTTONUP, WM_LBUTTONDBLCLK}) {
    auto* label = new Scribbled<TSwatch>(f);
    label->SetBounds(10, 10, 50, 20);
    label->SetParent(f);
    bool gone = false;
    // The handler goes with the control: it touches nothing after Free.
    label->OnClick = label->OnDblClick = [&](TObject*) {
      gone = true;
      label->Free();
    };
    SendMessageW(f->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    SendMessageW(f->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(20, 20));
    EXPECT_TRUE(gone);
    if (msg == WM_LBUTTONDBLCLK) SendMessageW(f->Handle(), WM_LBUTTONUP, 0, At(20, 20));
  }
  // A form freed by a right click on its child.
  auto* g = new Scribbled<TForm>(Application);
  g->AfterConstruction();
  g->SetBounds(50, 50, 200, 100);
  auto* swatch = new TSwatch(g);
  swatch->SetBounds(10, 10, 50, 20);
  swatch->SetParent(g);
  bool formGone = false;
  swatch->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
    formGone = true;
    g->Free();
  };
  const HWND gw = g->Handle();
  SendMessageW(gw, WM_RBUTTONUP, 0, At(20, 20));
  EXPECT_TRUE(formGone);
  f->Free();
}

TEST(Forms, AThrowingOnExceptionStaysInsideTheWindowProcedure) {
  int seen = 0;
  Application->OnException = [&](TObject*, const std::exception&) {
    ++seen;
    throw Exception("again");
  };
  const int hook = Application->HookMainWindow([](TMessage& m) -> bool {
    if (m.Msg == WM_USER + 7) throw Exception("hook");
    return false;
  });
  MSG m{Application->Handle(), WM_USER + 7, 0, 0, 0, {}};
  DispatchMessageW(&m);
  Application->UnhookMainWindow(hook);
  Application->OnException = nullptr;
  EXPECT_EQ(seen, 1);
}

TEST(Forms, AThrowingPaintLeaksNoDrawingObjects) {
  auto* f = New<TForm>(Application);
  f->SetBounds(50, 50, 200, 100);
  f->Show();
  int failures = 0;
  Application->OnException = [&](TObject*, const std::exception&) { ++failures; };
  for (bool buffered : {false, true}) {
    auto* pad = new TCustomControl(f);
    pad->SetBounds(0, 0, 100, 50);
    pad->SetParent(f);
    pad->SetDoubleBuffered(buffered);
    std::vector<HGDIOBJ> used;
    pad->OnPaint = [&](TObject*) {
      HDC dc = pad->Canvas()->Handle();
      used.push_back(dc);
      used.push_back(GetCurrentObject(dc, OBJ_BITMAP));
      throw Exception("paint");
    };
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i) {
      InvalidateRect(pad->Handle(), nullptr, FALSE);
      UpdateWindow(pad->Handle());
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 5);
    if (buffered) {
      ASSERT_EQ(used.size(), 200u);
      // The memory DCs and bitmaps of the buffer are gone.
      int left = 0;
      for (HGDIOBJ h : used) left += GetObjectType(h) != 0;
      EXPECT_LE(left, 2);
    }
    // Nothing left to paint: each WM_PAINT ended with EndPaint.
    RECT u;
    EXPECT_FALSE(GetUpdateRect(pad->Handle(), &u, FALSE));
    pad->Free();
  }
  Application->OnException = nullptr;
  EXPECT_EQ(failures, 200);
  f->Free();
}

TEST(Forms, APartialRepaintOfABufferedWindowLandsInPlace) {
  // Only the invalidated area is painted, each control at its own place in
  // it, hatched backgrounds aligned with the window; the rest stays as it was.
  auto* f = New<TForm>(Application);
  f->SetBounds(60, 60, 240, 140);
  f->SetFormStyle(fsStayOnTop);
  f->SetDoubleBuffered(true);
  auto* box = new TPaintBox(f);
  box->SetParent(f);
  box->SetBounds(40, 30, 60, 40);
  box->OnPaint = [box](TObject*) {
    TCanvas* c = box->Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 60, 40));
    c->SetPixel(7, 9, clLime);
  };
  auto* hatched = new TPaintBox(f);
  hatched->SetParent(f);
  hatched->SetBounds(110, 30, 40, 40);
  hatched->OnPaint = [hatched](TObject*) {
    HDC dc = hatched->Canvas()->Handle();
    HBRUSH cross = CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    RECT r{0, 0, 40, 40};
    FillRect(dc, &r, cross);
    DeleteObject(cross);
  };
  f->Show();
  Pump(100);
  HDC dc = GetDC(f->Handle());
  // In the area repainted below: a pixel on a hatch line and one beside it.
  POINT line{-1, -1}, gap{-1, -1};
  for (int y = 43; y < 50; ++y)
    for (int x = 121; x < 130; ++x)
      (GetPixel(dc, x, y) == RGB(0, 0, 255) ? line : gap) = POINT{x, y};
  ASSERT_GE(line.x, 0);
  ASSERT_GE(gap.x, 0);
  // Scribble over the whole client area, then repaint two small parts.
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  RECT all{0, 0, 240, 140};
  FillRect(dc, &all, magenta);
  RECT part{45, 37, 70, 55}, part2{121, 43, 130, 50};
  InvalidateRect(f->Handle(), &part, FALSE);
  InvalidateRect(f->Handle(), &part2, FALSE);
  UpdateWindow(f->Handle());
  EXPECT_EQ(GetPixel(dc, 47, 39), RGB(0, 255, 0)); // the box's (7, 9)
  EXPECT_EQ(GetPixel(dc, 48, 39), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 69, 54), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 44, 39), RGB(255, 0, 255)); // left of the area
  EXPECT_EQ(GetPixel(dc, 70, 54), RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(dc, line.x, line.y), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, gap.x, gap.y), RGB(255, 255, 255));
  DeleteObject(magenta);
  ReleaseDC(f->Handle(), dc);
  f->Free();
}

TEST(Forms, AHookUnhookedByAnotherIsNotCalled) {
  int second = 0, calls = 0;
  const int first = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == WM_USER + 8) {
      ++calls;
      Application->UnhookMainWindow(second);
    }
    return false;
  });
  second = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == WM_USER + 8) ADD_FAILURE() << "an unhooked hook was called";
    return false;
  });
  SendMessageW(Application->Handle(), WM_USER + 8, 0, 0);
  Application->UnhookMainWindow(first);
  EXPECT_EQ(calls, 1);
}

TEST(Forms, ClosingTheMainFormEndsTheProgram) {
  Form1->allow_close = false;
  Form1->log.clear();
  PostMessageW(Form1->Handle(), WM_CLOSE, 0, 0);
  Pump(50);
  EXPECT_FALSE(Application->Terminated());
  Form1->allow_close = true;
  PostMessageW(Form1->Handle(), WM_CLOSE, 0, 0);
  Application->Run(); // returns at once: the close ends the loop, then frees the forms
  EXPECT_TRUE(Application->Terminated());
}
