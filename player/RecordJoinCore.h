// Where a recording may be joined when the station's connection is reopened
// into the same file: the old connection stops in the middle of an MPEG audio
// frame and the new one starts in the middle of another, and the two pieces
// put together make one broken frame that decoders reject (a click, or a
// player that stops). The file keeps whole frames instead: it loses the old
// connection's incomplete last frame and takes the new one from its first
// frame header. Streams that are not MPEG audio are joined as they come.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes at the end of a file looked at for its frames, and bytes of a new
// connection skipped at most while looking for a frame header.
constexpr size_t kJoinWindow = 64 * 1024;

// Whether `Data` (the end of a file) ends in a run of MPEG frames (three at
// least, so that data that merely looks like a header does not count), and
// then in `End` the length that holds whole frames: the offset of the
// incomplete last frame, or Length when the data ends with a whole frame.
bool WholeFramesEnd(const uint8_t* Data, size_t Length, size_t& End);

// The offset of the first frame header in `Data` that is followed by a second
// one of the same kind (or by the end of the data); -1 when there is none.
long FirstFrameStart(const uint8_t* Data, size_t Length);
