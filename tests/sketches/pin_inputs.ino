// Simulate Uno
// Reads a held switch, a pulse width and a shifted-in byte; sounds a tone and dims pin 5.
int held = 0;
long width = 0;
byte incoming = 0;

void setup() {
  pinMode(7, INPUT);
  analogWrite(5, 128);
}

void loop() {
  held = digitalRead(7);
  width = pulseIn(8, HIGH);
  incoming = shiftIn(11, 12, MSBFIRST);
  tone(4, 880, 250);
}
