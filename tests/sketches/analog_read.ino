// Simulate Uno
// Reads a potentiometer on A0, scales it to a byte and lights pin 13 past half way.
int sensorValue = 0;
int level = 0;

void setup() {
  pinMode(13, OUTPUT);
}

void loop() {
  sensorValue = analogRead(A0);
  level = map(sensorValue, 0, 1023, 0, 255);
  digitalWrite(13, sensorValue > 511);
}
