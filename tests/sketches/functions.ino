// Simulate Uno
int doubled = 0;
int clamped = 0;
float half = 0;
int nested = 0;
int squared = 0;

int twice(int v) {
  return v * 2;
}

int clampTo(int v, int top) {
  if (v > top) {
    return top;
  }
  return v;
}

int square(int v) { return v * v; }

float halve(int v) {
  return v / 2.0;
}

void setup() {
  doubled = twice(21);
  clamped = clampTo(50, 10);
  half = halve(5);
  nested = twice(twice(3));
  squared = square(nested);
  if (twice(2) > 3) {
    doubled = 0;
  }
}

void loop() {
}
