// The cursor blinks on the half-second tick; the display is switched off and on.
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);

void setup() {
  lcd.begin(8, 2);
  lcd.print("ab");
  lcd.blink();
  lcd.noDisplay();
  lcd.display();
  lcd.noDisplay();
}

void loop() {
}
