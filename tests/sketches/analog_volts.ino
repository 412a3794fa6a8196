// Simulate Uno
// Reads two analog inputs and prints their levels in volts.
void setup() {
  Serial.begin(9600);
  int a0 = analogRead(A0);
  float v0 = a0 * 5.0 / 1023.0;
  Serial.print("A0 = ");
  Serial.print(a0);
  Serial.print(" -> ");
  Serial.print(v0);
  Serial.println(" V");
  int a1 = analogRead(A1);
  float v1 = a1 * 5.0 / 1023.0;
  Serial.print("A1 = ");
  Serial.print(a1);
  Serial.print(" -> ");
  Serial.println(v1, 3);
}

void loop() {
}
