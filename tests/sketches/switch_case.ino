// Simulate Uno
int mode = 2;
int picked = 0;
int fallback = 0;

void setup() {
  switch (mode) {
    case 1:
      picked = 10;
      break;
    case 2:
      picked = 20;
      break;
    default:
      picked = 99;
  }
  switch (mode + 5) {
    case 1:
      fallback = 1;
      break;
    default:
      fallback = 7;
  }
}

void loop() {
}
