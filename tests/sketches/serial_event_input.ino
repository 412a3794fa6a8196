// Simulate Uno
// Reads whole lines in serialEvent and answers each one as soon as its end arrives.
String inputString = "";
int lines = 0;

void setup() {
  Serial.begin(9600);
  Serial.println("ready");
}

void loop() {
  delay(10);
}

void serialEvent() {
  while (Serial.available()) {
    char inChar = Serial.read();
    if (inChar == 13) {
      lines++;
      Serial.print(lines);
      Serial.print(": ");
      Serial.print(inputString);
      Serial.print(" (");
      Serial.print(inputString.length());
      Serial.println(")");
      inputString = "";
    } else {
      inputString += inChar;
    }
  }
}
