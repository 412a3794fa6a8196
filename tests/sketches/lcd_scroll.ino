// A word scrolls two places left, two places right, and is back where it began.
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);

void setup() {
  lcd.begin(8, 2);
  lcd.setCursor(2, 0);
  lcd.print("Go");
  lcd.scrollDisplayLeft();
  lcd.scrollDisplayLeft();
  lcd.scrollDisplayRight();
  lcd.scrollDisplayRight();
}

void loop() {
}
