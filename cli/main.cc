// The quernstow executable: one run per command line.
#include "cli/driver.h"

int main(int argc, char** argv) {
  return qs::runprogram(argc, argv);
}
