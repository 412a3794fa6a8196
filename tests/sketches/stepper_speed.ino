// A potentiometer on A0 sets the stepper's speed; it moves two steps at a time.
#include <Stepper.h>

Stepper motor(100, 4, 5, 6, 7);
int speed;

void setup() {
}

void loop() {
  speed = map(analogRead(A0), 0, 1023, 0, 100);
  if (speed > 0) {
    motor.setSpeed(speed);
    motor.step(2);
  }
}
