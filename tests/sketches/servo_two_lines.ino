// Two servos declared on two lines, their pins a macro and a constant.
#include <Servo.h>
#define PAN_PIN 9

const int tiltPin = 10;
Servo pan;
Servo tilt;

void setup() {
  pan.write(90);
  pan.attach(PAN_PIN);
  tilt.attach(tiltPin);
  pan.write(45);
  tilt.write(135);
  pan.detach();
}

void loop() {
}
