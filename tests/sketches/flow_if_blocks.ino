// if/else blocks taken either way, an else-if chain to each of its branches and an else with a
// brace-less body: the "}" before else skips the rest of the chain, and each block's level
// closes where it began.
int c = 1;
int d = 0;
int a = 0;
int b = 0;
int e = 0;
int g = 0;
int r = 0;
int s = 0;
int h = 0;
int k = 0;
int p = 0;
int q = 0;
void setup() {
  if (c) {
    a = 1;
  } else {
    b = 1;
  }
  a = a + 10;
  if (d) {
    e = 1;
  } else {
    g = 1;
  }
  g = g + 10;
  for (int v = 1; v <= 4; v++) {
    if (v == 1) {
      r = 1;
    } else if (v == 2) {
      r = 2;
    } else if (v == 3) {
      r = 3;
    } else {
      r = 4;
    }
    s = (s * 10) + r;
  }
  if (d) {
    h = 1;
  } else
    k = 2;
  h = h + 100;
  if (c) {
    p = 1;
  } else
    q = 2;
  p = p + 100;
}
void loop() {
}
