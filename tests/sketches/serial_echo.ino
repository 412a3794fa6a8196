// Simulate Uno
// Echoes what is typed into the port, and prints each finished line's length.
int count = 0;

void setup() {
  Serial.begin(9600);
  Serial.print("echo> ");
}

void loop() {
  if (Serial.available() > 0) {
    char c = Serial.read();
    if (c == 13) {
      Serial.print(" (");
      Serial.print(count);
      Serial.println(" characters)");
      Serial.print("echo> ");
      count = 0;
    } else {
      Serial.write(c);
      count++;
    }
  }
}
