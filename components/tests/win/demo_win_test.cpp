// The demonstration window: one of each component as the main window holds
// them: the gradient background, LED meter pairs at 0, 50 and 100, the record
// LED blinking, the three PNG pictures, the tray icon with its menu, and the
// window registered for snapping. Screenshots go to the build folder:
//   components_demo.bmp       the window with the LED lit
//   components_demo_menu.bmp  the same with the tray menu open at the cursor
#include <gtest/gtest.h>

#include <memory>

#include "components/BackGradient.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "components/LedMeters.h"
#include "components/Magnetic.h"
#include "classlib/Menus.h"
#include "components/PngCollection.h"
#include "components/PngResource.h"
#include "components/SwitchLed.h"
#include "components/tests/win/TestMeters.h"
#include "components/tests/win/TestWindows.h"
#include "components/TrayIcon.h"

namespace {

// Shows the pictures of a PNG collection side by side.
class TPngStrip : public TGraphicControl {
 public:
  TPngStrip(TComponent* owner, TPngCollection* pngs) : TGraphicControl(owner), pngs_(pngs) {}

 protected:
  void Paint() override {
    for (int i = 0; i < pngs_->Items()->Count(); ++i)
      components::DrawPng(Canvas()->Handle(), i * 40, 0, *pngs_->Items()->Items(i)->PngImage());
  }

 private:
  TPngCollection* pngs_;
};

struct Demo {
  TForm* form = nullptr;
  TBackGradient* gradient = nullptr;
  TLEDMeter* meters[6] = {};
  TSwitchLed* led = nullptr;
  TPngCollection* pngs = nullptr;
  TTrayIcon* tray = nullptr;
  TPopupMenu* menu = nullptr;
  TSimpleTimer* blink = nullptr;
  int blinks = 0;

  Demo() {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons({biSystemMenu, biMinimize});
    form->SetCaption("Korvalis  7.5 — компоненты");
    form->SetBounds(120, 100, 100, 100);
    form->SetClientSize(506, 263);

    gradient = new TBackGradient(form);
    gradient->SetParent(form);
    gradient->SetAlign(alClient);
    gradient->SetStartColor(classlib::RGBColor(0, 40, 110));
    gradient->SetEndColor(clBlack);
    gradient->SetStyle(gsVertical);

    const int positions[3] = {0, 50, 100};
    for (int i = 0; i < 6; ++i) {
      meters[i] = testwin::PlayerMeter(form, 12, 40 + (i / 2) * 40 + (i % 2) * 8);
      meters[i]->SetPosition(positions[i / 2]);
    }

    led = new TSwitchLed(form);
    led->SetLeft(480);
    led->SetTop(8);
    led->SetOffColor(Black);
    led->SetLedState(LedOff);
    led->SetHint("Запись");
    led->SetShowHint(true);

    pngs = new TPngCollection(form);
    const std::int32_t backgrounds[3] = {clWindow, cl3DDkShadow, clWindow};
    const wchar_t* names[3] = {L"PNGIMAGE0", L"PNGIMAGE1", L"PNGIMAGE2"};
    for (int i = 0; i < 3; ++i) {
      TPngImage png;
      components::LoadPngResource(png, names[i]);
      TPngCollectionItem* item = pngs->Items()->Add();
      item->SetPngImage(&png);
      item->SetBackground(backgrounds[i]);
    }
    auto* strip = new TPngStrip(form, pngs);
    strip->SetParent(form);
    strip->SetBounds(12, 170, 120, 32);

    menu = new TPopupMenu(form);
    auto* n1 = new TMenuItem(form);
    n1->Caption = "Показать";
    auto* n2 = new TMenuItem(form);
    n2->Caption = "Закрыть";
    menu->Items()->Add(n1);
    menu->Items()->Add(n2);

    tray = new TTrayIcon(form);
    tray->SetHint("Korvalis 7.1");
    tray->Icon()->SetHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"TRAYICON", IMAGE_ICON, 16, 16, 0)));
    tray->SetPopupMenu(menu);
    tray->SetIconVisible(true);

    form->Show();
    MagneticInstance->AddWindow(form->Handle(), nullptr);
    MagneticInstance->SetSnapWidth(25);

    // The record LED blinks as while recording: off colour red / black.
    blink = new TSimpleTimer(100, [this](TSimpleTimer*) {
      ++blinks;
      led->SetOffColor(led->OffColor() == Black ? Red : Black);
    });
    blink->SetEnabled(true);
  }
  ~Demo() {
    delete blink;
    form->Free();
  }
  COLORREF At(int x, int y) {
    HDC dc = GetDC(form->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(form->Handle(), dc);
    return c;
  }
};

Demo* g_demo = nullptr;
bool g_menuShot = false;

void CALLBACK ShootMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (!FindWindowW(L"#32768", nullptr)) return;
  KillTimer(nullptr, id);
  testwin::Pump(0);
  Sleep(100);
  g_menuShot = testwin::SaveScreenBmp(L"components_demo_menu.bmp");
  EndMenu();
}

} // namespace

TEST(ComponentsDemo, OneOfEachOnTheMainWindow) {
  Demo demo;
  g_demo = &demo;
  testwin::Pump(300);

  // Meters at 0, 50 and 100.
  EXPECT_EQ(demo.At(12 + 4, 42), RGB(0, 153, 0));
  EXPECT_EQ(demo.At(12 + 4, 82), RGB(0, 255, 0));
  EXPECT_EQ(demo.At(12 + 30 * 8 + 4, 82), RGB(0, 153, 0));
  EXPECT_EQ(demo.At(12 + 59 * 8 + 4, 122), RGB(255, 0, 0));
  EXPECT_EQ(demo.At(12 + 59 * 8 + 4, 130), RGB(255, 0, 0));

  // The LED blinks: red and black by turns.
  bool sawRed = false, sawBlack = false;
  for (int i = 0; i < 40 && !(sawRed && sawBlack); ++i) {
    testwin::Pump(30);
    const COLORREF c = demo.At(480 + 7, 8 + 7);
    sawRed |= GetRValue(c) > 150 && GetGValue(c) < 80;
    sawBlack |= GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
  }
  EXPECT_TRUE(sawRed);
  EXPECT_TRUE(sawBlack);
  EXPECT_GE(demo.blinks, 2);

  // A screenshot with the LED red.
  demo.blink->SetEnabled(false);
  demo.led->SetOffColor(Red);
  testwin::Pump(100);
  EXPECT_TRUE(testwin::SaveScreenBmp(L"components_demo.bmp"));

  // Right click on the tray icon: the menu at the cursor, photographed.
  SetCursorPos(300, 250);
  SetTimer(nullptr, 0, 50, ShootMenu);
  SendMessageW(TTrayIcon::HandlerWindow(), TTrayIcon::kCallbackMessage, demo.tray->TrayId(),
               WM_RBUTTONDOWN);
  EXPECT_TRUE(g_menuShot);
  g_demo = nullptr;
}
