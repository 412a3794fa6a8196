// A brace-less body that is itself a block statement (an if/else, a for, a switch): the outer
// loop's level ends with that block, and skipping such a body on the last test passes over an
// if together with its else branches, on the closing line or on the next.
int a = 0;
int b = 0;
int c = 0;
int d = 0;
int e = 0;
int w = 0;
int x = 0;
int y = 0;
void setup() {
  for (int i = 0; i < 4; i++)
    if (i % 2 == 0) {
      a = a + 1;
    } else {
      b = b + 1;
    }
  while (w < 3)
    for (int q = 0; q < 2; q++) {
      c = c + 1;
      w = w + 1;
    }
  for (int j = 0; j < 3; j++)
    for (int r = 0; r < 2; r++) {
      d = d + 1;
    }
  for (int s = 0; s < 2; s++)
    switch (s) {
      case 0:
        e = e + 10;
        break;
      default:
        e = e + 1;
    }
  int after = 1;
  while (x > 0)
    if (y) {
      y = 1;
    }
    else
      y = 2;
  for (int k = 0; k < 0; k++)
    if (y) y = 3;
    else if (x) y = 4;
    else y = 5;
  int later = 7;
}
void loop() {
}
