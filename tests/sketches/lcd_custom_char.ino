// A custom glyph is defined and written; it shows as "#".
LiquidCrystal lcd(7, 8, 9, 10, 11, 12);

byte heart[8] = {0, 10, 31, 31, 14, 4, 0, 0};

void setup() {
  lcd.begin(16, 2);
  lcd.createChar(0, heart);
  lcd.print("I ");
  lcd.write(byte(0));
  lcd.write(65);
  lcd.write(7);
  lcd.write();
}

void loop() {
}
