// if/else with the braces on lines of their own, and brace-less bodies on the next line: the
// else block's "}" closes the level the else reopened, and a brace-less body is one statement.
int c = 1;
int d = 0;
int a = 0;
int b = 0;
int e = 0;
int g = 0;
int h = 0;
int k = 0;
int p = 0;
int q = 0;
void setup()
{
  if (c)
  {
    a = 1;
    a = a + 1;
  }
  else
  {
    b = 1;
    b = b + 1;
  }
  a = a + 10;
  if (d)
  {
    e = 1;
    e = e + 1;
  }
  else
  {
    g = 1;
    g = g + 1;
  }
  g = g + 10;
  if (d)
    h = 1;
  k = 2;
  if (d)
    h = h + 10;
  else
    k = k + 10;
  h = h + 100;
  if (c)
    p = 1;
  q = 2;
  if (c)
    p = p + 10;
  else
    q = q + 10;
  p = p + 100;
}
void loop()
{
}
