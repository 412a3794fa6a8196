// Simulate Uno
// Cases without a break fall through: every statement on the case lines below the match runs.
int r = 0;
int k = 2;

void setup() {
  switch (k) {
    case 1: r = 1000;
    case 2: r = r + 5;
    default: r = r + 10;
    case 3: r = r + 100;
  }
}

void loop() {
}
