// Simulate Uno
// A Firmata host loop: its answers are fixed, and an unknown call is reported.
#include <Firmata.h>

int sent = 0;
int polls = 0;

void setup() {
  Firmata.setFirmwareVersion(2, 5);
  Firmata.attach(ANALOG_MESSAGE, analogWriteCallback);
  Firmata.begin(57600);
  sent = Firmata.sendAnalog(0, 512);
  Firmata.sendString("hello");
  Firmata.report();
}

void loop() {
  while (Firmata.available()) {
    Firmata.processInput();
    polls++;
  }
}

void analogWriteCallback(byte pin, int value) {
  analogWrite(pin, value);
}
