#include "protocol/platform_io.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif

namespace fivefold {

void setUpProtocolStreams() {
#if defined(_WIN32)
  // A failure (a stream that is not open) leaves that stream as it was; there is no better
  // mode to fall back on.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  // No "program has stopped working" dialog: under a tournament manager a crash must end
  // the process, not wait for a click.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
}

}  // namespace fivefold
