// Right to left: a text is written forwards, then the cursor moves back past it.
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);

void setup() {
  lcd.begin(16, 2);
  lcd.setCursor(10, 0);
  lcd.rightToLeft();
  lcd.print("abc");
  lcd.print("x");
  lcd.leftToRight();
  lcd.print("yz");
  lcd.println("!");
  lcd.print(65, HEX);
  lcd.home();
  lcd.noCursor();
  lcd.print("-");
}

void loop() {
}
