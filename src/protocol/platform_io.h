// Standard input and output as the protocol needs them on every platform: bytes pass
// unchanged in both directions.
#pragma once

namespace fivefold {

// Called once before the first line is read. On Windows the C library's streams start in
// text mode, where a byte 0x1A ends input and line ends are rewritten; both streams are
// switched to binary mode, so the line reader strips CR itself and every reply line ends
// in a single LF, byte for byte as on Linux (managers accept LF and CR LF alike). Nothing
// to do elsewhere.
void setUpProtocolStreams();

}  // namespace fivefold
