// The alert component with real windows under Wine: where the first popup
// goes and how big it is, its parent window, the opacity after the fade-in,
// hiding after the display time, no activation, a title shown exactly as
// given, three messages paged and deleted, a close that is vetoed, delete
// events and a handler that throws, AutoHide turned on later, and the owner
// freed mid-fade. Screenshots: alert_one.bmp, alert_three.bmp in the build
// folder.
#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "components/AlertMarkupCanvas.h"
#include "components/AlertNotifier.h"
#include "components/tests/win/TestWindows.h"

namespace {

TRect WorkArea() {
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  return Rect(wa.left, wa.top, wa.right, wa.bottom);
}

int Alpha(HWND w) {
  BYTE a = 0;
  DWORD flags = 0;
  COLORREF key = 0;
  return GetLayeredWindowAttributes(w, &key, &a, &flags) ? a : -1;
}

// The player's settings.
TAlertNotifier* PlayerAlert(TForm* owner) {
  auto* a = new TAlertNotifier(owner);
  TMsgCollectionItem* m = a->AlertMessages()->Add();
  m->Text()->Add("one");
  m->SetColor(clBlue);
  m->SetColorTo(clWhite);
  a->GradientDirection = gdHorizontal;
  a->Font()->SetName("MS Sans Serif");
  a->Font()->SetHeight(-13);
  a->Font()->SetStyle({fsBold});
  a->Font()->SetColor(clWhite);
  a->SetShowDelete(false);
  a->AlphaEnd = 160;
  a->DisplayTime = 400;
  return a;
}

bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
  for (int t = 0; t < ms; t += 10) {
    if (done()) return true;
    testwin::Pump(10);
  }
  return done();
}

TForm* Owner() {
  auto* f = new TForm(nullptr);
  f->SetBounds(50, 50, 300, 200);
  f->SetCaption("Владелец");
  f->SetVisible(true);
  testwin::Pump(50);
  return f;
}

} // namespace

TEST(AlertNotifier, FirstShowPlacesFadesAndHidesWithoutActivation) {
  TForm* form = Owner();
  SetForegroundWindow(form->Handle());
  testwin::Pump(50);
  HWND fg = GetForegroundWindow();
  TAlertNotifier* a = PlayerAlert(form);
  const std::string title = "Ария & <live> — «Тест»";
  a->AlertMessages()->Items(0)->Text()->Clear();
  a->AlertMessages()->Items(0)->Text()->Add(markup::EscapeMarkup(title));
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_NE(p, nullptr);
  const TRect work = WorkArea();
  RECT r;
  GetWindowRect(p->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_EQ(r.left, work.Right - 302);
  EXPECT_EQ(r.top, work.Bottom - 100);
  EXPECT_TRUE(IsWindowVisible(p->Handle()));
  EXPECT_TRUE(GetWindowLongPtrW(p->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(p->Handle(), GW_OWNER), form->Handle()); // the owner's window is its parent
  EXPECT_EQ(GetForegroundWindow(), fg);
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  EXPECT_EQ(Alpha(p->Handle()), 160);
  // The text as given, measured by the renderer on the popup's canvas.
  markup::MarkupParams mp;
  mp.MeasureOnly = true;
  markup::MarkupResult mr;
  TCanvasMarkupSurface s(p->Canvas());
  markup::DrawMarkup(s, p->AlertMessages()->Strings(0), p->Layout().Text, mp, mr);
  EXPECT_EQ(mr.PlainText, title);
  EXPECT_EQ(p->Layout().Text, Rect(4, 21, 276, 74));
  testwin::Pump(200);
  testwin::SaveScreenBmp(L"alert_one.bmp");
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(p->Handle()); }));
  EXPECT_EQ(Alpha(p->Handle()), 0);
  EXPECT_EQ(a->Phase(), AlertPhase::Hidden);
  form->Free();
}

TEST(AlertNotifier, ThreeMessagesPageDeleteAndVetoedClose) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->SetShowDelete(true);
  a->DisplayTime = 100000;
  a->AlertMessages()->Add()->Text()->Add("<b>второе</b> сообщение");
  a->AlertMessages()->Add()->Text()->Add("третье");
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  EXPECT_TRUE(p->Scroller()->Visible());
  p->NextMessage();
  EXPECT_EQ(components::PositionText(p->PositionFormat(), p->Position(), p->Scroller()->Max()),
            "2 of 3");
  p->Invalidate();
  testwin::Pump(100);
  testwin::SaveScreenBmp(L"alert_three.bmp");
  p->PrevMessage();
  EXPECT_EQ(p->Position(), 1);
  int deleted = -1;
  a->OnDeleteMessage = [&](TObject*, int i) { deleted = i; };
  bool refuse = true;
  a->OnCanDeleteMessage = [&](TObject*, int, bool& can) { can = !refuse; };
  p->DeleteCurrent(); // refused: nothing goes anywhere
  EXPECT_EQ(p->AlertMessages()->Count(), 3);
  EXPECT_EQ(a->AlertMessages()->Count(), 3);
  refuse = false;
  p->DeleteCurrent();
  EXPECT_EQ(deleted, 0);
  EXPECT_EQ(p->AlertMessages()->Count(), 2);
  EXPECT_EQ(a->AlertMessages()->Count(), 2);
  EXPECT_EQ(p->Copies()->Count(), 2);
  a->AlertMessages()->Delete(1); // in code: the popup follows
  EXPECT_EQ(p->AlertMessages()->Count(), 1);
  a->OnCanClose = [](TObject*, bool& can) { can = false; };
  p->CloseAlert();
  EXPECT_TRUE(p->Visible());
  a->OnCanClose = nullptr;
  p->CloseAlert();
  EXPECT_FALSE(p->Visible());
  EXPECT_EQ(a->Phase(), AlertPhase::Hidden);
  form->Free();
}

TEST(AlertNotifier, ATitleInEveryStateAndTheOwnerFreedMidFade) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->FadeTime = 5;
  a->Show();
  a->Show(); // fading in: returns at once
  EXPECT_EQ(a->Phase(), AlertPhase::FadingIn);
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::FadingOut; }));
  // Fading out: the new text at once, and the fade-out goes on and hides it.
  a->AlertMessages()->Items(0)->Text()->Clear();
  a->AlertMessages()->Items(0)->Text()->Add("two");
  a->Show();
  EXPECT_EQ(a->Popup()->AlertMessages()->Strings(0), "two");
  EXPECT_EQ(a->Phase(), AlertPhase::FadingOut);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(a->Popup()->Handle()); }));
  EXPECT_EQ(Alpha(a->Popup()->Handle()), 0);
  a->Show(); // hidden again: a new fade-in
  EXPECT_EQ(a->Phase(), AlertPhase::FadingIn);
  a->FadeTime = 50;
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::FadingOut; }));
  form->Free(); // the component and its popup go mid-fade
  testwin::Pump(200);
}

TEST(AlertNotifier, PopupPixelsBandsBorderCaptionAndTextInsideItsArea) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->AlphaEnd = 255; // opaque, so the screen shows the popup's own colours
  a->DisplayTime = 100000;
  a->Font()->SetColor(clBlack);
  std::string longTitle;
  for (int i = 0; i < 12; ++i) longTitle += "очень длинное название ";
  a->AlertMessages()->Items(0)->Text()->Clear();
  a->AlertMessages()->Items(0)->Text()->Add(markup::EscapeMarkup(longTitle));
  a->Show();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  testwin::Pump(100);
  RECT r;
  GetWindowRect(a->Popup()->Handle(), &r);
  HDC screen = GetDC(nullptr);
  auto at = [&](int x, int y) { return GetPixel(screen, r.left + x, r.top + y); };
  EXPECT_EQ(at(0, 50), ColorToRGB(a->BorderColor));
  EXPECT_EQ(at(299, 50), ColorToRGB(a->BorderColor));
  // Bands from the message's blue at the top to white at the bottom.
  const COLORREF top = at(2, 12), bottom = at(2, 96);
  EXPECT_GT(GetBValue(top), 200);
  EXPECT_LT(GetRValue(top), 60);
  EXPECT_GT(GetRValue(bottom), 200);
  EXPECT_GT(GetRValue(at(2, 80)), GetRValue(at(2, 40)));
  // The caption bar and its grip.
  // The bar runs from CaptionColor (0xD68759) to CaptionColorTo (0x962D00).
  const COLORREF bar = at(10, 2);
  EXPECT_LE(GetRValue(bar), 0x59);
  EXPECT_GE(GetBValue(bar), 0x96);
  EXPECT_LE(GetBValue(bar), 0xD6);
  const int g = (300 - 34) / 2;
  EXPECT_EQ(at(g, 2), RGB(0, 0, 0));
  // Text only inside (4, 21)-(276, 74), though the title runs longer.
  int inside = 0, outside = 0;
  for (int y = 8; y < 100; ++y)
    for (int x = 1; x < 278; ++x) {
      const COLORREF c = at(x, y);
      if (GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40) {
        const bool in = x >= 4 && x < 276 && y >= 21 && y < 74;
        (in ? inside : outside)++;
      }
    }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(inside, 200);
  EXPECT_EQ(outside, 0);
  form->Free();
}

TEST(AlertNotifier, ANewTitleReplacesTheListInOneChangeWithoutCloseEvents) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->DisplayTime = 100000;
  a->AlertMessages()->Add()->Text()->Add("two");
  a->AlertMessages()->Add()->Text()->Add("three");
  int closes = 0, asks = 0;
  a->OnClose = [&](TObject*) { ++closes; };
  a->OnCanClose = [&](TObject*, bool&) { ++asks; };
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  p->NextMessage();
  p->NextMessage();
  ASSERT_EQ(p->Position(), 3);
  a->AlertMessages()->Items(0)->Text()->Clear(); // visible: the popup follows at once
  a->AlertMessages()->Items(0)->Text()->Add("new &amp; title");
  EXPECT_EQ(p->AlertMessages()->Strings(0), "new &amp; title");
  EXPECT_EQ(p->Position(), 3); // a change of text keeps the message shown
  p->PrevMessage();
  a->Show(); // a rebuild starts again at message 1
  EXPECT_EQ(p->Position(), 1);
  EXPECT_TRUE(p->Visible());
  EXPECT_EQ(closes + asks, 0);
  p->NextMessage();
  p->NextMessage();
  a->AlertMessages()->Delete(2); // the list shrinks under the shown message
  EXPECT_EQ(p->Position(), 2);
  form->Free();
}

TEST(AlertNotifier, AlphaStartFollowsTheFadesAndAutoHideOffKeepsThePopup) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  EXPECT_EQ(a->AlphaStart(), 160); // the fade-in went through the setter
  a->SetAlphaStart(90);
  EXPECT_EQ(Alpha(p->Handle()), 90);
  EXPECT_EQ(a->AlphaStart(), 90);
  // Off while the display time runs: the count stops and the popup stays,
  // well past the 400 ms.
  a->SetAutoHide(false);
  testwin::Pump(1200);
  EXPECT_TRUE(IsWindowVisible(p->Handle()));
  EXPECT_EQ(a->Phase(), AlertPhase::Shown);
  a->SetAutoHide(true); // counts the whole display time again, then fades out
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(p->Handle()); }));
  EXPECT_EQ(a->AlphaStart(), 0);
  EXPECT_EQ(Alpha(p->Handle()), 0);
  form->Free();
}

TEST(AlertNotifier, AutoHideTurnedOnLaterStartsTheCountdownOfAShownPopup) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->SetAutoHide(false);
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  a->Show(); // a new title while it stays up for good
  testwin::Pump(800);
  EXPECT_TRUE(IsWindowVisible(p->Handle()));
  a->SetAutoHide(true); // the 400 ms now run, then it fades out
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(p->Handle()); }, 3000));
  form->Free();
}

TEST(AlertNotifier, DeleteEventsBadIndexesAndAThrowingHandler) {
  TForm* form = Owner();
  TAlertNotifier* a = PlayerAlert(form);
  a->DisplayTime = 100000;
  for (const char* t : {"two", "three", "four"}) a->AlertMessages()->Add()->Text()->Add(t);
  std::vector<int> deleted;
  a->OnDeleteMessage = [&](TObject*, int i) { deleted.push_back(i); };
  a->Show();
  TAlertWindow* p = a->Popup();
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  // A delete request for a message the component does not have.
  try {
    p->OnDeleteMessage(p, 9);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid Index");
  }
  // A handler that throws inside the item's destruction: the application's
  // handler gets it, the delete goes on.
  std::string reported;
  Application->OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
  a->OnDeleteMessage = [&](TObject*, int) { throw Exception("handler failed"); };
  a->AlertMessages()->Delete(3);
  EXPECT_EQ(reported, "handler failed");
  EXPECT_EQ(a->AlertMessages()->Count(), 3);
  EXPECT_EQ(p->AlertMessages()->Count(), 3);
  Application->OnException = nullptr;
  // Hidden: a message deleted in code raises no event.
  a->OnDeleteMessage = [&](TObject*, int i) { deleted.push_back(i); };
  p->CloseAlert();
  a->AlertMessages()->Delete(0);
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(a->AlertMessages()->Count(), 2);
  a->Show(); // the popup catches up
  ASSERT_TRUE(PumpUntil([&] { return a->Phase() == AlertPhase::Shown; }));
  EXPECT_EQ(p->AlertMessages()->Count(), 2);
  EXPECT_EQ(p->AlertMessages()->Strings(0), "two");
  form->Free();
}
