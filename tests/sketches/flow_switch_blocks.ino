// switch with blocks: no matching case stops on the switch's closing brace; "case" and
// "default" count only at a line's start directly inside the switch, not in names or in a
// nested switch; break inside a loop inside a case leaves the loop only; a switch without its
// brace is an error.
int n = 5;
int r = 0;
int t = 3;
int u = 0;
int showcase = 0;
int defaultValue = 0;
int i = 0;
int w = 0;
void setup()
{
  switch (n)
  {
    case 1:
      r = 1;
      break;
  }
  r = r + 100;
  switch (t) {
    case 1:
      if (u == 0) {
        showcase = 1;
      }
      switch (u) {
        case 3:
          u = 50;
          break;
        default:
          u = 60;
      }
      defaultValue = 4;
      break;
    case 3: {
      u = 3;
      break;
    }
    default:
      u = 9;
  }
  u = u + 100;
  switch (n - 4) {
    case 1:
      while (1) {
        i++;
        if (i == 3) break;
      }
      w = i;
      break;
  }
  w = w + 100;
  switch (n)
    n = 2;
}
void loop()
{
}
