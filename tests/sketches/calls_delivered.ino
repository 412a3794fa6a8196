// The forms a call may take: on its own (the value goes nowhere), as the whole right side of an
// assignment, a declaration, a const declaration or an array element, also after another
// statement on the line. The value reaches the left side when the body's closing brace runs.
int y = 0;
int y1 = 0;
int y2 = 0;
int y3 = 0;
int p = 0;
int a[3];
int f(int v) {
  p = p + 1;
  return v;
}
void setup() {
  f(3);
  y1 = f(3);
  y2=f(4);
  int z = f(5);
  const int z2 = f(6);
  a[1] = f(7);
  y3 = 9; a[2] = f(8);
}
void loop() {
}
