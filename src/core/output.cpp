#include "core/output.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace fivefold {

namespace {
std::mutex outputMutex;
std::vector<std::string>* lineCapture = nullptr;
}  // namespace

void setLineCapture(std::vector<std::string>* capture) {
  std::lock_guard lock(outputMutex);
  lineCapture = capture;
}

int printLine(const char* format, ...) {
  char small[512];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    return length;
  }
  std::string line;
  if (static_cast<std::size_t>(length) < sizeof small) {
    line.assign(small, static_cast<std::size_t>(length));
  } else {
    line.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(line.data(), line.size(), format, again);
    line.resize(static_cast<std::size_t>(length));
  }
  va_end(again);

  std::lock_guard lock(outputMutex);
  if (lineCapture != nullptr) {
    lineCapture->push_back(line);
    return length;
  }
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
  return length;
}

void exitAfterOutput(int status) {
  outputMutex.lock();  // never released: the process ends while holding it
  std::fflush(stdout);
  std::_Exit(status);
}

}  // namespace fivefold
