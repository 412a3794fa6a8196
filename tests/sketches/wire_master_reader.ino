// Simulate Uno
// Asks device 2 for six bytes and echoes what arrives to the serial port.
#include <Wire.h>

void setup() {
  Serial.begin(9600);
  Wire.begin();
  Wire.requestFrom(2, 6);
  while (Wire.available()) {
    char c = Wire.read();
    Serial.print(c);
  }
  Serial.println();
}

void loop() {
}
