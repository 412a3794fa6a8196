// A servo sweeps out to 180 degrees and back in steps of 45.
#include <Servo.h>

Servo arm;
int angle = 0;

void setup() {
  arm.attach(9);
}

void loop() {
  for (angle = 0; angle <= 180; angle += 45) {
    arm.write(angle);
    delay(15);
  }
  for (angle = 180; angle >= 0; angle -= 45) {
    arm.write(angle);
  }
}
