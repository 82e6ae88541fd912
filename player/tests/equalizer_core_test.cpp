// The equaliser's bands: their centres, hints and gains, and how a stream's
// effects are set up and changed against a library that fails like the real
// one (no stream, a freed stream, a band without an effect).
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "player/EqualizerCore.h"

namespace {

// A stand-in for the audio library: one current stream at a time, effect
// handles never reused, parameters checked against the library's ranges.
class FakeLibrary : public IEqualizerLibrary {
 public:
  void OpenStream() { stream_ = ++last_stream_; }
  void FreeStream() {
    for (auto it = effects_.begin(); it != effects_.end();)
      it = it->second.stream == stream_ ? effects_.erase(it) : ++it;
    stream_ = 0;
  }
  void CreateEffect(int Band) override {
    handles_[Band] = 0;
    if (!stream_ || fail_create_ == Band) return;
    handles_[Band] = ++last_handle_;
    effects_[last_handle_] = Effect{stream_, EqParamRecord{80.0f, 12.0f, 0.0f}};
  }
  bool ReadParams(int Band, EqParamRecord& Params) override {
    auto* e = Find(Band);
    if (!e) return false;
    Params = e->params;
    return true;
  }
  bool WriteParams(int Band, const EqParamRecord& Params) override {
    ++writes_;
    auto* e = Find(Band);
    if (!e || Params.Centre < 80 || Params.Centre > 16000 || Params.Bandwidth < 1 ||
        Params.Bandwidth > 36 || Params.Gain < -15 || Params.Gain > 15)
      return false;
    e->params = Params;
    return true;
  }
  // The parameters of the band's effect on the current stream.
  const EqParamRecord* Band(int Band) {
    auto* e = Find(Band);
    return e && e->stream == stream_ ? &e->params : nullptr;
  }
  int writes_ = 0;
  int fail_create_ = 0;

 private:
  struct Effect {
    unsigned stream = 0;
    EqParamRecord params;
  };
  Effect* Find(int Band) {
    auto h = handles_.find(Band);
    if (h == handles_.end() || !h->second) return nullptr;
    auto e = effects_.find(h->second);
    return e == effects_.end() ? nullptr : &e->second;
  }
  unsigned stream_ = 0, last_stream_ = 0, last_handle_ = 0;
  std::map<int, unsigned> handles_; // what the player keeps per band
  std::map<unsigned, Effect> effects_;
};

// The window's bars: all flat unless moved.
struct Bars {
  std::vector<int> pos = std::vector<int>(kEqBarCount + 1, kEqFlatPosition);
  std::function<int(int)> Reader() {
    return [this](int band) { return pos[band]; };
  }
};

TEST(EqualizerBands, CentresAndHints) {
  const int centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
  for (int band = 1; band <= kEqBandCount; ++band) {
    EXPECT_EQ(EqBandCentre(band), centres[band - 1]);
    EXPECT_EQ(EqBarHint(band), std::to_string(centres[band - 1]) + "\xE3\xF6"); // "гц"
  }
  for (int bar = kEqBandCount + 1; bar <= kEqBarCount; ++bar)
    EXPECT_EQ(EqBarHint(bar), "16000\xE3\xF6");
  EXPECT_EQ(EqBandCentre(0), 0);
  EXPECT_EQ(EqBandCentre(11), 0);
  EXPECT_EQ(EqBarHint(0), "");
  EXPECT_EQ(EqBarHint(19), "");
}

TEST(EqualizerBands, PositionGivesGain) {
  EXPECT_FLOAT_EQ(EqGainAt(0), 15.0f);
  EXPECT_FLOAT_EQ(EqGainAt(15), 0.0f);
  EXPECT_FLOAT_EQ(EqGainAt(30), -15.0f);
  EXPECT_FLOAT_EQ(EqGainAt(10), 5.0f);
}

TEST(EqualizerSetup, FlatBarsGiveTenFlatBands) {
  FakeLibrary lib;
  EqParamRecord params;
  Bars bars;
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  for (int band = 1; band <= kEqBandCount; ++band) {
    const EqParamRecord* p = lib.Band(band);
    ASSERT_NE(p, nullptr) << band;
    EXPECT_FLOAT_EQ(p->Centre, static_cast<float>(EqBandCentre(band)));
    EXPECT_FLOAT_EQ(p->Bandwidth, 10.0f);
    EXPECT_FLOAT_EQ(p->Gain, 0.0f);
  }
  EXPECT_EQ(lib.Band(11), nullptr);
}

TEST(EqualizerSetup, BarMovedBeforeAnyStreamAppliesToTheNextOne) {
  FakeLibrary lib;
  EqParamRecord params;
  Bars bars;
  bars.pos[3] = 0;
  SetEqualizerBand(lib, params, 3, 0); // no stream: nothing happens, no error
  EXPECT_EQ(lib.writes_, 0);
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  EXPECT_FLOAT_EQ(lib.Band(3)->Gain, 15.0f);
  EXPECT_FLOAT_EQ(lib.Band(3)->Centre, 310.0f);
  EXPECT_FLOAT_EQ(lib.Band(2)->Gain, 0.0f);
  EXPECT_FLOAT_EQ(lib.Band(4)->Gain, 0.0f);
}

TEST(EqualizerSetup, EachStreamGetsItsOwnEffectsWithTheBarsPositions) {
  FakeLibrary lib;
  EqParamRecord params;
  Bars bars;
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  bars.pos[5] = 30;
  SetEqualizerBand(lib, params, 5, 30);
  EXPECT_FLOAT_EQ(lib.Band(5)->Gain, -15.0f);

  // A freed stream took its effects along: a change in between goes nowhere.
  lib.FreeStream();
  bars.pos[1] = 5;
  SetEqualizerBand(lib, params, 1, 5);
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  EXPECT_FLOAT_EQ(lib.Band(5)->Gain, -15.0f);
  EXPECT_FLOAT_EQ(lib.Band(5)->Centre, 1000.0f);
  EXPECT_FLOAT_EQ(lib.Band(1)->Gain, 10.0f);
}

TEST(EqualizerChange, OneBandMovesAndNoOther) {
  FakeLibrary lib;
  EqParamRecord params;
  Bars bars;
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  SetEqualizerBand(lib, params, 8, 3);
  for (int band = 1; band <= kEqBandCount; ++band) {
    EXPECT_FLOAT_EQ(lib.Band(band)->Centre, static_cast<float>(EqBandCentre(band)));
    EXPECT_FLOAT_EQ(lib.Band(band)->Gain, band == 8 ? 12.0f : 0.0f) << band;
  }
}

TEST(EqualizerChange, HiddenBarsChangeNothing) {
  FakeLibrary lib;
  EqParamRecord params;
  Bars bars;
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  SetEqualizerBand(lib, params, 2, 0);
  const int writes = lib.writes_;
  for (int bar = kEqBandCount + 1; bar <= kEqBarCount; ++bar) SetEqualizerBand(lib, params, bar, 0);
  EXPECT_EQ(lib.writes_, writes);
  for (int band = 1; band <= kEqBandCount; ++band)
    EXPECT_FLOAT_EQ(lib.Band(band)->Gain, band == 2 ? 15.0f : 0.0f) << band;
}

TEST(EqualizerChange, ABandWithoutEffectLeavesTheOthersAlone) {
  // The library refuses one band's effect; its bar must not move the band
  // whose parameters the shared record held last.
  FakeLibrary lib;
  lib.fail_create_ = 7;
  EqParamRecord params;
  Bars bars;
  lib.OpenStream();
  SetupEqualizerBands(lib, params, bars.Reader());
  EXPECT_EQ(lib.Band(7), nullptr);
  SetEqualizerBand(lib, params, 6, 0);
  SetEqualizerBand(lib, params, 7, 30);
  EXPECT_FLOAT_EQ(lib.Band(6)->Gain, 15.0f);
  EXPECT_FLOAT_EQ(lib.Band(8)->Gain, 0.0f);
  EXPECT_FLOAT_EQ(lib.Band(8)->Centre, 12000.0f);
}

} // namespace
