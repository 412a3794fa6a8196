// Simulate Mega
// Clocks three bytes out over SPI and prints the bytes that came back.
#include <SPI.h>

void setup() {
  Serial.begin(9600);
  SPI.begin();
  for (int i = 5; i <= 7; i++) {
    int reply = SPI.transfer(i);
    Serial.println(reply);
  }
}

void loop() {
}
