// Simulate Uno
// A condition written over two lines cannot be read one line at a time: the if says so and
// the cursor stays on it, so neither its body nor anything after it runs.
int a = 1, b = 1, y;

void setup() {
  if (a > 0 &&
      b > 0) {
    y = 1;
  }
  y = 2;
}

void loop() {
}
