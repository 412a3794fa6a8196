// Simulate Uno
// Adds up the numbers that arrive on the port, separated by commas, until the line ends.
String digits = "";
int total = 0;

void setup() {
  Serial.begin(9600);
}

void loop() {
  if (Serial.available() > 0) {
    char c = Serial.read();
    if (isDigit(c)) {
      digits += c;
    }
    if (c == ',' || c == 13) {
      total = total + digits.toInt();
      Serial.print("+");
      Serial.println(digits);
      digits = "";
    }
    if (c == 13) {
      Serial.print("total ");
      Serial.println(total);
    }
  }
}
