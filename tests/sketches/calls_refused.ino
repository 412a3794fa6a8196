// A call inside a larger expression is refused with one message, before anything of the
// statement runs and without opening a frame; the step goes on with the next line.
int y = 0;
int p = 1;
int f(int a) {
  return a;
}
int g(int b) {
  return b;
}
int two(int c, int d) {
  return c + d;
}
int r() {
  if (f(p) > 0) {
  }
  y = f(3) + 1;
  y += f(3);
  return f(3);
  y = (f(3));
  f(1); f(2);
  y = f(g(1) + 1);
  y = two(g(1), g(2));
  y = f(3), p = 2;
}
void setup() {
  r();
}
void loop() {
}
