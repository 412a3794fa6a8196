// Writes outside the display stay inside its buffer.
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);

void setup() {
  lcd.print("early");
  lcd.begin(-5, 2);
  lcd.begin(8, 8);
  lcd.setCursor(1, 9);
  lcd.print("low");
  lcd.setCursor(-3, 0);
  lcd.print("abcde");
  lcd.setCursor(2000000000, 0);
  lcd.print("x");
  lcd.rightToLeft();
  lcd.setCursor(1, 1);
  lcd.print("pq");
  lcd.Print("x");
}

void loop() {
}
