// The equaliser bands on the current stream: ten parametric bands made for
// every stream that opens, taking the equaliser window's bar positions. The
// order and the rules are EqualizerCore's; here they meet the library and
// the window.
#include <cstddef>

#include "player/EqualizerCore.h"
#include "player/Unit1.h"
#include "player/Unit2.h"

HFX EqEffects[19] = {};
BASS_DX8_PARAMEQ EqParams = {};

namespace {

static_assert(sizeof(EqParamRecord) == sizeof(BASS_DX8_PARAMEQ) &&
                  offsetof(EqParamRecord, Centre) == offsetof(BASS_DX8_PARAMEQ, fCenter) &&
                  offsetof(EqParamRecord, Bandwidth) == offsetof(BASS_DX8_PARAMEQ, fBandwidth) &&
                  offsetof(EqParamRecord, Gain) == offsetof(BASS_DX8_PARAMEQ, fGain),
              "the band record is the library's parameter layout");

BASS_DX8_PARAMEQ ToLibrary(const EqParamRecord& p) { return {p.Centre, p.Bandwidth, p.Gain}; }
EqParamRecord FromLibrary(const BASS_DX8_PARAMEQ& p) { return {p.fCenter, p.fBandwidth, p.fGain}; }

// The library's effects of the current stream, kept in EqEffects.
class StreamEqualizer : public IEqualizerLibrary {
 public:
  void CreateEffect(int Band) override {
    EqEffects[Band] = BASS_ChannelSetFX(CurrentStream, BASS_FX_DX8_PARAMEQ, 1);
  }
  bool ReadParams(int Band, EqParamRecord& Params) override {
    BASS_DX8_PARAMEQ p = ToLibrary(Params);
    if (!BASS_FXGetParameters(Handle(Band), &p)) return false;
    Params = FromLibrary(p);
    return true;
  }
  bool WriteParams(int Band, const EqParamRecord& Params) override {
    const BASS_DX8_PARAMEQ p = ToLibrary(Params);
    return BASS_FXSetParameters(Handle(Band), &p) != FALSE;
  }

 private:
  static HFX Handle(int Band) { return Band >= 1 && Band <= kEqBarCount ? EqEffects[Band] : 0; }
};

// The shared record goes through the rules and comes back.
template <class F>
void WithParams(F f) {
  StreamEqualizer library;
  EqParamRecord params = FromLibrary(EqParams);
  f(library, params);
  EqParams = ToLibrary(params);
}

} // namespace

void TForm1::SetupEqualizer() {
  WithParams([](StreamEqualizer& library, EqParamRecord& params) {
    SetupEqualizerBands(library, params, [](int band) {
      skins::TsTrackBar* bar = Form2 ? Form2->Bar(band) : nullptr;
      return bar ? bar->Position() : kEqFlatPosition;
    });
  });
}

void SetEqBand(int Band, int Position) {
  WithParams([&](StreamEqualizer& library, EqParamRecord& params) {
    SetEqualizerBand(library, params, Band, Position);
  });
}

void SetEqBand1(int Position) { SetEqBand(1, Position); }
void SetEqBand2(int Position) { SetEqBand(2, Position); }
void SetEqBand3(int Position) { SetEqBand(3, Position); }
void SetEqBand4(int Position) { SetEqBand(4, Position); }
void SetEqBand5(int Position) { SetEqBand(5, Position); }
void SetEqBand6(int Position) { SetEqBand(6, Position); }
void SetEqBand7(int Position) { SetEqBand(7, Position); }
void SetEqBand8(int Position) { SetEqBand(8, Position); }
void SetEqBand9(int Position) { SetEqBand(9, Position); }
void SetEqBand10(int Position) { SetEqBand(10, Position); }
void SetEqBand11(int Position) { SetEqBand(11, Position); }
void SetEqBand12(int Position) { SetEqBand(12, Position); }
void SetEqBand13(int Position) { SetEqBand(13, Position); }
void SetEqBand14(int Position) { SetEqBand(14, Position); }
void SetEqBand15(int Position) { SetEqBand(15, Position); }
void SetEqBand16(int Position) { SetEqBand(16, Position); }
void SetEqBand17(int Position) { SetEqBand(17, Position); }
void SetEqBand18(int Position) { SetEqBand(18, Position); }
