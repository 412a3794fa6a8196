// Simulate Uno
// A bracket's value keeps its fraction when it is a float and its text when it is a String;
// integer brackets and casts as before.
int r = 1023;
float a = 1.5;
float v = 0.0;
float b, e, f, g, t, c, neg;
int k, same, cast;
String text = "xy";

void setup() {
  b = r * (5.0 / 1023.0);
  e = (2.5);
  f = 2 * (1.25 + 0.5);
  g = (a + 1) / 2;
  t = (v - 0.5) * 100;
  neg = 1 - (0 - 0.25);
  c = (float)r;
  k = (int)(a * 2);
  cast = (int)a;
  same = 5 + (r == 1023);
  text = (text + "1") + "2";
}

void loop() {
}
