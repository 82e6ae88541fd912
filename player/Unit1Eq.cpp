// The equaliser bands on the current stream: ten parametric bands made for
// every stream that opens, taking the equaliser window's bar positions.
#include "player/Unit1.h"

HFX EqEffects[19] = {};
BASS_DX8_PARAMEQ EqParams = {};

void TForm1::SetupEqualizer() {}
