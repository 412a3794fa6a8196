// Simulate Uno
// The other ways a lone float reaches a whole-number argument: a function's float parameter,
// an element picked by an expression, a float in brackets, and Wire's byte list.
#include <Wire.h>

float levels[3] = {10.9, 20.5, 30.99};
int i = 1;

void dim(int pin, float level) {
  analogWrite(pin, level);
}

void setup() {
  Wire.begin();
  dim(3, 99.9);
  analogWrite(5, levels[i + 1]);
  analogWrite(6, (levels[0]));
  Wire.beginTransmission(levels[1]);
  Wire.write(levels[2]);
  Wire.endTransmission();
}

void loop() {
}
