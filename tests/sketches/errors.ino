// Simulate Uno
#include "missing.h"
int depth = 0;

int deeper(int n) {
  depth++;
  deeper(n + 1);
  return n;
}

void setup() {
  goto nowhere;
  deeper(1);
}

void loop() {
}
