// The rest of the window shell under Wine: tab order and focus, keys in
// Windows-1251, mouse capture by a graphic control, inherited colour, font
// and hints, alignment on visibility, AutoSize, a window procedure replaced
// from outside, the application window's hooks and minimising, bitmap
// resources, processes, message dialogs and a timer freed by its own tick.
#include <gtest/gtest.h>

#include "classlib/tests/app_pump.h"
#include "classlib/Bitmap.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ShellUtils.h"

namespace {

class TBox : public TCustomControl {
 public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) {}
};

class TDot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

// A form whose WndProc sees every message first, as a main window's does.
class TSpyForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<UINT> seen;
  void WndProc(TMessage& M) override {
    if (M.Msg >= WM_USER && M.Msg < WM_USER + 200) seen.push_back(M.Msg);
    TForm::WndProc(M);
  }
};

struct Fixture : ::testing::Test {
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = New<TSpyForm>(Application);
    form->SetBounds(50, 50, 300, 200);
  }
  void TearDown() override { form->Free(); }
  TSpyForm* form = nullptr;
};

} // namespace

using Shell = Fixture;

TEST_F(Shell, TabMovesFocusInTabOrderWithEnterAndExit) {
  std::vector<std::string> log;
  TBox* boxes[3];
  for (int i = 0; i < 3; ++i) {
    boxes[i] = new TBox(form);
    boxes[i]->SetName("Box" + IntToStr(i));
    boxes[i]->SetParent(form);
    boxes[i]->SetBounds(10 + 60 * i, 10, 50, 50);
    boxes[i]->SetTabStop(true);
    boxes[i]->OnEnter = [&log, i](TObject*) { log.push_back("enter" + IntToStr(i)); };
    boxes[i]->OnExit = [&log, i](TObject*) { log.push_back("exit" + IntToStr(i)); };
  }
  boxes[2]->SetTabOrder(0); // order: 2, 0, 1
  EXPECT_EQ(boxes[0]->TabOrder(), 1);
  form->Show();
  Pump(30);
  boxes[2]->SetFocus();
  EXPECT_TRUE(boxes[2]->Focused());
  EXPECT_EQ(form->FindNextControl(boxes[2], true), boxes[0]);
  EXPECT_EQ(form->FindNextControl(boxes[2], false), boxes[1]);
  log.clear();
  PostMessageW(boxes[2]->Handle(), WM_KEYDOWN, VK_TAB, 0);
  Pump(30);
  EXPECT_TRUE(boxes[0]->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"exit2", "enter0"}));
  boxes[1]->SetVisible(false); // hidden controls are skipped
  EXPECT_EQ(form->FindNextControl(boxes[0], true), boxes[2]);
  boxes[1]->SetVisible(true);
  boxes[1]->SetEnabled(false);
  EXPECT_FALSE(boxes[1]->CanFocus());
  EXPECT_THROW(boxes[1]->SetFocus(), EInvalidOperation);
}

TEST_F(Shell, KeysArriveAsCodesAndWindows1251Characters) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 50, 50);
  std::string typed;
  WORD down = 0;
  box->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { down = key; };
  box->OnKeyPress = [&](TObject*, char& key) {
    typed += key;
    if (key == 'x') key = 0; // swallowed
  };
  form->Show();
  box->SetFocus();
  SendMessageW(box->Handle(), WM_KEYDOWN, VK_F5, 0);
  SendMessageW(box->Handle(), WM_CHAR, 0x0436, 0); // Cyrillic zhe
  SendMessageW(box->Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(down, VK_F5);
  EXPECT_EQ(typed, "жx");
}

TEST_F(Shell, GraphicControlKeepsTheMouseWhileAButtonIsDown) {
  auto* dot = new TDot(form);
  dot->SetParent(form);
  dot->SetBounds(20, 20, 30, 30);
  std::vector<std::string> log;
  dot->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    log.push_back("move " + IntToStr(x) + "," + IntToStr(y));
  };
  dot->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("up " + IntToStr(x) + "," + IntToStr(y));
  };
  dot->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(std::string(b == mbLeft ? "down " : "other ") + (s.Contains(ssLeft) ? "L " : "") +
                  IntToStr(x) + "," + IntToStr(y));
  };
  dot->OnClick = [&](TObject*) { log.push_back("click"); };
  form->Show();
  HWND h = form->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150)); // released: not the dot's any more
  EXPECT_EQ(log, (std::vector<std::string>{"down L 5,5", "move 180,130", "up 180,130"}));
}

TEST_F(Shell, ColourFontAndHintsFollowTheParentUntilSet) {
  auto* panel = new TBox(form);
  panel->SetParent(form);
  auto* a = new TDot(form);
  auto* b = new TDot(form);
  a->SetParent(panel);
  b->SetParent(panel);
  b->SetColor(clLime);
  b->Font()->SetHeight(-20);
  panel->SetColor(clNavy);
  panel->Font()->SetStyle({fsBold});
  EXPECT_EQ(a->Color(), clNavy);
  EXPECT_EQ(b->Color(), clLime);
  EXPECT_TRUE(a->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(b->Font()->Style().Contains(fsBold));
  EXPECT_EQ(b->Font()->Height(), -20);
  b->SetParentColor(true);
  EXPECT_EQ(b->Color(), clNavy);
  EXPECT_FALSE(a->ShowHint());
  form->SetShowHint(true);
  EXPECT_TRUE(a->ShowHint());
  a->SetShowHint(false);
  EXPECT_FALSE(a->ShowHint());
}

TEST_F(Shell, AlignmentFollowsVisibilityAndAutoSizeFitsTheControls) {
  auto* top = new TBox(form);
  top->SetParent(form);
  top->SetAlign(alTop);
  top->SetHeight(50);
  auto* rest = new TBox(form);
  rest->SetParent(form);
  rest->SetAlign(alClient);
  int h = form->ClientHeight();
  EXPECT_EQ(rest->Top(), 50);
  EXPECT_EQ(rest->Height(), h - 50);
  top->SetVisible(false);
  EXPECT_EQ(rest->Top(), 0);
  EXPECT_EQ(rest->Height(), h);
  form->SetClientSize(200, 120); // resizing the form realigns
  EXPECT_EQ(rest->Width(), 200);
  EXPECT_EQ(rest->Height(), 120);

  auto* other = New<TForm>(Application);
  auto* d1 = new TDot(other);
  d1->SetParent(other);
  d1->SetBounds(10, 10, 100, 50);
  auto* d2 = new TDot(other);
  d2->SetParent(other);
  d2->SetBounds(50, 80, 30, 30);
  other->SetAutoSize(true);
  EXPECT_EQ(other->ClientWidth(), 110);
  EXPECT_EQ(other->ClientHeight(), 110);
  other->Free();
}

namespace {
WNDPROC g_old_proc = nullptr;
int g_outside_seen = 0;
LRESULT CALLBACK OutsideProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER + 5) ++g_outside_seen;
  return CallWindowProcW(g_old_proc, h, m, w, l);
}
} // namespace

TEST_F(Shell, WindowProcedureReplacedFromOutsideStillReachesTheForm) {
  HWND h = form->Handle();
  g_old_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OutsideProc)));
  SendMessageW(h, WM_USER + 5, 0, 0);
  EXPECT_EQ(g_outside_seen, 1);
  EXPECT_EQ(form->seen, (std::vector<UINT>{WM_USER + 5}));
  // The user-data slot stays free for others.
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 0);
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_old_proc));
}

TEST_F(Shell, ApplicationWindowHooksAndMinimising) {
  form->Show();
  Pump(20);
  std::vector<WPARAM> commands;
  int id = Application->HookMainWindow([&](TMessage& M) {
    if (M.Msg == WM_SYSCOMMAND) commands.push_back(M.WParam & 0xFFF0);
    return false;
  });
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(commands, (std::vector<WPARAM>{SC_MINIMIZE, SC_RESTORE}));
  // A hook that answers keeps the message from the application.
  int swallow = Application->HookMainWindow([](TMessage& M) { return M.Msg == WM_SYSCOMMAND; });
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  Application->UnhookMainWindow(swallow);
  Application->UnhookMainWindow(id);
  EXPECT_FALSE(Application->Title().empty());
  EXPECT_EQ(AnsiLowerCase(ExtractFileExt(Application->ExeName())), ".exe");
}

TEST_F(Shell, BitmapFromANamedResourceDrawsTransparently) {
  TBitmap led;
  led.LoadFromResourceName(nullptr, "LEDTEST");
  ASSERT_EQ(led.Width(), 13);
  ASSERT_EQ(led.Height(), 13);
  EXPECT_EQ(led.Canvas()->Pixels(6, 6), clRed);
  EXPECT_EQ(led.Canvas()->Pixels(0, 0), clGreen);
  led.SetTransparent(true);
  led.SetTransparentColor(clGreen);
  TBitmap target(13, 13);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 13, 13));
  target.Canvas()->Draw(0, 0, &led);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(6, 6), clRed);
}

TEST_F(Shell, ProcessesStartHiddenAndReportTheirExitCode) {
  DWORD code = 0;
  ASSERT_TRUE(classlib::StartProcess("cmd.exe /c exit 3", "", SW_HIDE, true, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_FALSE(classlib::StartProcess("no_such_program_here.exe", "", SW_HIDE, true, &code));
}

TEST_F(Shell, MessageDialogsPickIconsAndButtons) {
  UINT flags = 0;
  std::string text;
  classlib::MessageBoxHook = [&](HWND, const std::string& t, const std::string&, UINT f) {
    text = t;
    flags = f;
    return IDYES;
  };
  EXPECT_EQ(MessageDlg("Удалить?", mtConfirmation, {mbYes, mbNo}), mrYes);
  EXPECT_EQ(flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(text, "Удалить?");
  MessageDlg("x", mtError, {mbOK});
  EXPECT_EQ(flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  Application->MessageBox("Текст", "Заголовок", MB_OK | MB_ICONERROR);
  EXPECT_EQ(text, "Текст");
  classlib::MessageBoxHook = nullptr;
}

TEST_F(Shell, TimerMayFreeItselfInItsOwnTick) {
  auto* t = new TTimer(nullptr);
  t->SetInterval(10);
  int ticks = 0;
  t->OnTimer = [&](TObject* sender) {
    ++ticks;
    static_cast<TTimer*>(sender)->Free();
  };
  Pump(80);
  EXPECT_EQ(ticks, 1);
}

TEST_F(Shell, OnMessageSeesQueuedMessagesFirstAndScreenCursorOverrides) {
  HWND h = form->Handle();
  int hooked = 0;
  Application->OnMessage = [&](MSG& m, bool& handled) {
    if (m.message == WM_USER + 7) {
      ++hooked;
      handled = true; // never reaches the form
    }
  };
  PostMessageW(h, WM_USER + 7, 0, 0);
  PostMessageW(h, WM_USER + 8, 0, 0);
  Application->ProcessMessages();
  Application->OnMessage = nullptr;
  EXPECT_EQ(hooked, 1);
  EXPECT_EQ(form->seen, (std::vector<UINT>{WM_USER + 8}));

  auto* dot = new TDot(form);
  dot->SetParent(form);
  dot->SetBounds(0, 0, 100, 100);
  dot->SetCursor(crHandPoint);
  form->Show();
  TPoint s = form->ClientToScreen(Point(10, 10));
  SetCursorPos(s.X, s.Y);
  Screen->SetCursor(crHourGlass);
  SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
  SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}
