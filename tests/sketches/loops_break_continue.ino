// break leaves the loop from inside an if block, from inline braces and from a brace-less if;
// continue goes on with the loop's next pass, also in one-line loops; break or continue with no
// loop (or switch) to leave is an error.
int x = 0;
int y = 0;
int v = 0;
int i = 0;
int odd = 0;
int s = 0;
int j = 0;
int t = 0;
int u = 0;
int z = 0;
void setup() {
  while (1) {
    x++;
    if (x > 5) {
      break;
    }
  }
  x = x + 100;
  while (1) { v++; if (v > 5) { break; } }
  while (1) {
    y++;
    if (y > 2) { break; }
  }
  v = v + 100;
  while (1) {
    j++;
    if (j == 3)
      break;
  }
  j = j + 100;
  while (i < 6) {
    i++;
    if (i % 2 == 0) {
      continue;
    }
    odd++;
  }
  for (int k = 0; k < 5; k++) {
    if (k == 2) continue;
    s = s + k;
  }
  s = s + 100;
  while (1) { t++; if (t == 4) break; }
  for (int m = 0; m < 6; m++) { if (m % 2) continue; u = u + m; }
  u = u + 100;
  if (x > 0) {
    break;
  }
  continue;
  z = 5;
}
void loop() {
}
