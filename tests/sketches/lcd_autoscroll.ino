// With autoscroll the text moves left and the cursor column stays.
LiquidCrystal lcd(12, 11, 5, 4, 3, 2);

void setup() {
  lcd.begin(16, 2);
  lcd.setCursor(10, 0);
  lcd.autoscroll();
  for (int i = 0; i < 4; i++) {
    lcd.print(i);
  }
  lcd.noAutoscroll();
  lcd.print("!");
}

void loop() {
}
