// Simulate Uno
// An LCD, servo or stepper call whose bracket is never closed is reported and does nothing;
// the calls after it work.
#include <LiquidCrystal.h>
#include <Servo.h>
#include <Stepper.h>

LiquidCrystal lcd(12, 11, 5, 4, 3, 2);
Servo arm;
Stepper motor(200, 6, 7, 8, 10);

void setup() {
  lcd.begin(16, 2);
  lcd.setCursor(5, 1);
  lcd.print("abc";
  lcd.print(("x");
  lcd.setCursor(3, 0;
  lcd.write(65;
  lcd.print("ok");
  arm.attach(9;
  arm.attach(9);
  arm.write(90;
  motor.setSpeed(60;
  motor.step(3;
}

void loop() {
}
