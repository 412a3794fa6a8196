// Simulate Uno
// Prints the printable characters with their codes in four bases, one line each.
int thisByte = 33;

void setup() {
  Serial.begin(9600);
  Serial.println("Character codes, 33 to 126");
}

void loop() {
  Serial.write(thisByte);
  Serial.print("  dec ");
  Serial.print(thisByte);
  Serial.print("  hex ");
  Serial.print(thisByte, HEX);
  Serial.print("  oct ");
  Serial.print(thisByte, OCT);
  Serial.print("  bin ");
  Serial.println(thisByte, BIN);
  if (thisByte == 126) {
    Serial.println("done");
    while (true) {
      thisByte = 0;
    }
  }
  thisByte++;
}
