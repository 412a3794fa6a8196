// Simulate Uno
// Device 8 on the bus: answers each request with a short greeting.
#include <Wire.h>

int requests = 0;

void setup() {
  Wire.begin(8);
  Wire.onRequest(requestEvent);
}

void loop() {
  delay(100);
}

void requestEvent() {
  requests++;
  Wire.write("hello ");
}
