// A method name is found only as written: a near miss takes each family's own unknown path,
// and the statement after it still runs.
#include <Stepper.h>
#include <Ethernet.h>
#include <SPI.h>
#include <Wire.h>

Stepper motor(100, 6, 7, 8, 9);
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);
int after = 0;

void setup() {
  Serial.begin(9600);
  lcd.begin(16, 2);
  motor.setSpeed(60);
  motor.stepp(3);
  motor.Step(3);
  after++;
  Ethernet.stop();
  Ethernet.beginn(mac);
  after++;
  lcd.prin("x");
  Serial.printl(1);
  Serial.println(after);
  SD.Begin(4);
  Wire.begin();
  Wire.writ(1);
  SPI.transfe(2);
  after++;
}

void loop() {
}
