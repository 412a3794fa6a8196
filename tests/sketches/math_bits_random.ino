// Simulate Uno
// Scales a reading, clamps it, works with bits and draws a repeatable random sequence.
long reading = 700;
long scaled = 0;
long clamped = 0;
long flags = 0;
long high = 0;
long root = 0;
float ratio = 0;
float wave = 0;
long draws = 0;
long again = 0;
long dice = 0;

void setup() {
  scaled = map(reading, 0, 1023, 0, 255);
  clamped = constrain(scaled, 0, 100);
  bitSet(flags, 4);
  bitSet(flags, 31);
  bitClear(flags, 4);
  bitWrite(flags, 0, 1);
  high = highByte(0x1234) + lowByte(0x1234);
  root = sqrt(200);
  ratio = pow(1.5, 2) / 2;
  wave = sin(0) + cos(0);
  randomSeed(7);
  draws = random(1000);
  randomSeed(7);
  again = random(1000);
  dice = random(1, 7);
}

void loop() {
}
