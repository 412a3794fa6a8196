// Simulate Uno
// Bridges the hardware port and a software port: what arrives on one goes out on the other.
#include <SoftwareSerial.h>
SoftwareSerial gps(10, 11);

void setup() {
  Serial.begin(9600);
  gps.begin(4800);
  Serial.println("bridge ready");
  gps.print("$PING");
  gps.println();
}

void loop() {
  if (gps.available()) {
    Serial.write(gps.read());
  }
  if (Serial.available()) {
    gps.write(Serial.read());
  }
}
