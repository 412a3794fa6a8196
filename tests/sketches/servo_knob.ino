// A servo follows a potentiometer on A0.
#include <Servo.h>

Servo pointer;
int level;

void setup() {
  pointer.attach(9);
}

void loop() {
  level = analogRead(A0);
  pointer.write(map(level, 0, 1023, 0, 180));
  delay(15);
}
