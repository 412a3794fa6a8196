// Simulate Uno
// A control or type word is no object name: each declaration below is reported and registers
// nothing, so the if/else and the while loop after it run as code.
#include <LiquidCrystal.h>
#include <Servo.h>
#include <Stepper.h>

Servo if;
Servo arm, while;
Stepper while(200, 8, 9, 10, 11);
LiquidCrystal if(12, 11, 5, 4, 3, 2);
int count = 0;

void setup() {
  Serial.begin(9600);
  LiquidCrystal int(7, 6, 5, 4, 3, 2);
  if (count == 0) {
    Serial.println("if runs");
  } else {
    Serial.println("else runs");
  }
  while (count < 3) {
    count++;
  }
  Serial.println(count);
  arm.attach(9);
}

void loop() {
}
