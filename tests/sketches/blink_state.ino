// Simulate Uno
// Toggles a state and counts the toggles, on a pin named by a #define.
#define LED 13
int state = 0;
int toggles = 0;

void setup() {
  DDRB = 32;
}

void loop() {
  if (state == 0) {
    state = 1;
  } else {
    state = 0;
  }
  PORTB = state * 32;
  toggles++;
}
