// The tray icon with the real shell calls (watched on their way), its
// handler window, clicks, the popup menu at the cursor, the shell's restart
// and the image list.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "components/Magnetic.h"
#include "classlib/Menus.h"
#include "components/tests/win/TestWindows.h"
#include "components/TrayIcon.h"
#include "classlib/tests/support/Scribbled.h"

using testwin::Pump;

namespace {

struct ShellCall {
  DWORD message;
  UINT id;
  std::wstring tip;
  HICON icon;
  BOOL result;
};

std::vector<ShellCall>& Calls() {
  static std::vector<ShellCall> calls;
  return calls;
}

BOOL WINAPI Watch(DWORD message, PNOTIFYICONDATAW data) {
  const BOOL r = Shell_NotifyIconW(message, data);
  Calls().push_back({message, data->uID, data->szTip, data->hIcon, r});
  return r;
}

int CountOf(DWORD message) {
  int n = 0;
  for (const auto& c : Calls()) n += c.message == message;
  return n;
}

class TrayIconWin : public ::testing::Test {
 protected:
  // The shell makes its notification area a moment after the first program
  // of a session starts, and accepts icons a little later still; until then
  // every shell call is refused, as on a Windows desktop still starting up
  // (the icon comes back through "TaskbarCreated" then). Wait until a probe
  // icon is accepted, so the first case sees a working shell.
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrayProbe";
    RegisterClassW(&wc);
    HWND probe = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = probe;
    data.uID = 1;
    data.uFlags = NIF_ICON;
    data.hIcon = AppIcon();
    for (int i = 0; i < 300; ++i) {
      if (Shell_NotifyIconW(NIM_ADD, &data)) {
        Shell_NotifyIconW(NIM_DELETE, &data);
        break;
      }
      Pump();
      Sleep(50);
    }
    DestroyWindow(probe);
  }
  void SetUp() override {
    TTrayIcon::NotifyIcon = Watch;
    Calls().clear();
  }
  void TearDown() override { TTrayIcon::NotifyIcon = Shell_NotifyIconW; }

  static void Callback(TTrayIcon& icon, UINT mouse) {
    SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, icon.TrayId(), mouse);
  }
  static HICON AppIcon() { return LoadIcon(nullptr, IDI_APPLICATION); }
  // The icon object takes a handle of its own.
  static void GiveIcon(TTrayIcon& icon) { icon.Icon()->SetHandle(CopyIcon(AppIcon())); }
};

// What the menu window showed when it was up.
struct MenuSeen {
  RECT rect{};
  std::vector<std::wstring> items;
  bool found = false;
};
MenuSeen g_menu;

void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menuWnd = FindWindowW(L"#32768", nullptr);
  if (!menuWnd) return; // not up yet: try at the next tick
  KillTimer(nullptr, id);
  g_menu.found = true;
  GetWindowRect(menuWnd, &g_menu.rect);
  if (HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWnd, 0x01E1 /*MN_GETHMENU*/, 0, 0)))
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      g_menu.items.push_back(text);
    }
  EndMenu();
}

} // namespace

TEST_F(TrayIconWin, AddedModifiedAndDeletedThroughTheShell) {
  UINT id = 0;
  int deletesBefore = 0;
  {
    TTrayIcon icon(nullptr);
    id = icon.TrayId();
    GiveIcon(icon);
    icon.SetHint("Korvalis 7.1");
    EXPECT_TRUE(Calls().empty()); // nothing in the tray yet
    icon.SetIconVisible(true);
    ASSERT_GE(CountOf(NIM_ADD), 1);
    // A shell that is busy may refuse at first: the icon tries again.
    for (int i = 0; i < 100 && !Calls().back().result; ++i) Pump(50);
    EXPECT_EQ(Calls().back().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(Calls().back().result) << "the shell refused the icon";

    EXPECT_EQ(Calls().back().tip, L"Korvalis 7.1");
    EXPECT_NE(Calls().back().icon, nullptr);
    EXPECT_EQ(icon.IconData().hWnd, TTrayIcon::HandlerWindow());
    EXPECT_EQ(icon.IconData().uCallbackMessage, TTrayIcon::kCallbackMessage);
    EXPECT_EQ(icon.IconData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));

    icon.SetHint("Запись идёт");
    ASSERT_EQ(CountOf(NIM_MODIFY), 1);
    EXPECT_EQ(Calls().back().tip, L"Запись идёт");
    EXPECT_TRUE(Calls().back().result);
    icon.SetShowHint(false);
    EXPECT_EQ(Calls().back().tip, L"");
    deletesBefore = CountOf(NIM_DELETE); // retries clear stale entries first
  }
  ASSERT_EQ(CountOf(NIM_DELETE), deletesBefore + 1);
  EXPECT_EQ(Calls().back().id, id);
  EXPECT_TRUE(Calls().back().result);
  EXPECT_EQ(TTrayIcon::HandlerWindow(), nullptr); // the last icon took the handler along
}

// A shell that refuses the first adds (busy, or still starting) gets the icon
// a moment later, with any stale entry cleared before each new try.
int g_refusals = 0;
BOOL WINAPI RefuseFirstAdds(DWORD message, PNOTIFYICONDATAW data) {
  if (message == NIM_ADD && g_refusals > 0) {
    --g_refusals;
    Calls().push_back({message, data->uID, data->szTip, data->hIcon, FALSE});
    return FALSE;
  }
  return Watch(message, data);
}

TEST_F(TrayIconWin, ARefusedAddIsTriedAgain) {
  g_refusals = 2;
  TTrayIcon::NotifyIcon = RefuseFirstAdds;
  TTrayIcon icon(nullptr);
  GiveIcon(icon);
  icon.SetIconVisible(true);
  ASSERT_EQ(CountOf(NIM_ADD), 1);
  EXPECT_FALSE(Calls().back().result);
  for (int i = 0; i < 100 && !Calls().back().result; ++i) Pump(50);
  EXPECT_EQ(CountOf(NIM_ADD), 3);
  EXPECT_EQ(Calls().back().message, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(Calls().back().result);
  EXPECT_EQ(Calls()[Calls().size() - 2].message, static_cast<DWORD>(NIM_DELETE));
  // Once in the tray, it stops trying.
  const size_t calls = Calls().size();
  Pump(TTrayIcon::kAddRetryMs * 3);
  EXPECT_EQ(Calls().size(), calls);
}

TEST_F(TrayIconWin, AHiddenIconStopsTrying) {
  g_refusals = 1000;
  TTrayIcon::NotifyIcon = RefuseFirstAdds;
  TTrayIcon icon(nullptr);
  GiveIcon(icon);
  icon.SetIconVisible(true);
  icon.SetIconVisible(false);
  const size_t calls = Calls().size();
  Pump(TTrayIcon::kAddRetryMs * 3);
  EXPECT_EQ(Calls().size(), calls);
  g_refusals = 0;
}

TEST_F(TrayIconWin, TooltipIsCutTo127Characters) {
  TTrayIcon icon(nullptr);
  GiveIcon(icon);
  icon.SetHint(std::string(300, 'Ж'));
  icon.SetIconVisible(true);
  EXPECT_EQ(Calls().back().tip, std::wstring(127, L'Ж'));
}

TEST_F(TrayIconWin, ClickAndDoubleClickFromTheShell) {
  TTrayIcon icon(nullptr);
  int clicks = 0, dbls = 0, downs = 0;
  icon.OnClick = [&](TObject* s) {
    EXPECT_EQ(s, &icon);
    ++clicks;
  };
  icon.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState shift, int, int) {
    EXPECT_EQ(b, mbLeft);
    EXPECT_TRUE(shift.Contains(ssLeft));
    ++downs;
  };
  Callback(icon, WM_LBUTTONDOWN);
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1); // no double-click handler: at once
  EXPECT_EQ(downs, 1);

  icon.OnDblClick = [&](TObject*) { ++dbls; };
  Callback(icon, WM_LBUTTONDOWN);
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1); // held back for one double-click time
  Pump(static_cast<int>(GetDoubleClickTime()) + 300);
  EXPECT_EQ(clicks, 2);

  Callback(icon, WM_LBUTTONDOWN);
  Callback(icon, WM_LBUTTONUP);
  Callback(icon, WM_LBUTTONDBLCLK);
  Callback(icon, WM_LBUTTONUP);
  Pump(static_cast<int>(GetDoubleClickTime()) + 300);
  EXPECT_EQ(dbls, 1);
  EXPECT_EQ(clicks, 2);

  icon.SetEnabled(false);
  Callback(icon, WM_LBUTTONDOWN);
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(downs, 3);
}

TEST_F(TrayIconWin, RightClickPopsUpTheMenuAtTheCursor) {
  TPopupMenu menu(nullptr);
  TMenuItem* show = new TMenuItem(&menu);
  show->Caption = "Показать";
  TMenuItem* close = new TMenuItem(&menu);
  close->Caption = "Закрыть";
  menu.Items()->Add(show);
  menu.Items()->Add(close);
  TTrayIcon icon(nullptr);
  icon.SetPopupMenu(&menu);
  SetCursorPos(400, 300);
  g_menu = MenuSeen{};
  SetTimer(nullptr, 0, 50, CloseMenuSoon);
  Callback(icon, WM_RBUTTONDOWN); // returns when the menu has closed
  ASSERT_TRUE(g_menu.found);
  EXPECT_EQ(g_menu.rect.left, 400);
  EXPECT_EQ(g_menu.rect.top, 300);
  ASSERT_EQ(g_menu.items.size(), 2u);
  EXPECT_EQ(g_menu.items[0], L"Показать");
  EXPECT_EQ(g_menu.items[1], L"Закрыть");
  EXPECT_EQ(menu.PopupComponent, &icon);
}

TEST_F(TrayIconWin, DoubleClickRunsTheMenusDefaultItem) {
  TPopupMenu menu(nullptr);
  TMenuItem* a = new TMenuItem(&menu);
  TMenuItem* b = new TMenuItem(&menu);
  menu.Items()->Add(a);
  menu.Items()->Add(b);
  int ran = 0;
  b->Default = true;
  b->OnClick = [&](TObject*) { ++ran; };
  TTrayIcon icon(nullptr);
  icon.SetPopupMenu(&menu);
  Callback(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(ran, 1);
}

TEST_F(TrayIconWin, AFreedMenuIsForgotten) {
  TTrayIcon icon(nullptr);
  auto* menu = new TPopupMenu(nullptr);
  icon.SetPopupMenu(menu);
  menu->Free();
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  Callback(icon, WM_RBUTTONDOWN); // no menu: nothing happens
}

TEST_F(TrayIconWin, TaskbarCreatedAddsAVisibleIconAgain) {
  TTrayIcon shown(nullptr), hidden(nullptr);
  GiveIcon(shown);
  GiveIcon(hidden);
  shown.SetIconVisible(true);
  for (int i = 0; i < 100 && !Calls().back().result; ++i) Pump(50);
  ASSERT_TRUE(Calls().back().result) << "the shell refused the icon";
  const UINT msg = TTrayIcon::TaskbarCreatedMessage();
  ASSERT_NE(msg, 0u); // Wine's common controls are newer than 4.70
  EXPECT_EQ(msg, RegisterWindowMessageW(L"TaskbarCreated"));
  // A restarted shell knows none of the old icons: ours is taken out of it
  // behind the component's back.
  NOTIFYICONDATAW gone = shown.IconData();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  Calls().clear();
  // The shell broadcasts it to every top-level window; the application
  // window hears it and the visible icon goes back into the shell.
  PostMessageW(HWND_BROADCAST, msg, 0, 0);
  Pump(200);
  ASSERT_EQ(CountOf(NIM_ADD), 1);
  EXPECT_EQ(Calls().back().id, shown.TrayId());
  EXPECT_TRUE(Calls().back().result);
  // It is in the shell again: a change of the icon object reaches it there.
  shown.Icon()->SetHandle(CopyIcon(LoadIcon(nullptr, IDI_INFORMATION)));
  ASSERT_EQ(CountOf(NIM_MODIFY), 1);
  EXPECT_TRUE(Calls().back().result);
  // The handler window leaves the message alone, and WM_NULL (0) is not
  // mistaken for it.
  SendMessageW(TTrayIcon::HandlerWindow(), msg, 0, 0);
  SendMessageW(Application->Handle(), WM_NULL, 0, 0);
  EXPECT_EQ(CountOf(NIM_ADD), 1);
}

TEST_F(TrayIconWin, TheIconIsAnIconObjectWhoseChangesReachTheShell) {
  TTrayIcon icon(nullptr);
  GiveIcon(icon);
  icon.SetIconVisible(true);
  for (int i = 0; i < 100 && !Calls().back().result; ++i) Pump(50);
  ASSERT_TRUE(Calls().back().result) << "the shell refused the icon";
  Calls().clear();
  TIcon other;
  other.SetHandle(CopyIcon(LoadIcon(nullptr, IDI_WARNING)));
  icon.SetIcon(&other); // a copy of its own, shown once
  ASSERT_EQ(CountOf(NIM_MODIFY), 1);
  EXPECT_NE(icon.Icon()->Handle(), nullptr);
  EXPECT_NE(icon.Icon()->Handle(), other.Handle());
  EXPECT_EQ(Calls().back().icon, icon.Icon()->Handle());
  EXPECT_TRUE(Calls().back().result);
  other.SetHandle(nullptr); // the copy does not go with the original
  EXPECT_NE(icon.Icon()->Handle(), nullptr);
  EXPECT_EQ(CountOf(NIM_MODIFY), 1);
  icon.Icon()->SetHandle(nullptr); // emptied in place: the shell is told too
  ASSERT_EQ(CountOf(NIM_MODIFY), 2);
  EXPECT_EQ(Calls().back().icon, nullptr);
  icon.SetIcon(nullptr);
  EXPECT_EQ(CountOf(NIM_MODIFY), 3);
}

TEST_F(TrayIconWin, CallbacksForAFreedIconAreIgnored) {
  TTrayIcon keep(nullptr);
  int clicks = 0;
  keep.OnClick = [&](TObject*) { ++clicks; };
  UINT goneId;
  {
    TTrayIcon gone(nullptr);
    goneId = gone.TrayId();
  }
  EXPECT_NE(goneId, keep.TrayId());
  SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, goneId, WM_LBUTTONDOWN);
  SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, goneId, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  // Closing the handler window from outside does not take it down.
  SendMessageW(TTrayIcon::HandlerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(TTrayIcon::HandlerWindow()));
}

TEST_F(TrayIconWin, IconIndexIsClampedToTheImageList) {
  TImageList list(nullptr);
  for (int i = 0; i < 3; ++i) ImageList_AddIcon(list.Handle(), AppIcon());
  TTrayIcon icon(nullptr);
  icon.SetIconList(&list);
  icon.SetIconIndex(10);
  EXPECT_EQ(icon.IconIndex(), 2);
  EXPECT_NE(icon.Icon()->Handle(), nullptr);
  icon.SetIconIndex(-3);
  EXPECT_EQ(icon.IconIndex(), 0);
  icon.SetIconList(nullptr);
  icon.SetIconIndex(2);
  EXPECT_EQ(icon.IconIndex(), 0);
}

TEST_F(TrayIconWin, CyclingRaisesOnCycleWithTheNextIndex) {
  TImageList list(nullptr);
  for (int i = 0; i < 3; ++i) ImageList_AddIcon(list.Handle(), AppIcon());
  TTrayIcon icon(nullptr);
  icon.SetIconList(&list);
  std::vector<int> next;
  icon.OnCycle = [&](TObject*, int n) { next.push_back(n); };
  icon.SetCycleInterval(30);
  icon.SetCycleIcons(true);
  const DWORD end = GetTickCount() + 2000;
  while (next.size() < 4 && static_cast<int>(end - GetTickCount()) > 0) Pump(20);
  icon.SetCycleIcons(false);
  ASSERT_GE(next.size(), 4u);
  EXPECT_EQ(next[0], 1);
  EXPECT_EQ(next[1], 2);
  EXPECT_EQ(next[2], 0);
  EXPECT_EQ(next[3], 1);
}

TEST_F(TrayIconWin, AFreedIconListIsLetGoAndCyclingStopsTakingFromIt) {
  TTrayIcon icon(nullptr);
  auto* list = new Scribbled<TImageList>(nullptr);
  for (int i = 0; i < 3; ++i) ImageList_AddIcon(list->Handle(), AppIcon());
  icon.SetIconList(list);
  std::vector<int> next;
  icon.OnCycle = [&](TObject*, int n) { next.push_back(n); };
  icon.SetCycleInterval(30);
  icon.SetCycleIcons(true);
  const DWORD end = GetTickCount() + 2000;
  while (next.size() < 2 && static_cast<int>(end - GetTickCount()) > 0) Pump(20);
  ASSERT_GE(next.size(), 2u);
  delete list;
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  const size_t before = next.size();
  Pump(300); // ten ticks or so, with nothing left to take icons from
  icon.SetCycleIcons(false);
  EXPECT_EQ(next.size(), before);
  EXPECT_NE(icon.Icon()->Handle(), nullptr); // the last icon taken stays shown
}

TEST_F(TrayIconWin, SubclassOrderOnAFormAndItsUndoing) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  Pump(50);
  int ownSysCommands = 0;
  form->SetMessageHandler(WM_SYSCOMMAND, [&](TMessage& m) {
    ++ownSysCommands;
    m.Result = 0; // the test form is not really minimised
  });
  HWND side = testwin::MakeWindow(500, 100, 200, 200);
  auto* icon = new TTrayIcon(form);
  int minimized = 0;
  icon->SetMinimizeToTray(true);
  icon->OnMinimizeToTray = [&](TObject*) { ++minimized; };
  // The snapping subclasses the form after the tray icon did.
  ASSERT_TRUE(MagneticInstance->AddWindow(form->Handle(), nullptr));
  ASSERT_TRUE(MagneticInstance->AddWindow(side, form->Handle()));
  const int sideIndex = MagneticInstance->IndexOfWindow(side);
  EXPECT_FALSE(MagneticInstance->Core().Item(sideIndex).Glued);
  // The side window now touches the form, unnoticed by the snapping.
  const RECT fr = testwin::WindowRectOf(form->Handle());
  SetWindowPos(side, nullptr, fr.right, fr.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(MagneticInstance->Core().Item(sideIndex).Glued);

  // Snapping passes the command on first: the tray icon takes it (and the
  // form's own handling never sees it); then snapping refreshes its glue.
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(minimized, 1);
  EXPECT_EQ(ownSysCommands, 0);
  EXPECT_TRUE(MagneticInstance->Core().Item(sideIndex).Glued);
  EXPECT_TRUE(icon->IconVisible()); // minimised to the tray

  // The tray icon goes before the form: the chain still works.
  icon->Free();
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(minimized, 1);
  EXPECT_EQ(ownSysCommands, 1);
  RECT r{100, 100, 400, 300};
  SendMessageW(form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r)), TRUE);
  SendMessageW(form->Handle(), WM_EXITSIZEMOVE, 0, 0);
  form->Free();
  DestroyWindow(side);
  Pump();
  EXPECT_EQ(MagneticInstance->Count(), 0);
}

namespace {

// A form whose layout holds a tray icon and whose creation registers it for
// snapping, as the player's main window does.
class TTrayForm : public TForm {
 public:
  using TForm::TForm;
  TTrayIcon* TrayIcon1 = nullptr;
  int ownSysCommands = 0, minimized = 0;

 protected:
  void CreateLayout() override {
    SetBounds(150, 150, 320, 200);
    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->SetHint("Korvalis 7.1");
    TrayIcon1->SetMinimizeToTray(true);
    TrayIcon1->OnMinimizeToTray = [this](TObject*) { ++minimized; };
    SetMessageHandler(WM_SYSCOMMAND, [this](TMessage& m) {
      ++ownSysCommands;
      m.Result = 0;
    });
    OnCreate = [this](TObject*) { MagneticInstance->AddWindow(Handle(), nullptr); };
  }
};

} // namespace

TEST_F(TrayIconWin, LayoutOrderPutsSnappingBeforeTheTrayIcon) {
  TTrayForm* form = New<TTrayForm>(nullptr);
  ASSERT_GT(MagneticInstance->IndexOfWindow(form->Handle()), 0);
  // Snapping answers moves without passing them on ...
  RECT r{150, 150, 470, 350};
  SendMessageW(form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r)), TRUE);
  SendMessageW(form->Handle(), WM_EXITSIZEMOVE, 0, 0);
  // ... and passes minimising on to the tray icon, which keeps it from the
  // form; snapping, being outermost, still refreshes its glue afterwards.
  HWND side = testwin::MakeWindow(700, 150, 100, 100);
  ASSERT_TRUE(MagneticInstance->AddWindow(side, form->Handle()));
  const RECT fr = testwin::WindowRectOf(form->Handle());
  SetWindowPos(side, nullptr, fr.right, fr.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int sideIndex = MagneticInstance->IndexOfWindow(side);
  EXPECT_FALSE(MagneticInstance->Core().Item(sideIndex).Glued);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(form->minimized, 1);
  EXPECT_EQ(form->ownSysCommands, 0);
  EXPECT_TRUE(MagneticInstance->Core().Item(sideIndex).Glued);
  DestroyWindow(side);
  form->Free();
  Pump();
  EXPECT_EQ(MagneticInstance->Count(), 0);
}

TEST_F(TrayIconWin, HandlersMayFreeTheIcon) {
  auto* icon = new TTrayIcon(nullptr);
  icon->OnClick = [&](TObject*) { FreeAndNil(icon); };
  icon->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { FAIL(); };
  const UINT id = icon->TrayId();
  TTrayIcon keep(nullptr); // keeps the handler window
  SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, id, WM_LBUTTONDOWN);
  SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, id, WM_LBUTTONUP);
  EXPECT_EQ(icon, nullptr);
}

TEST_F(TrayIconWin, AnOwnerFreesItsIconAndMenuAfterAPopup) {
  for (int order = 0; order < 2; ++order) {
    auto* owner = new TComponent(nullptr);
    TTrayIcon* icon = nullptr;
    TPopupMenu* menu = nullptr;
    if (order == 0) {
      icon = new Scribbled<TTrayIcon>(owner);
      menu = new Scribbled<TPopupMenu>(owner);
    } else {
      menu = new Scribbled<TPopupMenu>(owner);
      icon = new Scribbled<TTrayIcon>(owner);
    }
    TMenuItem* item = new TMenuItem(menu);
    item->Caption = "Выход";
    menu->Items()->Add(item);
    icon->SetPopupMenu(menu);
    g_menu = MenuSeen{};
    SetTimer(nullptr, 0, 50, CloseMenuSoon);
    Callback(*icon, WM_RBUTTONDOWN);
    EXPECT_TRUE(g_menu.found);
    owner->Free(); // the newer of the two goes first
  }
}

TEST_F(TrayIconWin, APopupKeepsAPendingQuit) {
  TPopupMenu menu(nullptr);
  TMenuItem* item = new TMenuItem(&menu);
  item->Caption = "Выход";
  menu.Items()->Add(item);
  TTrayIcon icon(nullptr);
  icon.SetPopupMenu(&menu);
  g_menu = MenuSeen{};
  const UINT_PTR closer = SetTimer(nullptr, 0, 50, CloseMenuSoon); // should a menu come up
  PostQuitMessage(7);
  Callback(icon, WM_RBUTTONDOWN);
  KillTimer(nullptr, closer);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_FALSE(g_menu.found); // the program is ending: no menu
}

TEST_F(TrayIconWin, ExceptionsStopAtTheApplication) {
  int seen = 0;
  Application->OnException = [&](TObject*, const std::exception&) { ++seen; };
  TTrayIcon icon(nullptr);
  icon.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("tray"); };
  MSG m{TTrayIcon::HandlerWindow(),
        TTrayIcon::kCallbackMessage,
        icon.TrayId(),
        WM_LBUTTONDOWN,
        0,
        {}};
  DispatchMessageW(&m);
  EXPECT_EQ(seen, 1);
  // A timer's handler.
  TSimpleTimer timer(10, [](TSimpleTimer* t) {
    t->Stop(true);
    throw Exception("timer");
  });
  timer.Start();
  for (int i = 0; i < 200 && seen < 2; ++i) Pump(10);
  EXPECT_EQ(seen, 2);
  // The owner window's subclass.
  TForm* form = new TForm(nullptr);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  auto* owned = new TTrayIcon(form);
  owned->SetMinimizeToTray(true);
  owned->OnMinimizeToTray = [](TObject*) { throw Exception("minimize"); };
  m = MSG{form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0, 0, {}};
  DispatchMessageW(&m);
  EXPECT_EQ(seen, 3);
  form->Free();
  Application->OnException = nullptr;
}
