// Simulate Uno
// Times a light by polling millis() instead of waiting for it; each pass of loop()
// still pauses briefly, which is what moves the clock on.
int lamp = 12;
unsigned long last = 0;
unsigned long stamp = 0;
int lit = 0;
int passes = 0;
int toggles = 0;

void setup() {
  pinMode(lamp, OUTPUT);
  last = millis();
}

void loop() {
  stamp = millis();
  if (stamp - last >= 250) {
    last = stamp;
    lit = 1 - lit;
    toggles++;
    digitalWrite(lamp, lit);
  }
  passes = passes + 1;
  delay(100);
  delayMicroseconds(500);
}
