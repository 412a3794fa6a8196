// A call as the only argument delivers to the parameter; functions whose body stands on the
// header line run it in one step, argument calls and nested calls included, and return to the
// line after the call.
int y = 0;
int z = 0;
int w = 0;
int q = 0;
int plusOne(int v) {
  return v + 1;
}
int tenTimes(int a) {
  return a * 10;
}
int minus(int b, int c) {
  return b - c;
}
void tick() { q = q + 1; }
int seven() { return 7; }
void bump(int k) { z = z + k; w = w + 1; }
int twice(int u) { return u * 2; }
void both(int m) { bump(m); bump(twice(m)); w = w + 100; }
int pick(int s) { if (s > 5) return 1; return 2; }
void setup() {
  tick();
  q = q + 10;
  int g = tenTimes(plusOne(2));
  int h = minus(100, plusOne(2));
  y = seven();
  bump(3);
  int t = twice(seven());
  both(1);
  int a = pick(9);
  int b = pick(1);
  int after = 1;
}
void loop() {
}
