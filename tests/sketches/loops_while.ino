// while loops: a block retests at its brace, a false condition skips the block, a one-line
// loop runs its line again until the condition fails, and the condition may hold brackets
// within brackets; each loop leaves the level as it found it.
int i = 0;
int s = 0;
int j = 0;
int k = 0;
int p = 0;
int q = 0;
int a = 1;
int b = 5;
int n = 0;
void setup() {
  while (i < 3) {
    i++;
    s = s + i;
  }
  while (i > 100) {
    s = 999;
  }
  s = s * 2;
  while (p < 3) p++;
  p = p + 10;
  while (j < 3)
    j++;
  while (k < 4) { k++; }
  while ((j + k) < 10) { q = q + 1; j++; }
  q = q + 100;
  while ((a + (b - 4)) < 6) {
    a++;
    n++;
  }
  n = n + 100;
}
void loop() {
}
