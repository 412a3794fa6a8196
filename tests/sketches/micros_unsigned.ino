// Simulate Uno
// micros() counts on past 2^31 microseconds (35.8 simulated minutes) as the board's unsigned
// counter does: an unsigned long takes it without a range error (it holds the 32-bit pattern).
unsigned long t;
unsigned long m;
unsigned long passes;

void setup() {
}

void loop() {
  delay(1000);
  t = micros();
  m = millis();
  passes++;
}
