// Simulate Uno
// Device 4 on the bus: prints the text part of each message, then its last byte as a number.
#include <Wire.h>

void setup() {
  Serial.begin(9600);
  Wire.begin(4);
  Wire.onReceive(&receiveEvent);
}

void loop() {
  delay(100);
}

void receiveEvent(int howMany) {
  while (1 < Wire.available()) {
    char c = Wire.read();
    Serial.print(c);
  }
  int x = Wire.read();
  Serial.println(x);
}
