// The equaliser's rules apart from the window and the audio library: the
// ten bands with their centres and hints, the gain a track bar's position
// stands for, and the order in which a stream's effects are set up and
// changed.
//
// Bars eq1..eq18 exist in the window; only bands 1..10 get an effect on a
// stream, so the bars 11..18 (hidden) change nothing. The library is reached
// through IEqualizerLibrary, one band number at a time; whoever implements it
// keeps the effect handles. Every failure of the library is ignored: a band
// without an effect (no stream yet, its stream freed, a hidden band) simply
// does not change.
#pragma once

#include <functional>
#include <string>

constexpr int kEqBandCount = 10; // bands with an effect on the stream
constexpr int kEqBarCount = 18;  // track bars in the window
constexpr int kEqMinPosition = 0, kEqMaxPosition = 30;
constexpr int kEqFlatPosition = 15;   // 0 dB
constexpr float kEqBandwidth = 10.0f; // semitones, every band

// The parameter record of one band, in the library's layout: three 32-bit
// floats in this order.
struct EqParamRecord {
  float Centre = 0.0f;    // Hz
  float Bandwidth = 0.0f; // semitones
  float Gain = 0.0f;      // dB
};

// Centre frequency in Hz of band 1..10; 0 for any other number.
int EqBandCentre(int Band);
// The hint of bar 1..18: the centre followed by "гц"; the hidden bars 11..18
// carry the last band's hint. Empty for any other number.
std::string EqBarHint(int Bar);
// The gain in dB of a bar position: 0 (top) +15, 15 flat, 30 (bottom) -15.
float EqGainAt(int Position);

// What the equaliser asks of the audio library for the current stream.
class IEqualizerLibrary {
 public:
  virtual ~IEqualizerLibrary() = default;
  // Creates a new effect for Band (1..10) on the current stream and keeps
  // its handle in place of the band's previous one (0 when that fails).
  virtual void CreateEffect(int Band) = 0;
  // The band's effect parameters into / from Params; false on failure.
  virtual bool ReadParams(int Band, EqParamRecord& Params) = 0;
  virtual bool WriteParams(int Band, const EqParamRecord& Params) = 0;
};

// Sets up the equaliser on a stream that has just opened: an effect for
// each of the ten bands in order, each given its centre, bandwidth 10 and
// 0 dB, then each band set to its bar's position (BarPosition(band)).
// Params is the one shared record the window's changes go through too.
void SetupEqualizerBands(IEqualizerLibrary& Library, EqParamRecord& Params,
                         const std::function<int(int Band)>& BarPosition);

// Band (1..18) takes the gain of Position: its effect's parameters are read
// into Params, the gain replaced and written back. A band without an
// effect stays as it is.
void SetEqualizerBand(IEqualizerLibrary& Library, EqParamRecord& Params, int Band, int Position);
