// A global's initialiser cannot call a function: the reset reports it, the global keeps 0, and
// the reset goes on to stop in setup() as usual.
int f(int v) {
  return v;
}
int y = f(3);
void setup() {
  y = 1;
}
void loop() {
}
