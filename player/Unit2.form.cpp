// Layout of TForm2, the equaliser window: a group box filling it and the 18
// vertical bars, every 32 pixels from the left, the last eight hidden.
#include "player/Unit2.h"

namespace {
// Grey, darker at the top and bottom edges; the bars lighter, turning white
// and blue under the pointer.
const char kGroupGradient[] =
    "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;16777215;"
    "8421504;20;0;0;8421504;8421504;0;0;0";
const char kBarGradient[] =
    "12632256;8421504;67;0;0;8421504;12632256;31;0;0;12632256;12632256;0;0;0";
const char kBarHotGradient[] =
    "16777215;10127749;6;0;0;10127749;16777215;42;0;0;16777215;9798519;42;0;0;9798519;"
    "16777215;8;0;0;16777215;16777215;0;0;0";
} // namespace

void TForm2::CreateLayout() {
  SetName("Form2");
  SetCaption("Эквалайзер");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetFormStyle(fsStayOnTop);
  SetClientWidth(338);
  SetClientHeight(170);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetShowHint(true);

  sGroupBox1 = new skins::TsGroupBox(this);
  sGroupBox1->SetName("sGroupBox1");
  sGroupBox1->SetParent(this);
  sGroupBox1->SetAlign(alClient);
  sGroupBox1->sStyle()->Background()->Gradient()->SetData(kGroupGradient);

  skins::TsTrackBar** const bars[kEqBarCount] = {&eq1,  &eq2,  &eq3,  &eq4,  &eq5,  &eq6,
                                         &eq7,  &eq8,  &eq9,  &eq10, &eq11, &eq12,
                                         &eq13, &eq14, &eq15, &eq16, &eq17, &eq18};
  void (TForm2::*const handlers[kEqBarCount])(TObject*) = {
      &TForm2::eq1Change,  &TForm2::eq2Change,  &TForm2::eq3Change,  &TForm2::eq4Change,
      &TForm2::eq5Change,  &TForm2::eq6Change,  &TForm2::eq7Change,  &TForm2::eq8Change,
      &TForm2::eq9Change,  &TForm2::eq10Change, &TForm2::eq11Change, &TForm2::eq12Change,
      &TForm2::eq13Change, &TForm2::eq14Change, &TForm2::eq15Change, &TForm2::eq16Change,
      &TForm2::eq17Change, &TForm2::eq18Change};
  for (int n = 1; n <= kEqBarCount; ++n) {
    auto* bar = new skins::TsTrackBar(this);
    *bars[n - 1] = bar;
    bar->SetName("eq" + std::to_string(n));
    bar->SetParent(sGroupBox1);
    bar->SetBounds(16 + 32 * (n - 1), 10, 22, 150);
    bar->SetOrientation(trVertical);
    bar->SetMin(kEqMinPosition);
    bar->SetMax(kEqMaxPosition);
    bar->SetPosition(kEqFlatPosition);
    bar->SetThumbLength(15);
    bar->SetTickMarks(tmBottomRight);
    bar->SetHint(EqBarHint(n));
    bar->SetShowHint(true);
    bar->SetVisible(n <= kEqBandCount);
    bar->sStyle()->Background()->Gradient()->SetData(kBarGradient);
    bar->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kBarHotGradient);
    bar->OnChange = classlib::Bind(this, handlers[n - 1]);
  }

  OnCreate = classlib::Bind(this, &TForm2::FormCreate);
}
