// A four-row display shows rows 2 and 3 as items 4 to 7; printing wraps through all four.
LiquidCrystal lcd(12, 11, 10, 5, 4, 3, 2);

void setup() {
  lcd.begin(20, 4);
  lcd.setCursor(0, 2);
  lcd.print("third");
  lcd.setCursor(5, 3);
  lcd.print("fourth");
  lcd.setCursor(62, 3);
  lcd.print("wrap");
  lcd.print("top");
}

void loop() {
}
