// Simulate Uno
#include "pins.h"
int red = RED_PIN;

void setup() {
  brightness = brightness / 2;
}

void loop() {
}
