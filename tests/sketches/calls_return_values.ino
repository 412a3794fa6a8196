// Return values reach a declaration or an assignment, keeping their type; parameters and locals
// go at the return; a return leaves the rest of the body, also from a brace-less if; a function
// that returns nothing delivers nothing stale; a return in setup() goes to its closing brace.
int x = 0;
int hits = 0;
int w = 7;
int doubled(int a) {
  return a * 2;
}
int twiceAndOne(int b) {
  int twice = b + b;
  return twice + 1;
}
int early(int c) {
  return c + 1;
  hits = 99;
  return 0;
}
void quiet() {
  return;
  hits = 5;
}
int sign(int d) {
  if (d > 0) return 1;
  if (d < 0)
    return -1;
  return 0;
}
float half(float v) {
  return v / 2;
}
String greet() {
  return "hi";
}
int plusOne(int e) {
  return e + 1;
}
int nothing(int k) {
  k = k + 0;
}
void setup() {
  int y = doubled(3);
  int after = y + 1;
  x=twiceAndOne(4);
  int z = early(4);
  quiet();
  int up = sign(5);
  int down = sign(-5);
  int zero = sign(0);
  float r = half(5.0);
  String t = greet();
  w = nothing(plusOne(2));
  return;
  hits = 1;
}
void loop() {
}
