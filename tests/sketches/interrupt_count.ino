// Simulate Uno
// Counts presses of a button on interrupt 0. The routine only counts and raises a flag;
// the main loop copies the count and lights pin 13 for each press it sees.
volatile int presses = 0;
volatile int pending = 0;
int seen = 0;
int passes = 0;

void pressed() {
  presses++;
  pending = 1;
}

void setup() {
  pinMode(13, OUTPUT);
  attachInterrupt(0, pressed, RISING);
}

void loop() {
  passes++;
  if (pending == 1) {
    pending = 0;
    seen = presses;
    digitalWrite(13, HIGH);
  }
  digitalWrite(13, LOW);
}
