// Simulate Uno
// An LCD or stepper declaration whose bracket is never closed is reported and declares nothing,
// so its calls are unknown; the closed declarations after it work.
#include <LiquidCrystal.h>
#include <Stepper.h>

LiquidCrystal lcd(12, 11, 5, 4, 3, 2;
Stepper motor(200, 6, 7, 8, 10;

void setup() {
  Serial.begin(9600);
  LiquidCrystal panel(12, 11, 5, 4, 3, 2);
  Stepper drive(200, 6, 7, 8, 10);
  panel.begin(16, 2);
  panel.print("ok");
  drive.setSpeed(60);
  lcd.begin(16, 2);
}

void loop() {
}
