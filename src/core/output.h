// Every line the engine writes goes through printLine: the text, a line feed, a flush,
// written as one unit so that the lines of the two threads never interleave.
#pragma once

#include <string>
#include <vector>

namespace fivefold {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
int printLine(const char* format, ...);

// Ends the process with the given status at a line boundary: a line that another thread is
// writing is completed and flushed first, and no line is started afterwards. (On Windows a
// thread cut off inside its flush could otherwise have its line written a second time by
// the C runtime's own flush at process exit.)
[[noreturn]] void exitAfterOutput(int status);

// While a capture is set, lines are appended to it instead of being written to standard
// output (the bench and the tests read the decision's messages this way).
void setLineCapture(std::vector<std::string>* capture);

}  // namespace fivefold
