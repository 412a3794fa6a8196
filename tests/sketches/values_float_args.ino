// Simulate Uno
// A float variable, or a float array element, where a library call wants a whole number: each
// call gets the value truncated toward zero (7.9 is 7, -2.5 is -2); print still shows the float.
#include <EEPROM.h>
#include <LiquidCrystal.h>
#include <Servo.h>
#include <Stepper.h>

LiquidCrystal lcd(12, 11, 5, 4, 3, 2);
Servo arm;
Stepper motor(200, 8, 9, 10, 13);
float f = 7.9;
float back = -2.5;
float angle = 45.7;
float cells[2] = {3.2, 66.6};
unsigned long before;

void setup() {
  Serial.begin(9600);
  lcd.begin(16, 2);
  arm.attach(6);
  EEPROM.write(0, f);
  EEPROM.write(1, back);
  EEPROM.write(cells[0], cells[1]);
  analogWrite(9, f);
  Serial.write(cells[1]);
  Serial.println();
  before = millis();
  delay(f);
  Serial.println(millis() - before);
  lcd.setCursor(f, 1);
  lcd.print(f);
  arm.write(angle);
  Serial.println(f);
  Serial.println(cells[1], 1);
  Serial.println(EEPROM.read(1));
  motor.step(back);
}

void loop() {
}
