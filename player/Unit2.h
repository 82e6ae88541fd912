// TForm2: the equaliser window "Эквалайзер". Its vertical bars eq1..eq10 set
// the gains of the ten bands on the playing stream (the top +15 dB, the
// middle 0 dB, the bottom -15 dB); eq11..eq18 are hidden and have no band.
// The bars keep their positions for the whole run, so every stream that
// opens takes them (SetupEqualizer in the main window's unit). The window
// stays on top and sticks to the main window.
#pragma once

#include "classlib/Forms.h"
#include "player/EqualizerCore.h"
#include "skins/sGroupBox.h"
#include "skins/sTrackBar.h"

class TForm2 : public TForm {
 public:
  using TForm::TForm;
  ~TForm2() override;

  skins::TsGroupBox* sGroupBox1 = nullptr;
  skins::TsTrackBar* eq1 = nullptr;
  skins::TsTrackBar* eq2 = nullptr;
  skins::TsTrackBar* eq3 = nullptr;
  skins::TsTrackBar* eq4 = nullptr;
  skins::TsTrackBar* eq5 = nullptr;
  skins::TsTrackBar* eq6 = nullptr;
  skins::TsTrackBar* eq7 = nullptr;
  skins::TsTrackBar* eq8 = nullptr;
  skins::TsTrackBar* eq9 = nullptr;
  skins::TsTrackBar* eq10 = nullptr;
  skins::TsTrackBar* eq11 = nullptr;
  skins::TsTrackBar* eq12 = nullptr;
  skins::TsTrackBar* eq13 = nullptr;
  skins::TsTrackBar* eq14 = nullptr;
  skins::TsTrackBar* eq15 = nullptr;
  skins::TsTrackBar* eq16 = nullptr;
  skins::TsTrackBar* eq17 = nullptr;
  skins::TsTrackBar* eq18 = nullptr;

  // Bar eq<N> for N = 1..18, else null.
  skins::TsTrackBar* Bar(int N) const;

  void FormCreate(TObject* Sender);
  void eq1Change(TObject* Sender);
  void eq2Change(TObject* Sender);
  void eq3Change(TObject* Sender);
  void eq4Change(TObject* Sender);
  void eq5Change(TObject* Sender);
  void eq6Change(TObject* Sender);
  void eq7Change(TObject* Sender);
  void eq8Change(TObject* Sender);
  void eq9Change(TObject* Sender);
  void eq10Change(TObject* Sender);
  void eq11Change(TObject* Sender);
  void eq12Change(TObject* Sender);
  void eq13Change(TObject* Sender);
  void eq14Change(TObject* Sender);
  void eq15Change(TObject* Sender);
  void eq16Change(TObject* Sender);
  void eq17Change(TObject* Sender);
  void eq18Change(TObject* Sender);

 protected:
  void CreateLayout() override;
};

extern TForm2* Form2;
