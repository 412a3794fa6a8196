// for loops: the condition is tested on the first entry, may be a bare variable or empty (then
// break ends the loop), the loop may stand on one line or have a brace-less body, and its braces
// may stand on lines of their own; each loop gives its level back.
int s = 0;
int z = 0;
int i = 0;
int n = 3;
int c = 0;
int d = 0;
int u = 0;
int t = 0;
int w = 0;
void setup()
{
  for (int k = 0; k < 3; k++) {
    s = s + k;
  }
  for (i = 5; i < 3; i++) {
    z = 1;
  }
  s = s + 100;
  for (; n; n--) {
    c++;
  }
  for (;;) {
    d++;
    if (d == 4) break;
  }
  c = c + 100;
  for (int e = 0; e < 4; e++) u += e;
  for (int f = 0; f < 3; f++)
    t += f;
  u = u + 100;
  for (int g = 0; g < 3; g++)
  {
    for (int h = 0; h < 2; h++)
    {
      w++;
    }
  }
  w = w + 100;
}
void loop()
{
}
