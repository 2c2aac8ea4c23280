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

// While a capture is set, lines are appended to it instead of being written to standard
// output (the bench and the tests read the decision's messages this way).
void setLineCapture(std::vector<std::string>* capture);

}  // namespace fivefold
