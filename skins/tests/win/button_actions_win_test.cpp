// Skinned buttons bound to actions, and the glyphs they draw, on real
// windows with real input (SendInput). A button takes its action's caption,
// hint, enabled state, checked state and glyph (from the action list's
// images) and follows later changes; a real click runs the action. Pixel
// tests read the glyph from the screen against a twin button without one:
// normal, hot (the hot list), grey until hot, blended with the face, and
// disabled (blended half-way, greyed). A screenshot of the form is kept in
// the build folder as skins_button_actions.bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"
#include "skins/sCheckedControl.h"
#include "skins/sCustomButton.h"

namespace {

using skins::TsButton;
using skins::TsCheckedControl;
using skins::TsDisabledGlyphKind;
using skins::TsDisabledGlyphKindItem;

const char kButtonGradient[] = "8421504;16777215;99;0;0;16777215;16777215;0;0;0";
const char kButtonHot[] =
    "8421504;8421504;10;0;0;8421504;16777215;43;0;0;16777215;10658466;28;0;0;10658466;"
    "13816530;18;0;0;13816530;13816530;0;0;0";

constexpr TColor kRed = static_cast<TColor>(0x0000FF), kBlue = static_cast<TColor>(0xFF0000),
                 kGreen = static_cast<TColor>(0x00FF00);

// 16 x 16 images: a square of `colour` 12 pixels wide in a transparent
// (magenta) frame two pixels wide.
void AddSquares(TImageList* list, std::initializer_list<TColor> colours) {
  TBitmap b(16 * static_cast<int>(colours.size()), 16);
  b.Canvas()->FillRect(Rect(0, 0, b.Width(), 16), clFuchsia);
  int x = 0;
  for (TColor c : colours) {
    b.Canvas()->FillRect(Rect(x + 2, 2, x + 14, 14), c);
    x += 16;
  }
  list->AddMasked(&b, clFuchsia);
}

// Buttons without a caption centre their glyph: (84 - 16 - 3) div 2 = 32
// across, (22 - 16) div 2 = 3 down; the square's middle and a pixel of its
// transparent frame.
constexpr int kGlyphX = 32 + 8, kGlyphY = 3 + 8, kFrameX = 32 + 1, kFrameY = 3 + 1;

class TestForm : public TForm {
 public:
  using TForm::TForm;
  TImageList *images = nullptr, *hot_images = nullptr, *late_images = nullptr;
  TActionList *list = nullptr, *late_list = nullptr;
  TAction *record = nullptr, *late = nullptr;
  TsButton* bound = nullptr;          // bound to `record`, with a caption
  TsButton* late_bound = nullptr;     // bound to `late`, whose list fills later
  TsCheckedControl* check = nullptr;  // bound to `record` too
  // Glyph buttons, each beside its twin without a glyph (same face).
  TsButton *plain = nullptr, *plain_twin = nullptr;
  TsButton *gray = nullptr, *gray_twin = nullptr;
  TsButton *blend = nullptr, *blend_twin = nullptr;
  TsButton *off = nullptr, *off_twin = nullptr;
  int executed = 0;

 protected:
  TsButton* NewButton(int x, int y) {
    auto* b = new TsButton(this);
    b->SetParent(this);
    b->SetBounds(x, y, 84, 22);
    b->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
    b->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHot);
    return b;
  }
  TsButton* GlyphButton(int x, int y, TsButton*& twin) {
    twin = NewButton(x + 100, y);
    TsButton* b = NewButton(x, y);
    b->SetImages(images);
    b->SetHotImages(hot_images);
    b->SetImageIndex(0);
    return b;
  }
  void CreateLayout() override {
    SetCaption("Korvalis — кнопки и действия");
    SetBorderStyle(bsSingle);
    SetBounds(40, 40, 100, 100);
    SetClientSize(360, 260);
    images = new TImageList(this);
    AddSquares(images, {kRed, kBlue});
    hot_images = new TImageList(this);
    AddSquares(hot_images, {kGreen});
    list = new TActionList(this);
    list->SetImages(images);
    record = new TAction(this);
    record->SetActionList(list);
    record->SetCaption("Записать");
    record->SetHint("Запись эфира");
    record->SetImageIndex(0);
    bound = NewButton(10, 10);
    bound->SetAction(record);
    check = new TsCheckedControl(this);
    check->SetParent(this);
    check->SetBounds(110, 12, 120, 18);
    check->SetAction(record);
    late_images = new TImageList(this);
    AddSquares(late_images, {kRed});
    late_list = new TActionList(this);
    late_list->SetImages(late_images);
    late = new TAction(this);
    late->SetActionList(late_list);
    late->SetImageIndex(1); // not there yet
    late_bound = NewButton(250, 10);
    late_bound->SetAction(late);
    plain = GlyphButton(10, 60, plain_twin);
    gray = GlyphButton(10, 100, gray_twin);
    gray->SetGrayHot(true);
    blend = GlyphButton(10, 140, blend_twin);
    blend->SetGlyphBlend(60);
    off = GlyphButton(10, 180, off_twin);
    for (TsButton* b : {off, off_twin}) {
      b->SetDisabledKind({}); // the glyph's own disabled look alone
      b->SetEnabled(false);
    }
  }
  void Loaded() override {
    TForm::Loaded();
    record->OnExecute = [this](TObject*) { ++executed; };
  }
};

struct Rgb {
  int r, g, b;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}
bool Near(Rgb a, Rgb b, int tolerance = 3) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}
Rgb Of(TColor c) { return Rgb{int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; }
// t - f * (t - s) per channel: glyph t with f of the face s showing through.
Rgb Mix(Rgb t, Rgb s, double f) {
  auto m = [f](int a, int b) { return static_cast<int>(a - f * (a - b) + 0.5); };
  return Rgb{m(t.r, s.r), m(t.g, s.g), m(t.b, s.b)};
}
Rgb Gray(Rgb c) {
  const int v = (c.r + c.g + c.b) / 3;
  return Rgb{v, v, v};
}

Rgb ScreenAt(TControl* c, int x, int y) {
  const TPoint p = c->ClientToScreen(Point(x, y));
  HDC dc = GetDC(nullptr);
  const COLORREF v = GetPixel(dc, p.X, p.Y);
  ReleaseDC(nullptr, dc);
  return Rgb{GetRValue(v), GetGValue(v), GetBValue(v)};
}

// How many pixels of the control show about `colour` on the screen.
int CountOf(TControl* c, TColor colour) {
  const TPoint p = c->ClientToScreen(Point(0, 0));
  TBitmap shot(c->Width(), c->Height());
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas()->Handle(), 0, 0, c->Width(), c->Height(), screen, p.X, p.Y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  int n = 0;
  for (int y = 0; y < c->Height(); ++y)
    for (int x = 0; x < c->Width(); ++x) {
      const COLORREF v = GetPixel(shot.Canvas()->Handle(), x, y);
      if (Near(Rgb{GetRValue(v), GetGValue(v), GetBValue(v)}, Of(colour), 8)) ++n;
    }
  return n;
}

class ButtonActions : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TestForm>(Application);
    form_->Show();
    testinput::Activate(form_->Handle());
    Pump(500);
  }
  static void TearDownTestSuite() {
    if (form_) form_->Free();
    form_ = nullptr;
  }
  void SetUp() override { Away(); }
  static void Away() {
    testinput::MoveTo(form_->Handle(), 350, 250); // over nothing
    Pump(300);
  }
  static void Over(TControl* c) {
    testinput::MoveTo(static_cast<TWinControl*>(c)->Handle(), 5, 5);
    Pump(400); // the fade in runs its steps
  }
  static TestForm* form_;
};
TestForm* ButtonActions::form_ = nullptr;

TEST_F(ButtonActions, ABoundButtonTakesTheActionsLookAndFollowsIt) {
  TsButton* b = form_->bound;
  TAction* a = form_->record;
  EXPECT_EQ(b->Caption(), "Записать");
  EXPECT_EQ(b->Hint(), "Запись эфира");
  EXPECT_TRUE(b->Enabled());
  EXPECT_EQ(b->Images(), form_->images); // it had none: the list's are taken
  EXPECT_EQ(b->ImageIndex(), 0);
  EXPECT_GT(CountOf(b, kRed), 100);
  EXPECT_EQ(form_->check->Caption(), "Записать");

  a->SetImageIndex(1);
  a->SetCaption("Стоп");
  a->SetHint("Остановить запись");
  Pump(150);
  EXPECT_EQ(b->ImageIndex(), 1);
  EXPECT_EQ(CountOf(b, kRed), 0);
  EXPECT_GT(CountOf(b, kBlue), 100);
  EXPECT_EQ(b->Caption(), "Стоп");
  EXPECT_EQ(b->Hint(), "Остановить запись");
  EXPECT_EQ(form_->check->Caption(), "Стоп");
  a->SetChecked(true);
  EXPECT_TRUE(b->Down());
  a->SetChecked(false);
  EXPECT_FALSE(b->Down());
  a->SetEnabled(false);
  Pump(150);
  EXPECT_FALSE(b->Enabled());
  EXPECT_FALSE(form_->check->Enabled());
  testinput::SaveScreenshot(form_->Handle(), L"skins_button_actions_disabled.bmp");
  a->SetEnabled(true);
  a->SetImageIndex(0);
  a->SetCaption("Записать");
  Pump(150);
  EXPECT_TRUE(b->Enabled());
  EXPECT_GT(CountOf(b, kRed), 100);
}

// The action's list gains the image its index names: the button hears the
// list change and draws it.
TEST_F(ButtonActions, AGlyphAddedToTheListLaterShows) {
  TsButton* b = form_->late_bound;
  EXPECT_EQ(b->Images(), form_->late_images);
  EXPECT_EQ(CountOf(b, kBlue), 0);
  AddSquares(form_->late_images, {kBlue});
  Pump(150);
  EXPECT_GT(CountOf(b, kBlue), 100);
}

TEST_F(ButtonActions, ARealClickRunsTheAction) {
  const int n = form_->executed;
  testinput::Click(form_->bound->Handle(), 60, 11);
  Pump(150);
  EXPECT_EQ(form_->executed, n + 1);
  testinput::Click(form_->check->Handle(), 8, 9);
  Pump(150);
  EXPECT_EQ(form_->executed, n + 2);
  // Disabled through its action, the button ignores the click.
  form_->record->SetEnabled(false);
  Pump(60);
  testinput::Click(form_->bound->Handle(), 60, 11);
  Pump(150);
  EXPECT_EQ(form_->executed, n + 2);
  form_->record->SetEnabled(true);
  Pump(60);
}

TEST_F(ButtonActions, NormalAndHotGlyphs) {
  TsButton* b = form_->plain;
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kRed))) << ScreenAt(b, kGlyphX, kGlyphY);
  // The transparent frame leaves the face.
  EXPECT_TRUE(Near(ScreenAt(b, kFrameX, kFrameY), ScreenAt(form_->plain_twin, kFrameX, kFrameY)));
  Over(b);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kGreen))) << ScreenAt(b, kGlyphX, kGlyphY);
  Away();
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kRed)));
}

TEST_F(ButtonActions, GrayUntilHot) {
  TsButton* b = form_->gray;
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Gray(Of(kRed)))) << ScreenAt(b, kGlyphX, kGlyphY);
  EXPECT_TRUE(Near(ScreenAt(b, kFrameX, kFrameY), ScreenAt(form_->gray_twin, kFrameX, kFrameY)))
      << ScreenAt(b, kFrameX, kFrameY);
  Over(b);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kGreen))) << ScreenAt(b, kGlyphX, kGlyphY);
}

TEST_F(ButtonActions, BlendedUntilHot) {
  TsButton* b = form_->blend;
  const Rgb face = ScreenAt(form_->blend_twin, kGlyphX, kGlyphY);
  const Rgb want = Mix(Of(kRed), face, 0.6);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), want))
      << ScreenAt(b, kGlyphX, kGlyphY) << " want " << want;
  Over(b);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kGreen))) << ScreenAt(b, kGlyphX, kGlyphY);
}

TEST_F(ButtonActions, DisabledGlyphsBlendHalfWayAndGray) {
  TsButton* b = form_->off;
  const Rgb face = ScreenAt(form_->off_twin, kGlyphX, kGlyphY);
  // By default: blended half-way, in colour.
  Rgb want = Mix(Of(kRed), face, 0.5);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), want))
      << ScreenAt(b, kGlyphX, kGlyphY) << " want " << want;
  b->SetDisabledGlyphKind({TsDisabledGlyphKindItem::dgBlended, TsDisabledGlyphKindItem::dgGrayed});
  Pump(150);
  want = Mix(Gray(Of(kRed)), face, 0.5);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), want))
      << ScreenAt(b, kGlyphX, kGlyphY) << " want " << want;
  EXPECT_TRUE(Near(ScreenAt(b, kFrameX, kFrameY), ScreenAt(form_->off_twin, kFrameX, kFrameY)));
  b->SetDisabledGlyphKind({TsDisabledGlyphKindItem::dgGrayed});
  Pump(150);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Gray(Of(kRed))));
  b->SetDisabledGlyphKind({});
  Pump(150);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kRed)));
  // The mouse over a disabled button changes nothing: the hot list is not used.
  Over(b);
  EXPECT_TRUE(Near(ScreenAt(b, kGlyphX, kGlyphY), Of(kRed)));
  b->SetDisabledGlyphKind({TsDisabledGlyphKindItem::dgBlended});
  Pump(150);
  testinput::SaveScreenshot(form_->Handle(), L"skins_button_actions.bmp");
}

// Freeing what a button draws from or follows leaves it working.
TEST_F(ButtonActions, FreedActionsAndListsLeaveTheButtonsWorking) {
  TsButton* b = form_->late_bound;
  form_->late->Free();
  form_->late = nullptr;
  EXPECT_EQ(b->Action(), nullptr);
  form_->late_images->Free();
  form_->late_images = nullptr;
  EXPECT_EQ(b->Images(), nullptr);
  Pump(150);
  EXPECT_EQ(CountOf(b, kBlue), 0);
  testinput::Click(b->Handle(), 40, 11); // nothing to run, nothing breaks
  Pump(150);
}

// One list as normal and hot images: taking it off as the normal list keeps
// the button told when the list is freed, because it is still the hot list.
TEST_F(ButtonActions, AListSharedAsHotImagesStaysWatchedAfterItLeavesTheNormalSlot) {
  auto* shared = new TImageList(form_);
  AddSquares(shared, {kBlue});
  TsButton* b = form_->plain_twin;
  b->SetImages(shared);
  b->SetHotImages(shared);
  b->SetImageIndex(0);
  b->SetImages(nullptr);
  shared->Free();
  EXPECT_EQ(b->HotImages(), nullptr);
  Over(b); // draws from the hot list, if a dangling one were left
  EXPECT_EQ(CountOf(b, kBlue), 0);
  b->SetImageIndex(-1);
  Away();
}

} // namespace
