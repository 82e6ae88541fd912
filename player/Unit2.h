// TForm2: the equaliser window "Эквалайзер". Its vertical bars eq1..eq10 set
// the gains of the ten bands on the playing stream (the top +15 dB, the
// middle 0 dB, the bottom -15 dB); eq11..eq18 are hidden and have no band.
// The bars keep their positions for the whole run, so every stream that
// opens takes them (SetupEqualizer in the main window's unit). The window
// stays on top and sticks to the main window.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "player/EqualizerCore.h"

class TForm2 : public TForm {
 public:
  using TForm::TForm;
  ~TForm2() override;

  TGroupBox* sGroupBox1 = nullptr;
  TTrackBar* eq1 = nullptr;
  TTrackBar* eq2 = nullptr;
  TTrackBar* eq3 = nullptr;
  TTrackBar* eq4 = nullptr;
  TTrackBar* eq5 = nullptr;
  TTrackBar* eq6 = nullptr;
  TTrackBar* eq7 = nullptr;
  TTrackBar* eq8 = nullptr;
  TTrackBar* eq9 = nullptr;
  TTrackBar* eq10 = nullptr;
  TTrackBar* eq11 = nullptr;
  TTrackBar* eq12 = nullptr;
  TTrackBar* eq13 = nullptr;
  TTrackBar* eq14 = nullptr;
  TTrackBar* eq15 = nullptr;
  TTrackBar* eq16 = nullptr;
  TTrackBar* eq17 = nullptr;
  TTrackBar* eq18 = nullptr;

  // Bar eq<N> for N = 1..18, else null.
  TTrackBar* Bar(int N) const;

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
