// Simulate Uno
// A doorbell: while the bell push on pin 2 is held, the lamp on 13 is lit and each
// held pass through loop() counts as a ring.
#define BELL_PUSH 2
#define LAMP 13
int held = 0;
int rings = 0;

void setup() {
  pinMode(BELL_PUSH, INPUT);
  pinMode(LAMP, OUTPUT);
}

void loop() {
  held = digitalRead(BELL_PUSH);
  digitalWrite(LAMP, held);
  if (held) rings = rings + 1;
}
