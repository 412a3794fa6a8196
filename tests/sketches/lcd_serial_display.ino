// Characters typed into the serial input appear on the display.
LiquidCrystal screen(12, 11, 5, 4, 3, 2);

void setup() {
  Serial.begin(9600);
  screen.begin(16, 2);
}

void loop() {
  while (Serial.available() > 0) {
    char c = Serial.read();
    screen.write(c);
  }
}
