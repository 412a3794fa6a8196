// Simulate Uno
// Collects input lines in serialEvent and prints each one from loop().
String inputString = "";
boolean stringComplete = false;
int lines = 0;

void setup() {
  Serial.begin(9600);
}

void loop() {
  if (stringComplete) {
    lines++;
    Serial.print("line ");
    Serial.print(lines);
    Serial.print(": ");
    Serial.println(inputString);
    inputString = "";
    stringComplete = false;
  }
}

void serialEvent() {
  while (Serial.available() && !stringComplete) {
    char inChar = Serial.read();
    if (inChar == 13) {
      stringComplete = true;
    } else {
      inputString += inChar;
    }
  }
}
