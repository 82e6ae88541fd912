// The equaliser's bands and their set-up order (see EqualizerCore.h).
#include "player/EqualizerCore.h"

namespace {

constexpr int kCentres[kEqBandCount] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};

} // namespace

int EqBandCentre(int Band) { return Band >= 1 && Band <= kEqBandCount ? kCentres[Band - 1] : 0; }

std::string EqBarHint(int Bar) {
  if (Bar < 1 || Bar > kEqBarCount) return std::string();
  int band = Bar <= kEqBandCount ? Bar : kEqBandCount;
  return std::to_string(EqBandCentre(band)) + "гц";
}

float EqGainAt(int Position) { return static_cast<float>(kEqFlatPosition - Position); }

void SetupEqualizerBands(IEqualizerLibrary& Library, EqParamRecord& Params,
                         const std::function<int(int Band)>& BarPosition) {
  for (int band = 1; band <= kEqBandCount; ++band) Library.CreateEffect(band);
  Params.Gain = 0.0f;
  Params.Bandwidth = kEqBandwidth;
  for (int band = 1; band <= kEqBandCount; ++band) {
    Params.Centre = static_cast<float>(EqBandCentre(band));
    Library.WriteParams(band, Params);
  }
  for (int band = 1; band <= kEqBandCount; ++band)
    SetEqualizerBand(Library, Params, band, BarPosition ? BarPosition(band) : kEqFlatPosition);
}

void SetEqualizerBand(IEqualizerLibrary& Library, EqParamRecord& Params, int Band, int Position) {
  // Without its own parameters the shared record still holds another band's
  // centre: written back, it would move this band instead of leaving it.
  if (!Library.ReadParams(Band, Params)) return;
  Params.Gain = EqGainAt(Position);
  Library.WriteParams(Band, Params);
}
