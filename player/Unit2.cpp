// The equaliser window's handlers: each bar hands its position to the band
// of the same number (SetEqBand1..18 in the main window's unit).
#include "player/Unit2.h"

#include "components/Magnetic.h"
#include "player/Unit1.h"

TForm2* Form2 = nullptr;

skins::TsTrackBar* TForm2::Bar(int N) const {
  skins::TsTrackBar* const bars[kEqBarCount] = {eq1,  eq2,  eq3,  eq4,  eq5,  eq6,  eq7,  eq8,  eq9,
                                        eq10, eq11, eq12, eq13, eq14, eq15, eq16, eq17, eq18};
  return N >= 1 && N <= kEqBarCount ? bars[N - 1] : nullptr;
}

TForm2::~TForm2() {
  if (EqualizerForm == this) EqualizerForm = nullptr;
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::FormCreate(TObject* Sender) {
  // The main window's links open it beside the main window; it moves with it.
  EqualizerForm = this;
  if (MagneticInstance) MagneticInstance->AddWindow(Handle(), MainWnd);
}

void TForm2::eq1Change(TObject* Sender) { SetEqBand1(eq1->Position()); }
void TForm2::eq2Change(TObject* Sender) { SetEqBand2(eq2->Position()); }
void TForm2::eq3Change(TObject* Sender) { SetEqBand3(eq3->Position()); }
void TForm2::eq4Change(TObject* Sender) { SetEqBand4(eq4->Position()); }
void TForm2::eq5Change(TObject* Sender) { SetEqBand5(eq5->Position()); }
void TForm2::eq6Change(TObject* Sender) { SetEqBand6(eq6->Position()); }
void TForm2::eq7Change(TObject* Sender) { SetEqBand7(eq7->Position()); }
void TForm2::eq8Change(TObject* Sender) { SetEqBand8(eq8->Position()); }
void TForm2::eq9Change(TObject* Sender) { SetEqBand9(eq9->Position()); }
void TForm2::eq10Change(TObject* Sender) { SetEqBand10(eq10->Position()); }
void TForm2::eq11Change(TObject* Sender) { SetEqBand11(eq11->Position()); }
void TForm2::eq12Change(TObject* Sender) { SetEqBand12(eq12->Position()); }
void TForm2::eq13Change(TObject* Sender) { SetEqBand13(eq13->Position()); }
void TForm2::eq14Change(TObject* Sender) { SetEqBand14(eq14->Position()); }
void TForm2::eq15Change(TObject* Sender) { SetEqBand15(eq15->Position()); }
void TForm2::eq16Change(TObject* Sender) { SetEqBand16(eq16->Position()); }
void TForm2::eq17Change(TObject* Sender) { SetEqBand17(eq17->Position()); }
void TForm2::eq18Change(TObject* Sender) { SetEqBand18(eq18->Position()); }
