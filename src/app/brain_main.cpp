// pbrain-fivefold: the brain a game manager starts; it speaks the protocol on standard
// input and output.
#include "protocol/command_loop.h"

int main() {
  fivefold::runCommandLoop();
}
