// Simulate Uno
// A case line with two labels, matched or fallen into, runs its statements once.
int r = 0;
int m = 0;
int k = 2;
int j = 4;

void setup() {
  switch (k) {
    case 2: r = r + 5;
    case 3: case 4: r = r + 100;
    case 5:
      r = r + 1000;
  }
  switch (j) {
    case 1: m = 1;
    case 3: case 4: m = m + 20;
    default: case 7: m = m + 300;
  }
}

void loop() {
}
