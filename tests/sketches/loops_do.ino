// do loops: the body runs once before the test, the while may stand on the closing line, on
// the next line, or with the whole loop on one line; a do closed without its while is an error.
int i = 0;
int j = 10;
int k = 0;
int m = 0;
int p = 0;
int z = 0;
void setup()
{
  do {
    i++;
  } while (i < 3);
  do {
    j++;
  } while (j < 3);
  i = i + 100;
  do
  {
    k++;
  }
  while (k < 4);
  k = k + 100;
  do { m++; } while (m < 5);
  do p++; while (p < 3);
  m = m + 100;
  do {
    z++;
  }
  z = 5;
}
void loop()
{
}
