// One-line ifs: the statement after the bracket that closes the condition runs when it holds
// (any value but 0 is true, a negative one and a float too), with an else on the same line or
// the next; the level stays as it was.
int x = 5;
int y = 0;
int z = 0;
float f = 0.5;
int w = 0;
int n = 0;
int a = 2;
int c = 1;
int d = 0;
int ta = 0;
int tx = 0;
int ty = 0;
int na = 0;
int nx = 0;
int ny = 0;
void setup() {
  if (x > 3) y = 1;
  x = -1;
  if (x) z = 1;
  if (f) w = 1;
  if (x > 3) y = 7;
  if ((a + 1) == 3) n++;
  if ((a * (a + 1)) == 6) { n = n + 10; }
  if (c) ta = 1; else ta = 2;
  if (c) {
    ty = 5;
  } else tx = 2;
  if (c == 0) ty = ty + 1;
  else ty = ty + 10;
  if (c) { tx = tx + 100; } else { tx = tx + 1000; }
  if (d) na = 1; else na = 2;
  if (d) {
    ny = 5;
  } else nx = 2;
  if (d == 0) ny = ny + 1;
  else ny = ny + 10;
  if (d) { nx = nx + 100; } else { nx = nx + 1000; }
}
void loop() {
}
