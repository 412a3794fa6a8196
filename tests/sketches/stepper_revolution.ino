// One revolution forwards, then one back.
#include <Stepper.h>

const int stepsPerRevolution = 200;
Stepper motor(stepsPerRevolution, 8, 9, 10, 11);

void setup() {
  motor.setSpeed(60);
  motor.step(stepsPerRevolution);
  motor.step(-stepsPerRevolution);
}

void loop() {
}
